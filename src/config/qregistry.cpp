#include "config/qregistry.h"

#include <algorithm>
#include <cstring>

#include "platform/reg_tree.h"
#include "platform/utf8.h"
#include "util/errors.h"

namespace qrv {

using platform::kOk;
using platform::RegRoot;
using platform::RegValue;

namespace {

std::string JoinPath(const std::string& parent, const std::string& child) {
  if (parent.empty()) return child;
  if (child.empty()) return parent;
  return parent + "\\" + child;
}

[[noreturn]] void RaiseCreateFailed(const std::string& path) {
  throw ERegistryException(
      "Erzeugung von Schl\xFC"
      "ssel " +
      path +
      " mi\xDF"
      "lungen");
}

[[noreturn]] void RaiseReadFailed(const std::string& name) {
  throw ERegistryException(
      "Fehler beim Holen der Daten f\xFC"
      "r '" +
      name + "'");
}

[[noreturn]] void RaiseWriteFailed(const std::string& name) {
  throw ERegistryException(
      "Fehler beim Setzen der Daten f\xFC"
      "r '" +
      name + "'");
}

bool Allows(const TRegKeyHandle& key, uint32_t rights) {
  return (key.Access & rights) == rights;
}

// True when inner is outer or a key below it (names compare without regard to case).
bool IsSameOrBelow(const std::string& inner, const std::string& outer) {
  std::vector<std::string> in, out;
  if (!platform::SplitRegPath(inner, &in) || !platform::SplitRegPath(outer, &out)) return false;
  if (in.size() < out.size()) return false;
  return std::equal(
      out.begin(), out.end(), in.begin(),
      [](const std::string& a, const std::string& b) { return platform::EqualNoCase(a, b); });
}

}  // namespace

TRegDataType RegTypeToDataType(uint32_t regType) {
  switch (regType) {
    case platform::kRegSz:
      return rdString;
    case platform::kRegExpandSz:
      return rdExpandString;
    case platform::kRegDword:
      return rdInteger;
    case platform::kRegBinary:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

uint32_t DataTypeToRegType(TRegDataType type) {
  switch (type) {
    case rdString:
      return platform::kRegSz;
    case rdExpandString:
      return platform::kRegExpandSz;
    case rdInteger:
      return platform::kRegDword;
    case rdBinary:
      return platform::kRegBinary;
    case rdUnknown:
      break;
  }
  return platform::kRegNone;
}

TQRegistry::TQRegistry(platform::Registry& registry, uint32_t access)
    : Access(access), registry_(registry) {}

TQRegistry::~TQRegistry() {
  CloseKey();
}

void TQRegistry::SetRootKey(RegRoot root) {
  if (root == rootKey_) return;
  rootKey_ = root;
  CloseKey();
}

TRegKeyHandle TQRegistry::Resolve(const std::string& path) const {
  if (!path.empty() && path.front() == '\\') return {rootKey_, path.substr(1), Access};
  if (currentKey_) return {currentKey_->Root, JoinPath(currentKey_->Path, path), Access};
  return {rootKey_, path, Access};
}

std::optional<TRegKeyHandle> TQRegistry::Open(const TRegKeyHandle& key) const {
  if (registry_.OpenKey(key.Root, key.Path) != kOk) return std::nullopt;
  return key;
}

bool TQRegistry::OpenKey(const std::string& path, bool canCreate) {
  const TRegKeyHandle key = Resolve(path);
  if (canCreate && registry_.CreateKey(key.Root, key.Path) != kOk) return false;
  std::optional<TRegKeyHandle> opened = Open(key);
  if (!opened) return false;
  CloseKey();
  currentKey_ = std::move(opened);
  currentPath_ = currentKey_->Path;
  return true;
}

void TQRegistry::CloseKey() {
  if (currentKey_ && !LazyWrite) registry_.Flush(currentKey_->Root, currentKey_->Path);
  currentKey_.reset();
  currentPath_.clear();
}

void TQRegistry::CreateKey(const std::string& path) {
  const TRegKeyHandle key = Resolve(path);
  if (registry_.CreateKey(key.Root, key.Path) != kOk) RaiseCreateFailed(path);
}

bool TQRegistry::DeleteKey(const std::string& path) {
  const TRegKeyHandle key = Resolve(path);
  std::vector<std::string> parts;
  // Deleting the subkeys of a root first would empty it before the root itself is refused.
  if (!platform::SplitRegPath(key.Path, &parts) || parts.empty()) return false;
  return DeleteTree(key.Root, key.Path);
}

bool TQRegistry::DeleteTree(RegRoot root, const std::string& path) {
  std::vector<std::string> subKeys;
  if (registry_.EnumKeys(root, path, &subKeys) != kOk) return false;
  for (const std::string& sub : subKeys) {
    if (!DeleteTree(root, JoinPath(path, sub))) return false;
  }
  return registry_.DeleteKey(root, path) == kOk;
}

std::optional<TRegKeyHandle> TQRegistry::GetKey(const std::string& path) const {
  return Open(Resolve(path));
}

bool TQRegistry::GetKeyInfo(platform::RegKeyInfo* info) const {
  if (!currentKey_ || !Allows(*currentKey_, kKeyQueryValue)) return false;
  return registry_.QueryKeyInfo(currentKey_->Root, currentKey_->Path, info) == kOk;
}

int64_t TQRegistry::GetDataSize(const std::string& name) const {
  TRegDataInfo info;
  return GetDataInfo(name, &info) ? static_cast<int64_t>(info.DataSize) : -1;
}

bool TQRegistry::GetDataInfo(const std::string& name, TRegDataInfo* info) const {
  return currentKey_ && DataInfoOf(*currentKey_, name, info);
}

uint32_t TQRegistry::ReadData(const std::string& name, std::span<char> buffer,
                              TRegDataType* type) const {
  if (!currentKey_) RaiseReadFailed(name);
  return ReadDataOf(*currentKey_, name, buffer, type);
}

void TQRegistry::WriteData(const std::string& name, std::string_view data, TRegDataType type) {
  if (!currentKey_) RaiseWriteFailed(name);
  WriteDataOf(*currentKey_, name, data, type);
}

bool TQRegistry::QueryOf(const TRegKeyHandle& key, const std::string& name, RegValue* value) const {
  return Allows(key, kKeyQueryValue) &&
         registry_.QueryValue(key.Root, key.Path, name, value) == kOk;
}

bool TQRegistry::DataInfoOf(const TRegKeyHandle& key, const std::string& name,
                            TRegDataInfo* info) const {
  RegValue value;
  if (!QueryOf(key, name, &value)) {
    *info = TRegDataInfo{};
    return false;
  }
  info->RegData = RegTypeToDataType(value.type);
  info->DataSize = static_cast<uint32_t>(value.data.size());
  return true;
}

uint32_t TQRegistry::ReadDataOf(const TRegKeyHandle& key, const std::string& name,
                                std::span<char> buffer, TRegDataType* type) const {
  RegValue value;
  if (!QueryOf(key, name, &value) || value.data.size() > buffer.size()) RaiseReadFailed(name);
  if (!value.data.empty()) std::memcpy(buffer.data(), value.data.data(), value.data.size());
  *type = RegTypeToDataType(value.type);
  return static_cast<uint32_t>(value.data.size());
}

void TQRegistry::WriteDataOf(const TRegKeyHandle& key, const std::string& name,
                             std::string_view data, TRegDataType type) {
  SetOf(key, name, RegValue{DataTypeToRegType(type), std::string(data)});
}

void TQRegistry::SetOf(const TRegKeyHandle& key, const std::string& name, const RegValue& value) {
  if (!Allows(key, kKeySetValue) || registry_.SetValue(key.Root, key.Path, name, value) != kOk) {
    RaiseWriteFailed(name);
  }
}

bool TQRegistry::ValueNames(const TRegKeyHandle& key, std::vector<std::string>* names) const {
  return Allows(key, kKeyQueryValue) && registry_.EnumValues(key.Root, key.Path, names) == kOk;
}

bool TQRegistry::KeyNames(const TRegKeyHandle& key, std::vector<std::string>* names) const {
  return Allows(key, kKeyEnumerateSubKeys) && registry_.EnumKeys(key.Root, key.Path, names) == kOk;
}

void TQRegistry::MoveKeyBetweenRoots(RegRoot sourceRoot, RegRoot targetRoot, bool deleteSource,
                                     const std::string& targetPath, const std::string& sourcePath) {
  SetRootKey(sourceRoot);
  const std::optional<TRegKeyHandle> source = GetKey(sourcePath);
  if (!source) return;
  SetRootKey(targetRoot);
  const TRegKeyHandle wanted = Resolve(targetPath);
  if (wanted.Root == source->Root && IsSameOrBelow(wanted.Path, source->Path)) {
    SetRootKey(sourceRoot);
    return;
  }
  CreateKey(targetPath);
  const std::optional<TRegKeyHandle> target = Open(wanted);
  if (!target) return;
  CopyValues(*source, *target);
  CopyKeys(*source, *target);
  SetRootKey(sourceRoot);
  if (deleteSource) DeleteTree(source->Root, source->Path);
}

void TQRegistry::CopyValues(const TRegKeyHandle& source, const TRegKeyHandle& target) {
  CopyValue(source, target, "");
  std::vector<std::string> names;
  if (!ValueNames(source, &names)) return;
  for (const std::string& name : names) {
    if (!name.empty()) CopyValue(source, target, name);
  }
}

// The value goes over with the registry's own type, not the class's data type: a multi-string,
// a 64-bit number or a value of type 0 written back as type 0 would be corrupted for every
// program that reads it by its type.
void TQRegistry::CopyValue(const TRegKeyHandle& source, const TRegKeyHandle& target,
                           const std::string& name) {
  RegValue value;
  if (!QueryOf(source, name, &value) || value.data.empty()) return;
  SetOf(target, name, value);
}

void TQRegistry::CopyKeys(const TRegKeyHandle& source, const TRegKeyHandle& target) {
  std::vector<std::string> names;
  if (!KeyNames(source, &names)) return;
  for (const std::string& name : names) {
    const std::optional<TRegKeyHandle> from =
        Open({source.Root, JoinPath(source.Path, name), source.Access});
    if (!from) continue;
    const TRegKeyHandle to{target.Root, JoinPath(target.Path, name), target.Access};
    if (registry_.CreateKey(to.Root, to.Path) != kOk) RaiseCreateFailed(name);
    if (!Open(to)) continue;
    CopyValues(*from, to);
    CopyKeys(*from, to);
  }
}

}  // namespace qrv
