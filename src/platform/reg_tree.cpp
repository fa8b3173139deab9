#include "platform/reg_tree.h"

#include <algorithm>

#include "platform/utf8.h"

namespace qrv::platform {

namespace {

template <class Items>
auto FindNamed(Items& items, std::string_view name) {
  return std::find_if(items.begin(), items.end(),
                      [name](const auto& item) { return EqualNoCase(item.name, name); });
}

}  // namespace

RegKey* RegKey::FindSubKey(std::string_view keyName) {
  auto it = FindNamed(subKeys, keyName);
  return it == subKeys.end() ? nullptr : &*it;
}

const RegKey* RegKey::FindSubKey(std::string_view keyName) const {
  auto it = FindNamed(subKeys, keyName);
  return it == subKeys.end() ? nullptr : &*it;
}

RegKey& RegKey::AddSubKey(std::string_view keyName) {
  if (RegKey* existing = FindSubKey(keyName)) return *existing;
  subKeys.emplace_back();
  subKeys.back().name = std::string(keyName);
  return subKeys.back();
}

bool RegKey::RemoveSubKey(std::string_view keyName) {
  auto it = FindNamed(subKeys, keyName);
  if (it == subKeys.end()) return false;
  subKeys.erase(it);
  return true;
}

RegEntry* RegKey::FindValue(std::string_view valueName) {
  auto it = FindNamed(values, valueName);
  return it == values.end() ? nullptr : &*it;
}

const RegEntry* RegKey::FindValue(std::string_view valueName) const {
  auto it = FindNamed(values, valueName);
  return it == values.end() ? nullptr : &*it;
}

void RegKey::SetValue(std::string_view valueName, const RegValue& value) {
  if (RegEntry* existing = FindValue(valueName)) {
    existing->value = value;
    return;
  }
  values.push_back(RegEntry{std::string(valueName), value});
}

bool RegKey::RemoveValue(std::string_view valueName) {
  auto it = FindNamed(values, valueName);
  if (it == values.end()) return false;
  values.erase(it);
  return true;
}

bool SplitRegPath(std::string_view path, std::vector<std::string>* parts) {
  parts->clear();
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (end - start > kMaxRegKeyNameLen || parts->size() == kMaxRegDepth) return false;
      parts->emplace_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return true;
}

RegKey* FindRegKey(RegKey& root, const std::vector<std::string>& parts) {
  RegKey* key = &root;
  for (const std::string& part : parts) {
    key = key->FindSubKey(part);
    if (key == nullptr) return nullptr;
  }
  return key;
}

const RegKey* FindRegKey(const RegKey& root, const std::vector<std::string>& parts) {
  return FindRegKey(const_cast<RegKey&>(root), parts);
}

void StampRegTree(RegKey& key, double when) {
  key.lastWrite = when;
  for (RegKey& sub : key.subKeys) StampRegTree(sub, when);
}

}  // namespace qrv::platform
