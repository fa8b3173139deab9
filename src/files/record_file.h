// TFile: the base of every data file of the installation, a file of fixed-size record slots in
// the data folder, addressed by a key (A, B, C) whose C is the record number. It names the file
// of a key, places the record in it, creates missing files and folders, treats blank and empty
// records, keeps one backup generation (.JBK) of one-record files and words every file error.
// A derived class gives the sizes, name parts, flags and the two conversions between the stored
// (raw) record and the record as the rest of the library uses it (object record).
//
// TFileData: the base of the in-memory record objects, with the deferred-write mode.
//
// Raw and object buffers are the caller's: a raw buffer holds RawSize bytes, an object buffer
// ObjectSize bytes. No file handle is kept between calls.
//
// Over a read-only file system (platform::FileSystem::ReadOnly) nothing is written: a missing
// record reads as its defaults without being created, a missing one-record file is read from its
// backup where it has one, and every write or delete raises the access-denied error before it
// touches a file or a cache.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/konfig.h"
#include "files/persistent.h"
#include "platform/platform.h"
#include "util/errors.h"

namespace qrv {

// Flags of a record file.
inline constexpr uint8_t rfRawIsObject = 0x01;   // object buffer is the raw record (implies 0x40)
inline constexpr uint8_t rfSingleRecord = 0x02;  // one record per file, rewritten whole
inline constexpr uint8_t rfWholeFile = 0x04;     // record C at C * SlotSize; one file, one unit
inline constexpr uint8_t rfNoReadCheck = 0x08;   // with 0x04: the caller checks the file's time
inline constexpr uint8_t rfMonthFile = 0x10;     // file per year (A) and month (B)
inline constexpr uint8_t rfKeyFolder = 0x20;     // folder A; record at (B - 1) * SlotSize
inline constexpr uint8_t rfInternalRaw = 0x40;   // the file's own raw buffer; no raw copies
inline constexpr uint8_t rfKeyFolderFixedName = 0x80;  // folder A; fixed name; C * SlotSize

// The runtime's error of a cast to a class the object does not belong to.
inline constexpr char kMsgInvalidCast[] = "Ung\xFCltige Typumwandlung";

// The second line of the boxes about a missing person file.
inline constexpr char kSupportLine[] = "Bitte wenden Sie sich an den Support: Telefon 0800 7867826";

class TFile {
 public:
  // (file, raw, object, A, B, C): fills the defaults of a record being created.
  using NewRecordEvent = std::function<void(TFile&, void*, void*, int32_t, int32_t, int32_t)>;

  // Directory starts as the settings' data folder; the derived constructor sets the rest.
  TFile(const platform::Platform& platform, const TKonfig& konfig, uint8_t flags);
  virtual ~TFile() = default;
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  virtual void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  virtual void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  virtual std::string BuildFileName(int32_t a, int32_t b, int32_t c);
  // Reads record (A, B, C); a record that does not exist yet is created with its defaults (read
  // only: answered with them).
  virtual void ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  virtual void WriteRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  // One-record files move to their backup; records of slot files become blank slots.
  virtual void DeleteRecord(int32_t a, int32_t b, int32_t c);

  void SelectFile(int32_t a, int32_t b, int32_t c);
  void CheckRecordNumber(int32_t a, int32_t b, int32_t c) const;
  // The file of the key or, failing that, its backup exists.
  bool RecordFileExists(int32_t a, int32_t b, int32_t c);
  // Zeroes the buffers, lets OnNewRecord fill the defaults and writes the record (read only: only
  // converts it, as a write would, into the raw buffer).
  void InitEmptyRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  // The number in a one-record file's name (BVOR12.DAT gives 12); EConvertError otherwise.
  int32_t NumberFromFileName(const std::string& name) const;
  // Byte offset of the record of a key in its file.
  int64_t RecordPosition(int32_t a, int32_t b, int32_t c) const;
  const platform::Platform& Platform() const { return platform_; }
  // The data may only be read: the platform's file system refuses every change.
  bool ReadOnly() const { return platform_.files->ReadOnly(); }

  std::vector<char> RawBuffer;
  uint8_t Flags;
  NewRecordEvent OnNewRecord;
  std::string FileName;
  int32_t RawSize = 0;
  int32_t SlotSize = 0;
  int32_t ObjectSize = 0;
  std::string BaseName;
  int32_t KeyC = -1;
  int32_t KeyA = 0;
  int32_t KeyB = 0;
  std::string Ext;
  std::string Directory;
  int32_t MinRecord = 0;
  int32_t MaxRecord = 0;
  int32_t HighRecord = 0;
  std::string Caption;
  int32_t CheckLock = 0;
  int32_t CacheBypass = 0;
  // The person master file: a missing file or folder is reported (with the error box on read)
  // and never created. Set by the person file.
  bool IsPersonFile = false;

 protected:
  // The raw buffer a read or write works on (ReadRecord step 1).
  void* ChooseRaw(void* raw, void* object);
  // Puts the file kind and the record in front of and behind a failure's message.
  void WrapError(Exception& e, const char* lineBreak, int32_t c) const;
  // Read only: raises the access-denied error of a write of record (A, B, C), worded as every
  // file error is. A write path calls it before it changes anything.
  void RefuseWhenReadOnly(int32_t a, int32_t b, int32_t c);
  // Last-write time of a file; -1 when it does not exist.
  double FileTimeOf(const std::string& path) const;

  platform::Platform platform_;
  const TKonfig& konfig_;

 private:
  void ReadUnwrapped(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  void WriteUnwrapped(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  void DeleteUnwrapped(int32_t a, int32_t b, int32_t c);
  std::unique_ptr<platform::File> OpenForRead();
  std::unique_ptr<platform::File> OpenBackupForRead();
  std::unique_ptr<platform::File> OpenForWrite();
  void WriteSingle(const void* raw);
  void WriteSlot(platform::File& file, const void* raw, int64_t position);
  void DeleteSlot(int64_t position);
};

// Base of the in-memory records. In deferred-write mode (Buffered) saves are held back until
// the mode ends. A descendant's destructor calls SetBuffered(false), so that a pending save is
// written while the descendant still exists.
class TFileData : public TPersistent {
 public:
  explicit TFileData(bool buffered);
  ~TFileData() override = default;

  // Copies Buffered, the key and SavePending of another TFileData (not Loaded).
  void Assign(const TPersistent& source) override;
  // Writes the record through its file.
  virtual void Save() = 0;

  void SetBuffered(bool on);
  // Whether the record of the key is held and current; a held record of another key with a
  // pending save is written first.
  bool IsLoaded(int32_t a, int32_t b, int32_t c);
  // True when the save is held back (the descendant's Save then writes nothing).
  bool DeferSave();
  // Writes a pending save and makes the next load read the file again.
  void Refresh();

  bool Buffered;
  int32_t KeyA = 0;
  int32_t KeyB = 0;
  int32_t KeyC = -1;
  bool Loaded = false;
  bool SavePending = false;
};

}  // namespace qrv
