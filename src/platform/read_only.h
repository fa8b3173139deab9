// Read-only views of the file system and the registry, for inspecting an installation without
// changing it. Every change is refused with kAccessDenied before it reaches the system; reads
// pass through. Both answer ReadOnly(), so that the layers above complete missing data in memory
// instead of writing it.
#pragma once

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/registry.h"

namespace qrv::platform {

// Opens files for reading only; opening for writing or creating, renaming, removing and
// creating folders answer kAccessDenied, and so do writes to and truncation of an open file.
class ReadOnlyFileSystem final : public FileSystemWrapper {
 public:
  explicit ReadOnlyFileSystem(FileSystem& target) : FileSystemWrapper(target) {}

  OsError Open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override;
  OsError Rename(const std::string& from, const std::string& to) override;
  OsError Remove(const std::string& path) override;
  OsError CreateFolders(const std::string& path) override;
  bool ReadOnly() const override { return true; }
};

// Setting and deleting values and keys answer kAccessDenied. Creating a key that exists already
// opens it, as the registry does, and so succeeds; a missing key is not created. Flush has
// nothing to write and answers kOk without passing the call on.
class ReadOnlyRegistry final : public RegistryWrapper {
 public:
  explicit ReadOnlyRegistry(Registry& target) : RegistryWrapper(target) {}

  OsError CreateKey(RegRoot root, const std::string& path) override;
  OsError SetValue(RegRoot root, const std::string& path, const std::string& name,
                   const RegValue& value) override;
  OsError DeleteValue(RegRoot root, const std::string& path, const std::string& name) override;
  OsError DeleteKey(RegRoot root, const std::string& path) override;
  OsError Flush(RegRoot root, const std::string& path) override;
  bool ReadOnly() const override { return true; }
};

}  // namespace qrv::platform
