#include "platform/read_only.h"

namespace qrv::platform {

namespace {

// A file opened for reading: writes never reach it, whatever the system would allow.
class ReadOnlyFile final : public FileWrapper {
 public:
  using FileWrapper::FileWrapper;
  OsError WriteAt(int64_t, const void*, size_t) override { return kAccessDenied; }
  OsError Truncate(int64_t) override { return kAccessDenied; }
};

}  // namespace

OsError ReadOnlyFileSystem::Open(const std::string& path, OpenMode mode,
                                 std::unique_ptr<File>* out) {
  out->reset();
  if (mode != OpenMode::kRead) return kAccessDenied;
  std::unique_ptr<File> file;
  const OsError error = Target().Open(path, mode, &file);
  if (error == kOk) *out = std::make_unique<ReadOnlyFile>(std::move(file));
  return error;
}

OsError ReadOnlyFileSystem::Rename(const std::string&, const std::string&) {
  return kAccessDenied;
}

OsError ReadOnlyFileSystem::Remove(const std::string&) {
  return kAccessDenied;
}

OsError ReadOnlyFileSystem::CreateFolders(const std::string&) {
  return kAccessDenied;
}

OsError ReadOnlyRegistry::CreateKey(RegRoot root, const std::string& path) {
  return Target().OpenKey(root, path) == kOk ? kOk : kAccessDenied;
}

OsError ReadOnlyRegistry::SetValue(RegRoot, const std::string&, const std::string&,
                                   const RegValue&) {
  return kAccessDenied;
}

OsError ReadOnlyRegistry::DeleteValue(RegRoot, const std::string&, const std::string&) {
  return kAccessDenied;
}

OsError ReadOnlyRegistry::DeleteKey(RegRoot, const std::string&) {
  return kAccessDenied;
}

OsError ReadOnlyRegistry::Flush(RegRoot, const std::string&) {
  return kOk;
}

}  // namespace qrv::platform
