#include "master/bervor.h"

#include "util/fileprobe.h"

namespace qrv {

namespace {

constexpr char kAutoKopieVon[] = "AutoKopie von ";

struct StatusZeile {
  int bit;
  const char* text;
};

// The report's order of the status lines.
constexpr StatusZeile kStatusZeilen[] = {
    {12, "noch anwesend"},
    {15, "Automatisch eingestempelt"},
    {0, "Automatisch ausgestempelt"},
    {4, "Eintragung fehlt"},
    {11, "Buchungen trotz Urlaub/Krank"},
    {13, "falsche Tastenbuchung"},
    {1, "nach Kernzeit gekommen"},
    {2, "vor Kernzeit gegangen"},
    {14, "Buchungen eingef\xFCgt oder gel\xF6scht"},
    {3, "Fehler/Warnungen wurden abgehakt"},
};

// The status bits that still count: none on an acknowledged day, and an automatic going is no
// fault while the person is still present.
uint16_t WirksamerStatus(uint16_t status) {
  if (status & kStatusAbgehakt) return 0;
  if (status & kStatusAnwesend) status = static_cast<uint16_t>(status & ~kStatusAutoGehen);
  return status;
}

bool Zaehlt(const TBerVorRecord& vorlage, uint16_t status, uint16_t maske) {
  return (WirksamerStatus(status) & maske & static_cast<uint16_t>(~vorlage.Ignoriert)) != 0;
}

void Deckel(const TGrenzen& obergrenze, double& wert, int32_t position) {
  if (obergrenze.InKraft(position) && wert > obergrenze.Grenze(position)) {
    wert = obergrenze.Grenze(position);
  }
}

void Boden(const TGrenzen& untergrenze, double& wert, int32_t position) {
  if (untergrenze.InKraft(position) && wert < untergrenze.Grenze(position)) {
    wert = untergrenze.Grenze(position);
  }
}

}  // namespace

// --- TBerVorFile ---

TBerVorFile::TBerVorFile(const platform::Platform& platform, const TKonfig& konfig)
    : TFile(platform, konfig, rfSingleRecord | rfInternalRaw) {
  // Stored and held alike; the conversion still goes through explicit little-endian reads, so
  // the file's own buffer is the stored record and the object buffer the caller's record.
  Caption = kMsgBerVorCaption;
  RawSize = kBerVorSize;
  SlotSize = 0;
  ObjectSize = kBerVorSize;
  BaseName = "BVOR";
  Ext = "DAT";
  Directory = WithBackslash(konfig.DataPath) + "SCHPLAN" + platform::kPathSeparator;
  MinRecord = 1;
  MaxRecord = 9999;
}

void TBerVorFile::RawToObject(void* raw, void* object, int32_t, int32_t, int32_t) {
  BerVorRawToObject(static_cast<const uint8_t*>(raw), kBerVorSize,
                    *static_cast<TBerVorRecord*>(object));
}

void TBerVorFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  BerVorObjectToRaw(*static_cast<const TBerVorRecord*>(object), static_cast<uint8_t*>(raw));
}

// --- TBerVor ---

TBerVor::TBerVor(TBerVorFile& file, bool buffered) : TFileData(buffered), file_(file) {}

std::unique_ptr<TPersistent> TBerVor::NewInstance() const {
  return std::make_unique<TBerVor>(file_, Buffered);
}

void TBerVor::Assign(const TPersistent& source) {
  TFileData::Assign(source);
  if (const auto* other = dynamic_cast<const TBerVor*>(&source)) Rec = other->Rec;
}

void TBerVor::LadeBerVor(int32_t nummer) {
  KeyC = nummer;
  if (file_.RecordFileExists(0, 0, nummer)) {
    file_.ReadRecord(nullptr, &Rec, 0, 0, nummer);
    KeyA = 0;
    KeyB = 0;
    Loaded = true;
    if (Rec.Ignoriert == 0 && Rec.Fehler == 0 && Rec.Warnungen == 0) {
      Rec.Fehler = kBerVorFehlerDefault;
      Rec.Warnungen = kBerVorWarnungenDefault;
    }
  } else if (file_.RecordFileExists(0, 0, 1)) {
    file_.ReadRecord(nullptr, &Rec, 0, 0, 1);
    SetBerVorName(Rec, kAutoKopieVon + BerVorName(Rec));
    // Read only, the copy is answered without being written.
    if (file_.ReadOnly()) return;
    Save();
    Refresh();
  }
}

void TBerVor::Save() {
  file_.WriteRecord(nullptr, &Rec, 0, 0, KeyC);
}

bool IstFehler(const TBerVorRecord& vorlage, uint16_t status) {
  return Zaehlt(vorlage, status, vorlage.Fehler);
}

bool IstWarnung(const TBerVorRecord& vorlage, uint16_t status) {
  return Zaehlt(vorlage, status, vorlage.Warnungen);
}

void Begrenze(const TBerVorRecord& vorlage, double& wert, int32_t position, bool jahreswechsel) {
  Deckel(vorlage.Obergrenze, wert, position);
  Boden(vorlage.Untergrenze, wert, position);
  if (!jahreswechsel) return;
  Deckel(vorlage.ObergrenzeJahr, wert, position);
  Boden(vorlage.UntergrenzeJahr, wert, position);
}

std::string StatusText(uint16_t status) {
  std::string text;
  for (const StatusZeile& zeile : kStatusZeilen) {
    if (status & (1u << zeile.bit)) text += std::string(zeile.text) + "\r\n";
  }
  if (text.size() > 1) text.resize(text.size() - 2);
  return text;
}

}  // namespace qrv
