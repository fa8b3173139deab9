// Probes of single files through the platform's file search, the input/output error of a system
// error code, and small path, record and system helpers.
//
// The probes answer "not found" for an empty path and for the codes that mean not found (2 file,
// 3 path, 18 no more files). Another failure is raised as MakeInOutError(code) when raising is
// set and answered as "not found" otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "util/datetime.h"
#include "util/errors.h"

namespace qrv {

bool FileFound(platform::FileSystem& fs, const std::string& path, bool raising);
// Size in bytes; -1 when not found.
int64_t FileSizeOf(platform::FileSystem& fs, const std::string& path, bool raising);
// Last-write time as a local date-time; -1 when not found, 0 when the stored time is no date of
// the years 1..9999.
TDateTime FileDateOf(platform::FileSystem& fs, const std::string& path, bool raising);

// The input/output error for a result code: "Datei nicht gefunden" (2), "Ung\xFCltiger Dateiname"
// (3), "Zu viele ge\xF6ffnete Dateien" (4), "Dateizugriff verweigert" (5), "Versuch hinter dem
// Dateiende zu lesen" (100), "Zu wenig Speicherplatz" (101), "Ung\xFCltige numerische Eingabe"
// (106), else "E/A-Fehler <code>".
EInOutError MakeInOutError(int code);
[[noreturn]] void RaiseInOutError(int code);

// An unused record slot: length >= 2 and either blanks ending in CR LF or NUL bytes throughout.
bool IsBlankRecord(const void* bytes, size_t length);

// text with the platform's path separator appended unless it already ends in one; an empty text
// stays empty.
std::string WithBackslash(const std::string& text);
// The same, but an empty text becomes the separator alone.
std::string AppendBackslash(const std::string& text);

// The system's folder for temporary files, as the system reports it.
std::string SystemTempDir(platform::FileSystem& fs);
// Milliseconds since the system started; wraps after about 49.7 days.
uint32_t MillisecondTicks(platform::Clock& clock);

}  // namespace qrv
