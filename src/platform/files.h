// File-system interface of the platform layer.
//
// Paths are 8-bit text in the ANSI code page. The platform names its separator; a backslash in a
// path that arrives from stored data or settings is read as a separator on every platform.
// Every call answers an OsError (Windows numbering, see os_error.h); 0 is success.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/os_error.h"

namespace qrv::platform {

// One open file. Records are read and written at explicit offsets. The object closes the file
// when destroyed; Close() reports the error of an explicit close.
class File {
 public:
  virtual ~File() = default;
  // Reads up to n bytes at offset; *got receives the count read (less than n at the end of file).
  virtual OsError ReadAt(int64_t offset, void* buffer, size_t n, size_t* got) = 0;
  // Writes all n bytes at offset, extending the file as needed. A short write is an error
  // (kDiskFull when the device is full).
  virtual OsError WriteAt(int64_t offset, const void* buffer, size_t n) = 0;
  virtual OsError Size(int64_t* size) = 0;
  // Sets the file's length, cutting or extending it.
  virtual OsError Truncate(int64_t size) = 0;
  virtual OsError Close() = 0;
};

enum class OpenMode {
  kRead,       // existing file, read only
  kReadWrite,  // existing file, read and write
  kCreate,     // create or empty the file, read and write
};

struct FileInfo {
  std::string name;      // name within its folder, as stored
  int64_t size = 0;      // bytes
  double lastWrite = 0;  // local date-time of the last write (days since 30 Dec 1899)
  bool directory = false;
};

// The separator of this platform's paths: where the installation composes a path with a
// backslash, the Linux build uses '/'.
#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual OsError Open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) = 0;
  // Entries of the folder of pattern whose names match its last component (wildcards * and ?,
  // compared without regard to case). Nothing found: kFileNotFound when the folder exists,
  // kPathNotFound when it does not.
  virtual OsError Find(const std::string& pattern, std::vector<FileInfo>* out) = 0;
  // Renames a file; an existing target is replaced.
  virtual OsError Rename(const std::string& from, const std::string& to) = 0;
  virtual OsError Remove(const std::string& path) = 0;
  // Creates a folder and every missing folder above it; an existing folder is success.
  virtual OsError CreateFolders(const std::string& path) = 0;
  // The system's folder for temporary files, with a trailing separator.
  virtual std::string TempDir() = 0;
  // True when this file system refuses every change (a read-only view of an installation). The
  // layers above then complete missing data in memory instead of writing it.
  virtual bool ReadOnly() const { return false; }
};

// Forwards every call to another file (leveldb's wrapper habit): a subclass overrides only what
// it changes. The wrapped file belongs to the wrapper.
class FileWrapper : public File {
 public:
  explicit FileWrapper(std::unique_ptr<File> target) : target_(std::move(target)) {}

  OsError ReadAt(int64_t offset, void* buffer, size_t n, size_t* got) override {
    return target_->ReadAt(offset, buffer, n, got);
  }
  OsError WriteAt(int64_t offset, const void* buffer, size_t n) override {
    return target_->WriteAt(offset, buffer, n);
  }
  OsError Size(int64_t* size) override { return target_->Size(size); }
  OsError Truncate(int64_t size) override { return target_->Truncate(size); }
  OsError Close() override { return target_->Close(); }

 protected:
  File& Target() { return *target_; }

 private:
  std::unique_ptr<File> target_;
};

// Forwards every call to another file system, which must outlive the wrapper and the files it
// opens: a subclass overrides only what it changes.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& target) : target_(target) {}
  // Not copied: a copy would wrap this wrapper's target, not the wrapper.
  FileSystemWrapper(const FileSystemWrapper&) = delete;
  FileSystemWrapper& operator=(const FileSystemWrapper&) = delete;

  OsError Open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override {
    return target_.Open(path, mode, out);
  }
  OsError Find(const std::string& pattern, std::vector<FileInfo>* out) override {
    return target_.Find(pattern, out);
  }
  OsError Rename(const std::string& from, const std::string& to) override {
    return target_.Rename(from, to);
  }
  OsError Remove(const std::string& path) override { return target_.Remove(path); }
  OsError CreateFolders(const std::string& path) override { return target_.CreateFolders(path); }
  std::string TempDir() override { return target_.TempDir(); }
  bool ReadOnly() const override { return target_.ReadOnly(); }

 protected:
  FileSystem& Target() const { return target_; }

 private:
  FileSystem& target_;
};

}  // namespace qrv::platform
