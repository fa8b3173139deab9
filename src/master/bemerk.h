// Remarks on the days of a person's month. A day record holds a remark number; the text lives in
// a remark file of the year, the remark number being the record number. TBemerk fetches and
// writes one remark through the process-wide remark file, which the library's own start-up never
// attaches: while it is unset every remark reads as empty. TBemerkFile is such a file, for a
// program or a test that wants remarks: DataPath\<year>\BEMERK.DAT, record n at n * 128.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "files/record_file.h"
#include "master/bemerk_record.h"
#include "util/datetime.h"

namespace qrv {

inline constexpr char kMsgKeineBemerkDatei[] = "Keine Bemerkungsdatei zugeordnet";

class TBemerkFile : public TFile {
 public:
  // platform and konfig must outlive the file.
  TBemerkFile(const platform::Platform& platform, const TKonfig& konfig);

  // The object buffer is a TBemerkRec.
  void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
};

class TBemerk : public TFileData {
 public:
  // bemerkFile points at the slot that holds the process-wide remark file (or is null). The slot
  // is read on every use, so a file attached later is seen; it must outlive the remark.
  explicit TBemerk(TFile* const* bemerkFile, bool buffered = false);
  ~TBemerk() override { SetBuffered(false); }

  std::unique_ptr<TPersistent> NewInstance() const override;
  // TFileData's copy; from another remark also its record.
  void Assign(const TPersistent& source) override;

  // The text of remark nummer when it belongs to that person and exactly that day; empty
  // otherwise, and whenever anything on the way fails (no file, no such record, a file error).
  std::string GetText(int32_t nummer, int32_t persNr, TDateTime datum);
  // Reads record (jahr, 0, nummer). A number beyond the year's file loads nothing: the key
  // becomes 0 and the record keeps what it held.
  void Load(int32_t jahr, int32_t nummer);
  // Writes the record as (KeyA, 0, KeyC) unless the save is held back.
  void Save() override;

  // The number of whole slots in the year's file; 1 for a missing or empty file, 0 above 65535.
  static int32_t RecordCount(TFile& file, int32_t jahr);

  TBemerkRec Rec{};

 private:
  TFile& FileOrRaise() const;

  TFile* const* bemerkFile_;
};

}  // namespace qrv
