#include "files/record_file.h"

#include <algorithm>
#include <cstring>

#include "files/file_io.h"
#include "util/datetime.h"
#include "util/fileprobe.h"
#include "util/paths.h"
#include "util/texts.h"

namespace qrv {

namespace {

using platform::OpenMode;
using platform::OsError;

constexpr char kMissingPersonFolder[] = "Verzeichnis f\xFCr Personenstamm fehlt";
constexpr char kMissingPersonFile[] = "Datei f\xFCr Personenstamm fehlt";
// Blank slots are appended in batches of at most this many bytes.
constexpr size_t kBlankBatch = 64 * 1024;

int64_t WholeSlots(int64_t size, int32_t slotSize) {
  return slotSize > 0 ? size - size % slotSize : size;
}

int64_t SizeOf(platform::File& file) {
  int64_t size = 0;
  const OsError error = file.Size(&size);
  if (error != platform::kOk) RaiseFileError(error);
  return size;
}

void CloseAfterWrite(platform::File& file) {
  const OsError error = file.Close();
  if (error != platform::kOk) RaiseFileError(error);
}

}  // namespace

TFile::TFile(const platform::Platform& platform, const TKonfig& konfig, uint8_t flags)
    : Flags(flags & rfRawIsObject ? flags | rfInternalRaw : flags),
      Directory(WithBackslash(konfig.DataPath)),
      platform_(platform),
      konfig_(konfig) {}

void TFile::RawToObject(void*, void*, int32_t, int32_t, int32_t) {}

void TFile::ObjectToRaw(void*, void*, int32_t, int32_t, int32_t) {}

std::string TFile::BuildFileName(int32_t a, int32_t b, int32_t c) {
  std::string name = Directory;
  if (a > 0 && (Flags & (rfKeyFolderFixedName | rfKeyFolder))) {
    name += std::to_string(a) + platform::kPathSeparator;
  }
  if (b > 0 && (Flags & rfMonthFile)) {
    // A month outside the year names no file.
    if (b > 12) throw EInOutError(kMsgBadRecord, 0);
    name += std::to_string(a) + platform::kPathSeparator;
    return name + ShortMonthNames(*platform_.locale)[b - 1] + "." + Ext;
  }
  if (c == 0 || (Flags & (rfWholeFile | rfKeyFolderFixedName))) return name + BaseName + "." + Ext;
  return name + BaseName + std::to_string(c) + "." + Ext;
}

void TFile::SelectFile(int32_t a, int32_t b, int32_t c) {
  KeyA = a;
  KeyB = b;
  if (c > 0) KeyC = c;
  FileName = BuildFileName(a, b, c);
}

void TFile::CheckRecordNumber(int32_t, int32_t, int32_t c) const {
  if (c > MaxRecord || c < MinRecord) throw EInOutError(kMsgBadRecord, 0);
}

int64_t TFile::RecordPosition(int32_t, int32_t b, int32_t c) const {
  int64_t position = 0;
  if (Flags & (rfWholeFile | rfKeyFolderFixedName)) {
    position = static_cast<int64_t>(c) * SlotSize;
  } else if (Flags & rfKeyFolder) {
    position = (static_cast<int64_t>(b) - 1) * SlotSize;
  } else if (Flags & rfMonthFile) {
    position = static_cast<int64_t>(c) * SlotSize;
  }
  // A key before the first slot addresses nothing in the file.
  if (position < 0) throw EInOutError(kMsgBadRecord, 0);
  return position;
}

void* TFile::ChooseRaw(void* raw, void* object) {
  if (Flags & rfRawIsObject) return object;
  if (Flags & rfInternalRaw) {
    if (RawBuffer.size() != static_cast<size_t>(RawSize)) RawBuffer.assign(RawSize, 0);
    return RawBuffer.data();
  }
  if (raw == nullptr) throw Exception("Kein Puffer f\xFCr den Datensatz");
  return raw;
}

void TFile::WrapError(Exception& e, const char* lineBreak, int32_t c) const {
  e.SetMessage(Caption + "-Dateifehler" + lineBreak + e.Message() + "\r\n(" + FileName + "," +
               std::to_string(c) + ")");
}

double TFile::FileTimeOf(const std::string& path) const {
  return FileDateOf(*platform_.files, path, false);
}

void TFile::ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  try {
    ReadUnwrapped(raw, object, a, b, c);
  } catch (Exception& e) {
    WrapError(e, "\r", c);
    throw;
  }
}

void TFile::ReadUnwrapped(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  void* r = ChooseRaw(raw, object);
  CheckRecordNumber(a, b, c);
  SelectFile(a, b, c);
  const int64_t position = RecordPosition(a, b, c);
  std::unique_ptr<platform::File> file = OpenForRead();
  const int64_t needed = (Flags & rfSingleRecord) ? position + 1 : position + SlotSize;
  if (file == nullptr) {
    InitEmptyRecord(r, object, a, b, c);
    return;
  }
  if (SizeOf(*file) < needed) {
    file->Close();
    InitEmptyRecord(r, object, a, b, c);
    return;
  }
  std::memset(r, 0, RawSize);
  size_t got = 0;
  const OsError error = file->ReadAt(position, r, RawSize, &got);
  file->Close();
  if (error != platform::kOk) RaiseFileError(error);
  if (!(Flags & rfSingleRecord) && got == 0) throw EInOutError(kMsgReadError, 0);
  if (IsEmptyRecord(r, RawSize)) {
    InitEmptyRecord(r, object, a, b, c);
  } else if (!(Flags & rfRawIsObject)) {
    RawToObject(r, object, a, b, c);
  }
}

