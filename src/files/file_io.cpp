#include "files/file_io.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <random>

#include "util/fileprobe.h"
#include "util/paths.h"

namespace qrv {

namespace {

// A name beside path that no other process picks at the same moment.
std::string TemporaryNameFor(const std::string& path) {
  static const uint32_t session = std::random_device{}();
  static std::atomic<uint32_t> counter{0};
  static constexpr char kHex[] = "0123456789ABCDEF";
  const uint64_t tag = (static_cast<uint64_t>(session) << 32) | counter.fetch_add(1);
  std::string name = path + ".~";
  for (int shift = 60; shift >= 0; shift -= 4) name += kHex[(tag >> shift) & 0xF];
  return name;
}

void WriteNewFile(platform::FileSystem& fs, const std::string& path, const void* bytes, size_t n) {
  std::unique_ptr<platform::File> file;
  const platform::OsError opened = fs.Open(path, platform::OpenMode::kCreate, &file);
  if (opened != platform::kOk) RaiseFileError(opened);
  platform::OsError error = n > 0 ? file->WriteAt(0, bytes, n) : platform::kOk;
  const platform::OsError closed = file->Close();
  CheckWrite(error);
  if (closed != platform::kOk) RaiseFileError(closed);
}

}  // namespace

void RaiseFileError(platform::OsError error) {
  RaiseInOutError(static_cast<int>(error));
}

void RaiseWriteError(platform::OsError error) {
  if (error == platform::kDiskFull) throw EInOutError(kMsgWriteError, 0);
  RaiseFileError(error);
}

void CheckWrite(platform::OsError error) {
  if (error != platform::kOk) RaiseWriteError(error);
}

void ReplaceFile(platform::FileSystem& fs, const std::string& path, const void* bytes, size_t n) {
  const std::string temporary = TemporaryNameFor(path);
  try {
    WriteNewFile(fs, temporary, bytes, n);
    const platform::OsError renamed = fs.Rename(temporary, path);
    if (renamed != platform::kOk) RaiseFileError(renamed);
  } catch (...) {
    fs.Remove(temporary);
    throw;
  }
}

void FillBlankSlot(char* slot, size_t n) {
  std::memset(slot, ' ', n);
  if (n >= 2) {
    slot[n - 2] = '\r';
    slot[n - 1] = '\n';
  }
}

bool IsEmptyRecord(const void* raw, size_t n) {
  const auto* b = static_cast<const unsigned char*>(raw);
  if (n >= 4) {
    const uint32_t marker = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                            static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    if (marker == 0x12345678u) return true;
  }
  return IsBlankRecord(raw, n);
}

std::string BackupName(const std::string& path) {
  return ChangeFileExt(path, ".JBK");
}

}  // namespace qrv
