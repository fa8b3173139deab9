// TBerVorFile: the calculation template files SCHPLAN\BVOR<n>.DAT, one template per file.
// TBerVor: one calculation template in memory; the accounting loads the person's template before
// it computes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "files/record_file.h"
#include "master/bervor_record.h"
#include "master/tag_status.h"

namespace qrv {

// The masks a template without any mask of its own stands for.
inline constexpr uint16_t kBerVorFehlerDefault =
    kStatusAutoGehen | kStatusAutoKommen | kStatusFehlt;
inline constexpr uint16_t kBerVorWarnungenDefault =
    kStatusVorKernzeit | kStatusNachKernzeit | kStatusFalscheTaste;

inline constexpr char kMsgBerVorCaption[] = "Berechnungsvorlagen";

class TBerVorFile : public TFile {
 public:
  // platform and konfig must outlive the file.
  TBerVorFile(const platform::Platform& platform, const TKonfig& konfig);

  // The object buffer is a TBerVorRecord.
  void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
};

class TBerVor : public TFileData {
 public:
  // file must outlive the template.
  explicit TBerVor(TBerVorFile& file, bool buffered = false);
  ~TBerVor() override { SetBuffered(false); }

  std::unique_ptr<TPersistent> NewInstance() const override;
  // TFileData's copy; from another template also its record.
  void Assign(const TPersistent& source) override;

  // Reads template nummer from its file on every call. A template without masks gets the
  // default masks; a missing template is created as a copy of template 1; with neither, the
  // record stays as it was.
  void LadeBerVor(int32_t nummer);
  // Writes the record as template KeyC, also in deferred-write mode.
  void Save() override;

  TBerVorRecord Rec{};

 private:
  TBerVorFile& file_;
};

inline bool IstFehler(const TBerVor& vorlage, uint16_t status) {
  return IstFehler(vorlage.Rec, status);
}
inline bool IstWarnung(const TBerVor& vorlage, uint16_t status) {
  return IstWarnung(vorlage.Rec, status);
}

}  // namespace qrv