// The record's file, opened for reading; null when it is missing and may not be created.
std::unique_ptr<platform::File> TFile::OpenForRead() {
  platform::FileSystem& fs = *platform_.files;
  std::unique_ptr<platform::File> file;
  OsError error = fs.Open(FileName, OpenMode::kRead, &file);
  if (error == platform::kOk) return file;
  if (error == platform::kPathNotFound) {
    if (IsPersonFile) {
      platform_.ui->ErrorBox(std::string(kMissingPersonFolder) + "\r" + kSupportLine);
      RaiseFileError(error);
    }
    if (ReadOnly()) return nullptr;
    const OsError created = fs.CreateFolders(ExtractFilePath(FileName));
    if (created != platform::kOk) RaiseFileError(created);
    error = fs.Open(FileName, OpenMode::kCreate, &file);
  } else if (error == platform::kFileNotFound) {
    if (IsPersonFile) {
      platform_.ui->ErrorBox(std::string(kMissingPersonFile) + "\r" + kSupportLine);
      RaiseFileError(error);
    }
    if (ReadOnly()) return OpenBackupForRead();
    const bool restored = fs.Rename(BackupName(FileName), FileName) == platform::kOk;
    error = fs.Open(FileName, restored ? OpenMode::kRead : OpenMode::kCreate, &file);
  }
  if (error != platform::kOk) RaiseFileError(error);
  return file;
}

void TFile::InitEmptyRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  void* r = ChooseRaw(raw, object);
  std::memset(object, 0, ObjectSize);
  if (!(Flags & rfRawIsObject)) std::memset(r, 0, RawSize);
  if (OnNewRecord) OnNewRecord(*this, r, object, a, b, c);
  if (!ReadOnly()) {
    WriteRecord(r, object, a, b, c);
  } else if (!(Flags & rfRawIsObject)) {
    // The record is answered exactly as writing it would have left both buffers.
    ObjectToRaw(r, object, a, b, c);
  }
}

// Read only: the backup stands in for its missing file instead of being renamed back; null when
// there is none.
std::unique_ptr<platform::File> TFile::OpenBackupForRead() {
  std::unique_ptr<platform::File> file;
  const OsError error = platform_.files->Open(BackupName(FileName), OpenMode::kRead, &file);
  if (error == platform::kFileNotFound || error == platform::kPathNotFound) return nullptr;
  if (error != platform::kOk) RaiseFileError(error);
  return file;
}

void TFile::RefuseWhenReadOnly(int32_t a, int32_t b, int32_t c) {
  if (!ReadOnly()) return;
  try {
    CheckRecordNumber(a, b, c);
    SelectFile(a, b, c);
    throw EInOutError(kMsgReadOnly, static_cast<int>(platform::kAccessDenied));
  } catch (Exception& e) {
    WrapError(e, "\r\n", c);
    throw;
  }
}

void TFile::WriteRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  RefuseWhenReadOnly(a, b, c);
  try {
    WriteUnwrapped(raw, object, a, b, c);
  } catch (Exception& e) {
    WrapError(e, "\r\n", c);
    throw;
  }
}

void TFile::WriteUnwrapped(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  void* r = ChooseRaw(raw, object);
  CheckRecordNumber(a, b, c);
  if (!(Flags & rfRawIsObject)) ObjectToRaw(r, object, a, b, c);
  SelectFile(a, b, c);
  const int64_t position = RecordPosition(a, b, c);
  if (Flags & rfSingleRecord) {
    WriteSingle(r);
    return;
  }
  std::unique_ptr<platform::File> file = OpenForWrite();
  WriteSlot(*file, r, position);
  CloseAfterWrite(*file);
}

void TFile::WriteSingle(const void* raw) {
  // The record and its padding, put in place as a whole.
  std::vector<char> bytes(std::max(RawSize, SlotSize), 0);
  std::memcpy(bytes.data(), raw, RawSize);
  try {
    ReplaceFile(*platform_.files, FileName, bytes.data(), bytes.size());
  } catch (EInOutError& e) {
    if (e.ErrorCode != static_cast<int>(platform::kPathNotFound) || IsPersonFile) throw;
    const OsError created = platform_.files->CreateFolders(ExtractFilePath(FileName));
    if (created != platform::kOk) RaiseFileError(created);
    ReplaceFile(*platform_.files, FileName, bytes.data(), bytes.size());
  }
}

