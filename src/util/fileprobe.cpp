#include "util/fileprobe.h"

#include <vector>

namespace qrv {

namespace {

bool MeansNotFound(platform::OsError error) {
  return error == platform::kFileNotFound || error == platform::kPathNotFound ||
         error == platform::kNoMoreFiles;
}

// The first entry the search for path finds; false when there is none (see the header for
// which failures raise).
bool FindEntry(platform::FileSystem& fs, const std::string& path, bool raising,
               platform::FileInfo* entry) {
  if (path.empty()) return false;
  std::vector<platform::FileInfo> found;
  platform::OsError error = fs.Find(path, &found);
  if (error == platform::kOk && !found.empty()) {
    *entry = found.front();
    return true;
  }
  if (error != platform::kOk && raising && !MeansNotFound(error)) {
    RaiseInOutError(static_cast<int>(error));
  }
  return false;
}

}  // namespace

bool FileFound(platform::FileSystem& fs, const std::string& path, bool raising) {
  platform::FileInfo entry;
  return FindEntry(fs, path, raising, &entry);
}

int64_t FileSizeOf(platform::FileSystem& fs, const std::string& path, bool raising) {
  platform::FileInfo entry;
  return FindEntry(fs, path, raising, &entry) ? entry.size : -1;
}

TDateTime FileDateOf(platform::FileSystem& fs, const std::string& path, bool raising) {
  platform::FileInfo entry;
  if (!FindEntry(fs, path, raising, &entry)) return -1;
  return YearOfDate(entry.lastWrite) == 0 ? 0 : entry.lastWrite;
}

EInOutError MakeInOutError(int code) {
  switch (code) {
    case 2:
      return EInOutError("Datei nicht gefunden", code);
    case 3:
      return EInOutError("Ung\xFCltiger Dateiname", code);
    case 4:
      return EInOutError(
          "Zu viele ge\xF6"
          "ffnete Dateien",
          code);
    case 5:
      return EInOutError("Dateizugriff verweigert", code);
    case 100:
      return EInOutError("Versuch hinter dem Dateiende zu lesen", code);
    case 101:
      return EInOutError("Zu wenig Speicherplatz", code);
    case 106:
      return EInOutError("Ung\xFCltige numerische Eingabe", code);
    default:
      return EInOutError("E/A-Fehler " + std::to_string(code), code);
  }
}

void RaiseInOutError(int code) {
  throw MakeInOutError(code);
}

bool IsBlankRecord(const void* bytes, size_t length) {
  if (length < 2) return false;
  const auto* b = static_cast<const unsigned char*>(bytes);
  unsigned char fill;
  if (b[length - 2] == '\r' && b[length - 1] == '\n') {
    fill = ' ';
  } else if (b[length - 2] == 0 && b[length - 1] == 0) {
    fill = 0;
  } else {
    return false;
  }
  for (size_t i = 0; i + 2 < length; ++i) {
    if (b[i] != fill) return false;
  }
  return true;
}

std::string WithBackslash(const std::string& text) {
  if (text.empty() || text.back() == platform::kPathSeparator) return text;
  return text + platform::kPathSeparator;
}

std::string AppendBackslash(const std::string& text) {
  if (!text.empty() && text.back() == platform::kPathSeparator) return text;
  return text + platform::kPathSeparator;
}

std::string SystemTempDir(platform::FileSystem& fs) {
  return fs.TempDir();
}

uint32_t MillisecondTicks(platform::Clock& clock) {
  return clock.Ticks();
}

}  // namespace qrv
