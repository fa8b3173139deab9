// Small steps of the record-file layer over the platform's files: the input/output error of a
// system code, whole-file replacement that no reader ever sees half done, and the blank slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files.h"
#include "util/errors.h"

namespace qrv {

// The layer's own messages.
inline constexpr char kMsgBadRecord[] = "Ung\xFCltige Recordnummer";
inline constexpr char kMsgReadError[] = "Fehler beim Lesen";
inline constexpr char kMsgWriteError[] = "Fehler beim Schreiben";
inline constexpr char kMsgBackupFailed[] = "Backuperzeugung fehlgeschlagen";
// A write refused because the data were opened for reading only (with the access-denied code).
inline constexpr char kMsgReadOnly[] =
    "Schreiben nicht erlaubt: Daten nur zum Lesen ge\xF6"
    "ffnet";

// Raises the input/output error of a system code (MakeInOutError); a full disk on a write raises
// "Fehler beim Schreiben".
[[noreturn]] void RaiseFileError(platform::OsError error);
[[noreturn]] void RaiseWriteError(platform::OsError error);
// Raises the error of a write that answered error; nothing on success.
void CheckWrite(platform::OsError error);

// Puts bytes in place as the whole content of path: written to a new file in the same folder,
// then renamed over path, so that neither a failed write nor a killed process nor a reader in
// another process ever meets a short or empty file. The temporary file is removed on failure.
void ReplaceFile(platform::FileSystem& fs, const std::string& path, const void* bytes, size_t n);

// Fills n bytes with a blank slot: spaces ending in CR LF.
void FillBlankSlot(char* slot, size_t n);

// A record that holds nothing: it begins with the marker 0x12345678 (little-endian) or is blank
// (IsBlankRecord).
bool IsEmptyRecord(const void* raw, size_t n);

// The same path with the backup extension .JBK.
std::string BackupName(const std::string& path);

}  // namespace qrv
