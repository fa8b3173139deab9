// TIndex: one sort order of an indexed file (indexed_file.h), the list of all its record
// numbers ordered by the file's Compare, kept on disk as an index file beside the data file
// (PERSONEN.X0 ...): N as a little-endian 32-bit count, then N little-endian 32-bit record
// numbers in index order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/os_error.h"
#include "util/errors.h"

namespace qrv {

class TIndexedFile;

// The bytes of an index file listing entries.
std::string EncodeIndexFile(const std::vector<int32_t>& entries);
// The record numbers of an index file for a file of records 1..highRecord. Accepted only when N
// equals highRecord, all 4 * N bytes follow and every record number 1..highRecord appears exactly
// once; false otherwise (entries is then empty).
bool DecodeIndexFile(const void* bytes, size_t size, int32_t highRecord,
                     std::vector<int32_t>* entries);

class TIndex {
 public:
  // IndexFileName is taken from the owner's current FileName.
  TIndex(TIndexedFile& owner, int32_t number);
  virtual ~TIndex() = default;

  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  // The record number at position; 0 when position is outside the list.
  int32_t RecordAt(int32_t position) const;
  // The first position holding record; -1 when there is none.
  int32_t PositionOf(int32_t record) const;
  // Inserts record before the entries that compare equal to key; returns the position.
  virtual int32_t Insert(const void* key, int32_t record);
  // The first position whose record does not sort before key; answers whether an equal record
  // was met on the way.
  virtual bool Find(const void* key, int32_t* position);
  // Moves record to the place its new object sorts to, then saves the index file.
  void Reposition(const void* object, int32_t record);
  void SaveIndex();
  // Loads index from its file unless invalid is already set; sets invalid when the file does not
  // hold a complete, consistent index.
  static void LoadIndex(TIndex& index, bool& invalid);

  std::vector<int32_t> Items;
  std::string IndexFileName;
  double IndexFileTime = 0;
  TIndexedFile& Owner;
  int32_t IndexNumber;

 private:
  void Load(bool& invalid);
  bool ReadFile(std::string* bytes);
  void CreateEmpty(platform::OsError error);
  void AppendFileName(Exception& e) const;
};

}  // namespace qrv
