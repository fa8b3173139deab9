// Registry stores over registry trees (reg_tree.h).
//
// RegTreeRegistry keeps both roots in memory; it is the registry of the tests and the base of
// RegFileStore, which keeps each root in a .reg text file (reg_text.h): the registry of the
// Linux build.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/reg_tree.h"
#include "platform/registry.h"

namespace qrv::platform {

class RegTreeRegistry : public Registry {
 public:
  // clock (may be null) gives the last-write time of changed keys; it must outlive the store.
  explicit RegTreeRegistry(Clock* clock = nullptr) : clock_(clock) {}

  OsError CreateKey(RegRoot root, const std::string& path) override;
  OsError OpenKey(RegRoot root, const std::string& path) override;
  OsError QueryValue(RegRoot root, const std::string& path, const std::string& name,
                     RegValue* out) override;
  OsError SetValue(RegRoot root, const std::string& path, const std::string& name,
                   const RegValue& value) override;
  OsError DeleteValue(RegRoot root, const std::string& path, const std::string& name) override;
  OsError DeleteKey(RegRoot root, const std::string& path) override;
  OsError EnumKeys(RegRoot root, const std::string& path, std::vector<std::string>* out) override;
  OsError EnumValues(RegRoot root, const std::string& path, std::vector<std::string>* out) override;
  OsError QueryKeyInfo(RegRoot root, const std::string& path, RegKeyInfo* out) override;
  OsError Flush(RegRoot root, const std::string& path) override;

 protected:
  // Called before every operation on root; an error fails the operation.
  virtual OsError Refresh(RegRoot /*root*/) { return kOk; }
  // Called after every change of root; on an error the change is undone and the error answered.
  virtual OsError Persist(RegRoot /*root*/) { return kOk; }

  RegKey& Tree(RegRoot root) { return doc_.Root(root); }
  double Now() const { return clock_ != nullptr ? clock_->Now() : 0; }

 private:
  template <class Fn>
  OsError Read(RegRoot root, const std::string& path, Fn fn);
  template <class Fn>
  OsError Change(RegRoot root, const std::string& path, Fn fn);

  RegDocument doc_;
  Clock* clock_;
};

// One .reg file per root; a missing file is an empty root. The file is read on first use and
// again whenever its size or last-write time changed (another process wrote it); every change
// rewrites the whole file through a temporary file in the same folder and a rename, so a reader
// never sees half a file. Keys of the other root found in a file are kept and written back.
// A root whose folder cannot be created or written answers kAccessDenied on every change.
class RegFileStore final : public RegTreeRegistry {
 public:
  // files and clock must outlive the store.
  RegFileStore(FileSystem& files, Clock* clock, std::string userFile, std::string machineFile);

 protected:
  OsError Refresh(RegRoot root) override;
  OsError Persist(RegRoot root) override;

 private:
  struct RootFile {
    std::string path;
    bool loaded = false;
    bool exists = false;
    int64_t size = 0;
    double lastWrite = 0;
    RegKey other;  // keys of the other root found in this file
  };

  RootFile& FileOf(RegRoot root) { return root == RegRoot::kCurrentUser ? user_ : machine_; }
  OsError Load(RegRoot root, const FileInfo& info);
  OsError ReadAll(const std::string& path, std::string* bytes);
  OsError WriteAtomically(const std::string& path, const std::string& bytes);
  std::string TempName(const std::string& path);

  FileSystem& files_;
  RootFile user_;
  RootFile machine_;
  uint32_t tempSeed_;
  uint32_t tempCounter_ = 0;
};

}  // namespace qrv::platform
