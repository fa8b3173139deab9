// The file system of the Windows build: the ANSI Win32 file calls. Errors are the calls' own
// GetLastError numbers.
#pragma once

#include "platform/files.h"

namespace qrv::platform {

class Win32FileSystem final : public FileSystem {
 public:
  OsError Open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override;
  OsError Find(const std::string& pattern, std::vector<FileInfo>* out) override;
  OsError Rename(const std::string& from, const std::string& to) override;
  OsError Remove(const std::string& path) override;
  OsError CreateFolders(const std::string& path) override;
  std::string TempDir() override;
};

}  // namespace qrv::platform
