// TCachedFile: a record file that keeps recently used records in memory (write-through) and
// notices changes that other processes of the installation make, by the files' last-write times.
// Because those times are coarse, a record whose file changed less than a second ago is read
// again on every access, and once more after that second.
//
// Per-record mode (rfWholeFile clear): each entry checks its own file's time on every read.
// Whole-file mode (rfWholeFile set): one file; a change of its time empties the cache.
//
// One entry is kept per key.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/record_file.h"

namespace qrv {

class TCachedFile : public TFile {
 public:
  // (file, starting): true before the file is read again or written, false afterwards.
  using ChangeEvent = std::function<void(TCachedFile&, bool)>;

  struct Entry {
    int32_t A = 0, B = 0, C = 0;
    int32_t LastUse = 0;  // tick count at the last access
    std::string EntryFileName;
    double EntryFileTime = 0;
    double EntryChangeTime = 0;
    std::vector<char> Object;
    std::vector<char> Raw;  // empty with rfInternalRaw
  };

  TCachedFile(const platform::Platform& platform, const TKonfig& konfig, uint8_t flags,
              int32_t capacity);

  void ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void WriteRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void DeleteRecord(int32_t a, int32_t b, int32_t c) override;
  // Forgets cached records: in whole-file mode all of them (and HighRecord becomes MaxRecord),
  // else those of fileName (all for an empty name). rebuild is for indexed files.
  virtual void Invalidate(const std::string& fileName, bool rebuild);

  bool FindEntry(int32_t a, int32_t b, int32_t c, int32_t* position) const;
  int32_t AddEntry(int32_t a, int32_t b, int32_t c, const void* raw, const void* object);
  void DropEntries(const std::string& fileName);
  // Whole-file mode: empties the cache (through Invalidate) when the file changed or changed
  // less than a second ago; answers whether it did.
  bool CheckFileChanged();
  int32_t EntryCount() const { return static_cast<int32_t>(Entries.size()); }
  Entry& EntryAt(int32_t position) { return *Entries.at(position); }

  std::vector<std::unique_ptr<Entry>> Entries;  // sorted by (A, B, C)
  double FileTime = 0;
  double ChangeTime = 0;
  ChangeEvent OnChange;
  int32_t Capacity;
  bool SuppressChange = false;

 protected:
  void Change(bool starting);
  bool WholeFileMode() const { return (Flags & rfWholeFile) != 0; }

 private:
  void ReadCached(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  void WriteCached(void* raw, void* object, int32_t a, int32_t b, int32_t c);
  void Touch(Entry& entry);
  void StoreInto(Entry& entry, const void* raw, const void* object);
  void CopyOut(const Entry& entry, void* raw, void* object) const;
  void ReRead(Entry& entry, bool recent);
  void NoteFileTime(double time, double now);
  std::unique_ptr<Entry> TakeEntryForNewKey();
};

}  // namespace qrv
