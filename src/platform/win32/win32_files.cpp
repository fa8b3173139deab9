#include "platform/win32/win32_files.h"

#include <algorithm>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_retry.h"
#include "platform/win32/win32_time.h"

namespace qrv::platform {
namespace {

// Largest piece handed to one ReadFile or WriteFile call.
constexpr size_t kMaxChunk = 1u << 30;

OVERLAPPED At(int64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset) & 0xFFFFFFFFu);
  position.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  return position;
}

class Win32File final : public File {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override { Close(); }

  OsError ReadAt(int64_t offset, void* buffer, size_t n, size_t* got) override {
    *got = 0;
    if (handle_ == INVALID_HANDLE_VALUE) return kInvalidHandle;
    auto* bytes = static_cast<char*>(buffer);
    while (*got < n) {
      DWORD piece = 0;
      const OsError error = ReadPiece(offset + static_cast<int64_t>(*got), bytes + *got,
                                      std::min(n - *got, kMaxChunk), &piece);
      if (error == kHandleEof) break;
      if (error != kOk) return error;
      if (piece == 0) break;
      *got += piece;
    }
    return kOk;
  }

  OsError WriteAt(int64_t offset, const void* buffer, size_t n) override {
    if (handle_ == INVALID_HANDLE_VALUE) return kInvalidHandle;
    const auto* bytes = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < n) {
      DWORD piece = 0;
      const OsError error = WritePiece(offset + static_cast<int64_t>(done), bytes + done,
                                       std::min(n - done, kMaxChunk), &piece);
      if (error != kOk) return error;
      if (piece == 0) return kDiskFull;
      done += piece;
    }
    return kOk;
  }

  OsError Size(int64_t* size) override {
    *size = 0;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(handle_, &length)) return LastError(kInvalidHandle);
    *size = length.QuadPart;
    return kOk;
  }

  OsError Truncate(int64_t size) override {
    LARGE_INTEGER position;
    position.QuadPart = size;
    if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN)) return LastError();
    return RetryWhileBusy([&]() -> OsError { return SetEndOfFile(handle_) ? kOk : LastError(); });
  }

  OsError Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return kOk;
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed ? kOk : LastError(kInvalidHandle);
  }

 private:
  OsError ReadPiece(int64_t offset, char* bytes, size_t n, DWORD* got) {
    return RetryWhileBusy([&]() -> OsError {
      OVERLAPPED position = At(offset);
      return ReadFile(handle_, bytes, static_cast<DWORD>(n), got, &position)
                 ? kOk
                 : LastError(kReadFault);
    });
  }

  OsError WritePiece(int64_t offset, const char* bytes, size_t n, DWORD* put) {
    return RetryWhileBusy([&]() -> OsError {
      OVERLAPPED position = At(offset);
      return WriteFile(handle_, bytes, static_cast<DWORD>(n), put, &position)
                 ? kOk
                 : LastError(kWriteFault);
    });
  }

  HANDLE handle_;
};

struct OpenFlags {
  DWORD access;
  DWORD disposition;
};

OpenFlags FlagsOf(OpenMode mode) {
  switch (mode) {
    case OpenMode::kRead:
      return {GENERIC_READ, OPEN_EXISTING};
    case OpenMode::kReadWrite:
      return {GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING};
    case OpenMode::kCreate:
      break;
  }
  return {GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS};
}

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

FileInfo InfoOf(const WIN32_FIND_DATAA& found) {
  FileInfo info;
  info.name = found.cFileName;
  info.size =
      static_cast<int64_t>((static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
  info.lastWrite = LocalDateTimeFromFileTime(found.ftLastWriteTime);
  info.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return info;
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

OsError Win32FileSystem::Open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) {
  out->reset();
  const OpenFlags flags = FlagsOf(mode);
  HANDLE handle = INVALID_HANDLE_VALUE;
  const OsError error = RetryWhileBusy([&]() -> OsError {
    handle = CreateFileA(path.c_str(), flags.access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         flags.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE ? kOk : LastError(kFileNotFound);
  });
  if (error != kOk) return error;
  *out = std::make_unique<Win32File>(handle);
  return kOk;
}

OsError Win32FileSystem::Find(const std::string& pattern, std::vector<FileInfo>* out) {
  out->clear();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return LastError(kFileNotFound);
  do {
    if (!IsDotEntry(found.cFileName)) out->push_back(InfoOf(found));
  } while (FindNextFileA(search, &found));
  const OsError error = GetLastError() == ERROR_NO_MORE_FILES ? kOk : LastError();
  FindClose(search);
  if (error != kOk) return error;
  return out->empty() ? kFileNotFound : kOk;
}

OsError Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  return RetryWhileBusy([&]() -> OsError {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? kOk : LastError();
  });
}

OsError Win32FileSystem::Remove(const std::string& path) {
  return RetryWhileBusy(
      [&]() -> OsError { return DeleteFileA(path.c_str()) ? kOk : LastError(kFileNotFound); });
}

OsError Win32FileSystem::CreateFolders(const std::string& path) {
  std::string folder = path;
  while (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();
  if (folder.empty() || IsFolder(folder)) return kOk;
  const size_t cut = folder.find_last_of("\\/");
  if (cut != std::string::npos && cut > 0) {
    const OsError error = CreateFolders(folder.substr(0, cut));
    if (error != kOk) return error;
  }
  if (CreateDirectoryA(folder.c_str(), nullptr)) return kOk;
  const OsError error = LastError(kPathNotFound);
  return error == kAlreadyExists && IsFolder(folder) ? kOk : error;
}

std::string Win32FileSystem::TempDir() {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length > sizeof buffer) return ".\\";
  std::string folder(buffer, length);
  if (!IsSeparator(folder.back())) folder += '\\';
  return folder;
}

}  // namespace qrv::platform