std::unique_ptr<platform::File> TFile::OpenForWrite() {
  platform::FileSystem& fs = *platform_.files;
  std::unique_ptr<platform::File> file;
  OsError error = fs.Open(FileName, OpenMode::kReadWrite, &file);
  if (error == platform::kPathNotFound && !IsPersonFile) {
    const OsError created = fs.CreateFolders(ExtractFilePath(FileName));
    if (created != platform::kOk) RaiseFileError(created);
    error = fs.Open(FileName, OpenMode::kCreate, &file);
  } else if (error == platform::kFileNotFound && !IsPersonFile) {
    error = fs.Open(FileName, OpenMode::kCreate, &file);
  }
  if (error != platform::kOk) RaiseFileError(error);
  return file;
}

void TFile::WriteSlot(platform::File& file, const void* raw, int64_t position) {
  int64_t end = WholeSlots(SizeOf(file), SlotSize);
  if (SlotSize > 0 && end < position) {
    // Blank slots fill the gap up to the record.
    const size_t perBatch = std::max<size_t>(1, kBlankBatch / SlotSize);
    std::vector<char> blanks(perBatch * SlotSize);
    for (size_t i = 0; i < perBatch; ++i) FillBlankSlot(&blanks[i * SlotSize], SlotSize);
    while (end < position) {
      const size_t n = static_cast<size_t>(std::min<int64_t>(blanks.size(), position - end));
      CheckWrite(file.WriteAt(end, blanks.data(), n));
      end += static_cast<int64_t>(n);
    }
  }
  std::vector<char> slot(std::max(RawSize, SlotSize), 0);
  std::memcpy(slot.data(), raw, RawSize);
  CheckWrite(file.WriteAt(position, slot.data(), slot.size()));
}

void TFile::DeleteRecord(int32_t a, int32_t b, int32_t c) {
  RefuseWhenReadOnly(a, b, c);
  try {
    DeleteUnwrapped(a, b, c);
  } catch (Exception& e) {
    WrapError(e, "\r\n", c);
    throw;
  }
}

void TFile::DeleteUnwrapped(int32_t a, int32_t b, int32_t c) {
  SelectFile(a, b, c);
  CheckRecordNumber(a, b, c);
  if (!(Flags & rfSingleRecord)) {
    DeleteSlot(RecordPosition(a, b, c));
    return;
  }
  platform::FileSystem& fs = *platform_.files;
  if (!FileFound(fs, FileName, true)) return;
  const std::string backup = BackupName(FileName);
  fs.Remove(backup);
  if (fs.Rename(FileName, backup) != platform::kOk) throw EInOutError(kMsgBackupFailed, 0);
}

void TFile::DeleteSlot(int64_t position) {
  std::unique_ptr<platform::File> file;
  const OsError error = platform_.files->Open(FileName, OpenMode::kReadWrite, &file);
  if (error == platform::kFileNotFound || error == platform::kPathNotFound) return;
  if (error != platform::kOk) RaiseFileError(error);
  if (WholeSlots(SizeOf(*file), SlotSize) >= position) {
    std::vector<char> blank(SlotSize);
    FillBlankSlot(blank.data(), blank.size());
    CheckWrite(file->WriteAt(position, blank.data(), blank.size()));
  }
  CloseAfterWrite(*file);
}

bool TFile::RecordFileExists(int32_t a, int32_t b, int32_t c) {
  try {
    SelectFile(a, b, c);
    CheckRecordNumber(a, b, c);
    return FileFound(*platform_.files, FileName, true) ||
           FileFound(*platform_.files, BackupName(FileName), true);
  } catch (Exception& e) {
    WrapError(e, "\r\n", c);
    throw;
  }
}

int32_t TFile::NumberFromFileName(const std::string& name) const {
  const std::string file = ExtractFileName(name);
  const size_t dot = file.find('.');
  std::string digits;
  if (dot != std::string::npos && dot > BaseName.size()) {
    digits = file.substr(BaseName.size(), dot - BaseName.size());
  }
  int32_t number = 0;
  if (!TryStrToInt(digits, &number)) {
    throw EConvertError("'" + digits + "' ist kein g\xFCltiger Integerwert");
  }
  return number;
}

// --- TFileData ---

TFileData::TFileData(bool buffered) : Buffered(buffered) {}

void TFileData::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TFileData*>(&source);
  if (other == nullptr) throw Exception(kMsgInvalidCast);
  Buffered = other->Buffered;
  KeyA = other->KeyA;
  KeyB = other->KeyB;
  KeyC = other->KeyC;
  SavePending = other->SavePending;
}

void TFileData::SetBuffered(bool on) {
  if (on == Buffered) return;
  Buffered = on;
  if (!on && SavePending) Save();
}

bool TFileData::IsLoaded(int32_t a, int32_t b, int32_t c) {
  if (!Buffered) return false;
  if (Loaded && KeyA == a && KeyB == b && KeyC == c) return true;
  if (SavePending) {
    SetBuffered(false);
    SetBuffered(true);
    Loaded = false;
  }
  return false;
}

bool TFileData::DeferSave() {
  SavePending = Buffered;
  return SavePending;
}

void TFileData::Refresh() {
  if (!Buffered) return;
  SetBuffered(false);
  SetBuffered(true);
  Loaded = false;
}

}  // namespace qrv
