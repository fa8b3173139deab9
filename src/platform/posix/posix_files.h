// The POSIX file system of the platform layer. Paths are ANSI with '/' or '\' as separator;
// names that do not exist as written are found without regard to case (posix_paths.h). Errors
// answer Windows numbers (posix_errno.h).
#pragma once

#include "platform/files.h"

namespace qrv::platform {

class PosixFileSystem final : public FileSystem {
 public:
  OsError Open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override;
  OsError Find(const std::string& pattern, std::vector<FileInfo>* out) override;
  OsError Rename(const std::string& from, const std::string& to) override;
  OsError Remove(const std::string& path) override;
  OsError CreateFolders(const std::string& path) override;
  // $TMPDIR, else /tmp.
  std::string TempDir() override;
};

}  // namespace qrv::platform
