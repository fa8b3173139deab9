#include "platform/posix/posix_files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/posix/posix_errno.h"
#include "platform/posix/posix_paths.h"
#include "platform/posix/posix_time.h"
#include "platform/utf8.h"

namespace qrv::platform {

namespace {

class PosixFile final : public File {
 public:
  PosixFile(int fd, std::string native) : fd_(fd), native_(std::move(native)) {}
  ~PosixFile() override {
    if (fd_ >= 0) close(fd_);
  }

  OsError ReadAt(int64_t offset, void* buffer, size_t n, size_t* got) override {
    *got = 0;
    if (fd_ < 0) return kInvalidHandle;
    if (offset < 0) return kInvalidParameter;
    auto* bytes = static_cast<char*>(buffer);
    while (*got < n) {
      const ssize_t r = pread(fd_, bytes + *got, n - *got, offset + static_cast<off_t>(*got));
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return Error(IoDirection::kRead);
      if (r == 0) break;
      *got += static_cast<size_t>(r);
    }
    return kOk;
  }

  OsError WriteAt(int64_t offset, const void* buffer, size_t n) override {
    if (fd_ < 0) return kInvalidHandle;
    if (offset < 0) return kInvalidParameter;
    const auto* bytes = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < n) {
      const ssize_t w = pwrite(fd_, bytes + done, n - done, offset + static_cast<off_t>(done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return Error(IoDirection::kWrite);
      if (w == 0) return kDiskFull;
      done += static_cast<size_t>(w);
    }
    return kOk;
  }

  OsError Size(int64_t* size) override {
    if (fd_ < 0) return kInvalidHandle;
    struct stat st {};
    if (fstat(fd_, &st) != 0) return Error(IoDirection::kRead);
    *size = st.st_size;
    return kOk;
  }

  OsError Truncate(int64_t size) override {
    if (fd_ < 0) return kInvalidHandle;
    if (size < 0) return kInvalidParameter;
    while (ftruncate(fd_, size) != 0) {
      if (errno != EINTR) return Error(IoDirection::kWrite);
    }
    return kOk;
  }

  OsError Close() override {
    if (fd_ < 0) return kInvalidHandle;
    const int result = close(fd_);
    fd_ = -1;
    // The descriptor is gone even when close reports an error (EINTR included).
    return result == 0 || errno == EINTR ? kOk : Error(IoDirection::kWrite);
  }

 private:
  OsError Error(IoDirection direction) const { return OsErrorFromErrno(errno, direction, native_); }

  int fd_;
  std::string native_;
};

FileInfo InfoOf(const std::string& name, const struct stat& st) {
  FileInfo info;
  info.name = name;
  info.size = st.st_size;
  info.lastWrite = LocalDateTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  info.directory = S_ISDIR(st.st_mode);
  return info;
}

std::string LastComponent(const std::string& native) {
  const size_t slash = native.find_last_of('/');
  return slash == std::string::npos ? native : native.substr(slash + 1);
}

// Entries of folder whose ANSI names match the pattern, sorted by name without regard to case.
OsError ScanFolder(const std::string& folder, const std::string& pattern,
                   std::vector<FileInfo>* out) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return OsErrorFromErrno(errno, IoDirection::kRead, folder + "/");
  while (const dirent* entry = readdir(dir)) {
    const std::string native = entry->d_name;
    if (native == "." || native == "..") continue;
    const std::string name = Utf8ToAnsi(native);
    struct stat st {};
    if (!MatchWildcard(pattern, name) || stat((folder + "/" + native).c_str(), &st) != 0) continue;
    out->push_back(InfoOf(name, st));
  }
  closedir(dir);
  std::sort(out->begin(), out->end(), [](const FileInfo& a, const FileInfo& b) {
    std::string fa = a.name, fb = b.name;
    for (char& c : fa) c = FoldAnsiCase(c);
    for (char& c : fb) c = FoldAnsiCase(c);
    return fa != fb ? fa < fb : a.name < b.name;
  });
  return out->empty() ? kFileNotFound : kOk;
}

int OpenFlags(OpenMode mode) {
  switch (mode) {
    case OpenMode::kRead:
      return O_RDONLY;
    case OpenMode::kReadWrite:
      return O_RDWR;
    case OpenMode::kCreate:
      return O_RDWR | O_CREAT | O_TRUNC;
  }
  return O_RDONLY;
}

}  // namespace

OsError PosixFileSystem::Open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) {
  out->reset();
  const ResolvedPath resolved = ResolvePath(NativePath(path));
  if (resolved.folderMissing) return kPathNotFound;
  const IoDirection direction = mode == OpenMode::kRead ? IoDirection::kRead : IoDirection::kWrite;
  int fd = -1;
  do {
    fd = open(resolved.native.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return OsErrorFromErrno(errno, direction, resolved.native);
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {  // a folder is not a file to read
    close(fd);
    return kAccessDenied;
  }
  *out = std::make_unique<PosixFile>(fd, resolved.native);
  return kOk;
}

OsError PosixFileSystem::Find(const std::string& pattern, std::vector<FileInfo>* out) {
  out->clear();
  const std::string native = NativePath(pattern);
  const size_t slash = native.find_last_of('/');
  const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
  const std::string folderPart = slash == std::string::npos ? "." : native.substr(0, slash + 1);
  struct stat st {};
  // The common case, a file named as it is stored, costs one stat.
  if (!name.empty() && name.find_first_of("*?") == std::string::npos &&
      stat(native.c_str(), &st) == 0) {
    out->push_back(InfoOf(Utf8ToAnsi(name), st));
    return kOk;
  }
  const ResolvedPath folder = ResolvePath(folderPart);
  if (!folder.exists || stat(folder.native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return kPathNotFound;
  }
  if (name.empty()) return kFileNotFound;
  if (name.find_first_of("*?") != std::string::npos) {
    return ScanFolder(folder.native, Utf8ToAnsi(name), out);
  }
  const ResolvedPath entry = ResolvePath(native);
  if (!entry.exists || stat(entry.native.c_str(), &st) != 0) return kFileNotFound;
  out->push_back(InfoOf(Utf8ToAnsi(LastComponent(entry.native)), st));
  return kOk;
}

OsError PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  const ResolvedPath source = ResolvePath(NativePath(from));
  if (source.folderMissing) return kPathNotFound;
  if (!source.exists) return kFileNotFound;
  const std::string wanted = NativePath(to);
  ResolvedPath target = ResolvePath(wanted);
  if (target.folderMissing) return kPathNotFound;
  if (target.native == source.native) {
    // Only the case changes: keep the resolved folder and take the new name as written.
    const size_t slash = target.native.find_last_of('/');
    target.native = target.native.substr(0, slash + 1) + LastComponent(wanted);
  }
  if (rename(source.native.c_str(), target.native.c_str()) != 0) {
    return OsErrorFromErrno(errno, IoDirection::kWrite, target.native);
  }
  return kOk;
}

OsError PosixFileSystem::Remove(const std::string& path) {
  const ResolvedPath resolved = ResolvePath(NativePath(path));
  if (resolved.folderMissing) return kPathNotFound;
  if (unlink(resolved.native.c_str()) != 0) {
    return OsErrorFromErrno(errno, IoDirection::kWrite, resolved.native);
  }
  return kOk;
}

OsError PosixFileSystem::CreateFolders(const std::string& path) {
  const std::string native = NativePath(path);
  if (native.empty()) return kPathNotFound;
  std::string folder = native.front() == '/' ? "/" : "";
  size_t start = 0;
  while (start <= native.size()) {
    size_t end = native.find('/', start);
    if (end == std::string::npos) end = native.size();
    if (end > start) {
      const std::string part = native.substr(start, end - start);
      std::string candidate = folder + part;
      struct stat st {};
      if (stat(candidate.c_str(), &st) != 0) {
        const std::string match = FindNoCase(folder, part);
        if (!match.empty()) candidate = folder + match;
      }
      if (stat(candidate.c_str(), &st) != 0) {
        if (mkdir(candidate.c_str(), 0777) != 0 && errno != EEXIST) {
          return OsErrorFromErrno(errno, IoDirection::kWrite, candidate);
        }
      } else if (!S_ISDIR(st.st_mode)) {
        return kAlreadyExists;  // a file stands where a folder should be
      }
      folder = candidate + "/";
    }
    start = end + 1;
  }
  return kOk;
}

std::string PosixFileSystem::TempDir() {
  const char* dir = std::getenv("TMPDIR");
  std::string result = dir != nullptr && *dir != '\0' ? Utf8ToAnsi(dir) : std::string("/tmp");
  if (result.back() != '/') result.push_back('/');
  return result;
}

}  // namespace qrv::platform
