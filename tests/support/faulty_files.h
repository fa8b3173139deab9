// A file system that forwards to another one and fails chosen calls, to drive every failure path
// of the code above it (fail the 1st, 2nd, ... operation once or for good, or write half a
// buffer), and counts the files that are still open.
#pragma once

#include <memory>

#include "platform/files.h"

namespace qrv::testing {

class FaultyFileSystem final : public platform::FileSystemWrapper {
 public:
  // Over the system's own file system.
  FaultyFileSystem();
  // inner must outlive this object and the files it opens.
  explicit FaultyFileSystem(platform::FileSystem& inner);
  ~FaultyFileSystem() override;

  // Operations are every FileSystem call but TempDir (which cannot fail) and ReadOnly, and every
  // File call.
  // The n-th operation from now (1: the next one) answers code without reaching the inner file
  // system; persistent: every later one does too. A failed Close still closes the file.
  void FailOperation(int n, platform::OsError code, bool persistent = false);
  // The same, counting WriteAt calls only.
  void FailWrite(int n, platform::OsError code, bool persistent = false);
  // The n-th WriteAt from now writes the first half of its bytes and answers kDiskFull.
  void ShortWrite(int n);
  void ClearFaults();

  int Operations() const;      // operations since construction
  int Writes() const;          // WriteAt calls since construction
  int InjectedFaults() const;  // failures and short writes delivered since construction
  int OpenFiles() const;       // files opened through this object and not yet closed

  platform::OsError Open(const std::string& path, platform::OpenMode mode,
                         std::unique_ptr<platform::File>* out) override;
  platform::OsError Find(const std::string& pattern, std::vector<platform::FileInfo>* out) override;
  platform::OsError Rename(const std::string& from, const std::string& to) override;
  platform::OsError Remove(const std::string& path) override;
  platform::OsError CreateFolders(const std::string& path) override;

  struct State;

 private:
  std::shared_ptr<State> state_;  // shared with the open files, which may outlive this object
};

}  // namespace qrv::testing
