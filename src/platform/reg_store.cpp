#include "platform/reg_store.h"

#include <algorithm>
#include <memory>
#include <random>
#include <utility>

#include "platform/reg_text.h"

namespace qrv::platform {

// ---- RegTreeRegistry ----

template <class Fn>
OsError RegTreeRegistry::Read(RegRoot root, const std::string& path, Fn fn) {
  if (OsError err = Refresh(root)) return err;
  std::vector<std::string> parts;
  if (!SplitRegPath(path, &parts)) return kInvalidParameter;
  const RegKey* key = FindRegKey(Tree(root), parts);
  if (key == nullptr) return kFileNotFound;
  return fn(*key);
}

// fn(rootKey, parts, &changed) changes the tree only when it answers kOk; a change that cannot
// be persisted is undone.
template <class Fn>
OsError RegTreeRegistry::Change(RegRoot root, const std::string& path, Fn fn) {
  if (OsError err = Refresh(root)) return err;
  std::vector<std::string> parts;
  if (!SplitRegPath(path, &parts)) return kInvalidParameter;
  RegKey backup = Tree(root);
  bool changed = false;
  if (OsError err = fn(Tree(root), parts, &changed)) return err;
  if (!changed) return kOk;
  if (OsError err = Persist(root)) {
    Tree(root) = std::move(backup);
    return err;
  }
  return kOk;
}

OsError RegTreeRegistry::CreateKey(RegRoot root, const std::string& path) {
  return Change(root, path, [this](RegKey& key, const auto& parts, bool* changed) {
    RegKey* at = &key;
    for (const std::string& part : parts) {
      if (RegKey* sub = at->FindSubKey(part)) {
        at = sub;
        continue;
      }
      at->lastWrite = Now();
      at = &at->AddSubKey(part);
      at->lastWrite = Now();
      *changed = true;
    }
    return kOk;
  });
}

OsError RegTreeRegistry::OpenKey(RegRoot root, const std::string& path) {
  return Read(root, path, [](const RegKey&) { return kOk; });
}

OsError RegTreeRegistry::QueryValue(RegRoot root, const std::string& path, const std::string& name,
                                    RegValue* out) {
  return Read(root, path, [&](const RegKey& key) {
    const RegEntry* entry = key.FindValue(name);
    if (entry == nullptr) return kFileNotFound;
    *out = entry->value;
    return kOk;
  });
}

OsError RegTreeRegistry::SetValue(RegRoot root, const std::string& path, const std::string& name,
                                  const RegValue& value) {
  if (name.size() > kMaxRegValueNameLen) return kInvalidParameter;
  return Change(root, path, [&](RegKey& rootKey, const auto& parts, bool* changed) {
    RegKey* key = FindRegKey(rootKey, parts);
    if (key == nullptr) return kFileNotFound;
    key->SetValue(name, value);
    key->lastWrite = Now();
    *changed = true;
    return kOk;
  });
}

OsError RegTreeRegistry::DeleteValue(RegRoot root, const std::string& path,
                                     const std::string& name) {
  return Change(root, path, [&](RegKey& rootKey, const auto& parts, bool* changed) {
    RegKey* key = FindRegKey(rootKey, parts);
    if (key == nullptr || !key->RemoveValue(name)) return kFileNotFound;
    key->lastWrite = Now();
    *changed = true;
    return kOk;
  });
}

OsError RegTreeRegistry::DeleteKey(RegRoot root, const std::string& path) {
  return Change(root, path, [&](RegKey& rootKey, std::vector<std::string> parts, bool* changed) {
    if (parts.empty()) return kAccessDenied;  // a root cannot be deleted
    const RegKey* key = FindRegKey(rootKey, parts);
    if (key == nullptr) return kFileNotFound;
    if (!key->subKeys.empty()) return kAccessDenied;
    const std::string last = parts.back();
    parts.pop_back();
    RegKey* parent = FindRegKey(rootKey, parts);
    parent->RemoveSubKey(last);
    parent->lastWrite = Now();
    *changed = true;
    return kOk;
  });
}

OsError RegTreeRegistry::EnumKeys(RegRoot root, const std::string& path,
                                  std::vector<std::string>* out) {
  out->clear();
  return Read(root, path, [out](const RegKey& key) {
    for (const RegKey& sub : key.subKeys) out->push_back(sub.name);
    return kOk;
  });
}

OsError RegTreeRegistry::EnumValues(RegRoot root, const std::string& path,
                                    std::vector<std::string>* out) {
  out->clear();
  return Read(root, path, [out](const RegKey& key) {
    for (const RegEntry& entry : key.values) out->push_back(entry.name);
    return kOk;
  });
}

OsError RegTreeRegistry::QueryKeyInfo(RegRoot root, const std::string& path, RegKeyInfo* out) {
  return Read(root, path, [out](const RegKey& key) {
    RegKeyInfo info;
    info.subKeys = static_cast<uint32_t>(key.subKeys.size());
    info.values = static_cast<uint32_t>(key.values.size());
    for (const RegKey& sub : key.subKeys) {
      info.maxSubKeyLen = std::max(info.maxSubKeyLen, static_cast<uint32_t>(sub.name.size()));
    }
    for (const RegEntry& entry : key.values) {
      info.maxValueNameLen =
          std::max(info.maxValueNameLen, static_cast<uint32_t>(entry.name.size()));
      info.maxValueLen = std::max(info.maxValueLen, static_cast<uint32_t>(entry.value.data.size()));
    }
    info.lastWrite = key.lastWrite;
    *out = info;
    return kOk;
  });
}

OsError RegTreeRegistry::Flush(RegRoot root, const std::string& path) {
  // Every change is persisted when it is made.
  return OpenKey(root, path);
}

// ---- RegFileStore ----

namespace {

RegRoot OtherRoot(RegRoot root) {
  return root == RegRoot::kCurrentUser ? RegRoot::kLocalMachine : RegRoot::kCurrentUser;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

RegFileStore::RegFileStore(FileSystem& files, Clock* clock, std::string userFile,
                           std::string machineFile)
    : RegTreeRegistry(clock), files_(files), tempSeed_(std::random_device{}()) {
  user_.path = std::move(userFile);
  machine_.path = std::move(machineFile);
}

OsError RegFileStore::Refresh(RegRoot root) {
  RootFile& file = FileOf(root);
  std::vector<FileInfo> found;
  const OsError err = files_.Find(file.path, &found);
  if (err == kFileNotFound || err == kPathNotFound) {
    if (file.loaded && !file.exists) return kOk;
    Tree(root) = RegKey();
    file.other = RegKey();
    file.loaded = true;
    file.exists = false;
    return kOk;
  }
  if (err != kOk) return err;
  if (found.empty() || found.front().directory) return kAccessDenied;
  const FileInfo& info = found.front();
  if (file.loaded && file.exists && info.size == file.size && info.lastWrite == file.lastWrite) {
    return kOk;
  }
  return Load(root, info);
}

OsError RegFileStore::Load(RegRoot root, const FileInfo& info) {
  RootFile& file = FileOf(root);
  std::string bytes;
  if (OsError err = ReadAll(file.path, &bytes)) return err;
  RegDocument doc;
  ParseRegText(bytes, &doc);
  StampRegTree(doc.currentUser, info.lastWrite);
  StampRegTree(doc.localMachine, info.lastWrite);
  Tree(root) = std::move(doc.Root(root));
  file.other = std::move(doc.Root(OtherRoot(root)));
  file.loaded = true;
  file.exists = true;
  file.size = info.size;
  file.lastWrite = info.lastWrite;
  return kOk;
}

OsError RegFileStore::ReadAll(const std::string& path, std::string* bytes) {
  std::unique_ptr<File> file;
  if (OsError err = files_.Open(path, OpenMode::kRead, &file)) return err;
  int64_t size = 0;
  OsError err = file->Size(&size);
  size_t got = 0;
  if (err == kOk) {
    bytes->resize(static_cast<size_t>(size));
    err = file->ReadAt(0, bytes->data(), bytes->size(), &got);
    bytes->resize(got);
  }
  const OsError closeErr = file->Close();
  return err != kOk ? err : closeErr;
}

OsError RegFileStore::Persist(RegRoot root) {
  RootFile& file = FileOf(root);
  RegDocument doc;
  doc.Root(root) = Tree(root);
  doc.Root(OtherRoot(root)) = file.other;
  if (OsError err = WriteAtomically(file.path, FormatRegText(doc))) return err;
  // Remember what we wrote, so the next operation does not read it back.
  std::vector<FileInfo> found;
  file.loaded = files_.Find(file.path, &found) == kOk && !found.empty();
  if (file.loaded) {
    file.exists = true;
    file.size = found.front().size;
    file.lastWrite = found.front().lastWrite;
  }
  return kOk;
}

OsError RegFileStore::WriteAtomically(const std::string& path, const std::string& bytes) {
  const std::string folder = FolderOf(path);
  // As on Windows for a user without rights on the machine root: no folder, no write.
  if (!folder.empty() && files_.CreateFolders(folder) != kOk) return kAccessDenied;
  const std::string temp = TempName(path);
  std::unique_ptr<File> file;
  if (files_.Open(temp, OpenMode::kCreate, &file) != kOk) return kAccessDenied;
  OsError err = file->WriteAt(0, bytes.data(), bytes.size());
  const OsError closeErr = file->Close();
  if (err == kOk) err = closeErr;
  if (err == kOk) err = files_.Rename(temp, path);
  if (err != kOk) files_.Remove(temp);
  return err;
}

std::string RegFileStore::TempName(const std::string& path) {
  static constexpr char kDigits[] = "0123456789abcdef";
  uint32_t tag = tempSeed_ + 0x9E3779B9u * ++tempCounter_;
  std::string suffix;
  for (int i = 0; i < 8; ++i, tag >>= 4) suffix.push_back(kDigits[tag & 0x0F]);
  return path + "." + suffix + ".tmp";
}

}  // namespace qrv::platform
