// TBerVorFile: the calculation template files SCHPLAN\BVOR<n>.DAT, one template per file.
// TBerVor: one calculation template in memory; the accounting loads the person's template before
// it computes. Also the booking status word of a day: its texts and whether it shows an error or
// a warning under a template.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "files/record_file.h"
#include "master/bervor_record.h"

namespace qrv {

// Bits of the booking status word of a day.
inline constexpr uint16_t kStatusAutoGehen = 1u << 0;      // "Automatisch ausgestempelt"
inline constexpr uint16_t kStatusNachKernzeit = 1u << 1;   // "nach Kernzeit gekommen"
inline constexpr uint16_t kStatusVorKernzeit = 1u << 2;    // "vor Kernzeit gegangen"
inline constexpr uint16_t kStatusAbgehakt = 1u << 3;       // errors and warnings acknowledged
inline constexpr uint16_t kStatusFehlt = 1u << 4;          // "Eintragung fehlt"
inline constexpr uint16_t kStatusTrotzUrlaub = 1u << 11;   // "Buchungen trotz Urlaub/Krank"
inline constexpr uint16_t kStatusAnwesend = 1u << 12;      // "noch anwesend"
inline constexpr uint16_t kStatusFalscheTaste = 1u << 13;  // "falsche Tastenbuchung"
inline constexpr uint16_t kStatusKorrigiert = 1u << 14;    // bookings added or removed by hand
inline constexpr uint16_t kStatusAutoKommen = 1u << 15;    // "Automatisch eingestempelt"

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

// Whether the status word of a day shows an error (a warning) under the template. An
// acknowledged day shows neither; "noch anwesend" hides "Automatisch ausgestempelt".
bool IstFehler(const TBerVorRecord& vorlage, uint16_t status);
bool IstWarnung(const TBerVorRecord& vorlage, uint16_t status);
inline bool IstFehler(const TBerVor& vorlage, uint16_t status) {
  return IstFehler(vorlage.Rec, status);
}
inline bool IstWarnung(const TBerVor& vorlage, uint16_t status) {
  return IstWarnung(vorlage.Rec, status);
}

// Limits wert by the upper, then the lower bound of position (-12..40) and, across a change of
// year, by the year's upper, then lower bound; each step sees the result of the one before.
// Positions outside the tables leave wert as it is.
void Begrenze(const TBerVorRecord& vorlage, double& wert, int32_t position, bool jahreswechsel);

// The report text of a status word: one line per set bit with a text, in the report's order,
// lines separated by CR LF.
std::string StatusText(uint16_t status);

}  // namespace qrv
