#include "plans/planvorlage.h"

#include <algorithm>
#include <string>

#include "master/modell_record.h"
#include "plans/plan.h"
#include "util/fileprobe.h"
#include "util/texts.h"

namespace qrv {

namespace {

constexpr int32_t kVorlageFuerKopien = 1001;
constexpr char kMsgKeinePlandateien[] = "Keine Plandateien zugeordnet";

int32_t Listenlaenge(const TPlanvorlageRec& rec) {
  return std::clamp<int32_t>(int32_t{rec.Anzahl}, 0, kPlanvorlListe);
}

// Index of the first list entry equal to modell; Anzahl when there is none.
int32_t Suche(const TPlanvorlageRec& rec, int32_t modell) {
  int32_t i = 0;
  while (i < rec.Anzahl && rec.Modelle[i] != modell) ++i;
  return i;
}

}  // namespace

// --- TPlanvorlFile ---

TPlanvorlFile::TPlanvorlFile(const platform::Platform& platform, const TKonfig& konfig)
    : TCachedFile(platform, konfig, rfSingleRecord | rfInternalRaw, 30) {
  Caption = kPlanvorlCaption;
  Directory = WithBackslash(konfig.DataPath) + "SCHPLAN" + platform::kPathSeparator;
  BaseName = "GSPL";
  Ext = "DAT";
  RawSize = kPlanvorlRawSize;
  SlotSize = kPlanvorlFileSize;
  ObjectSize = sizeof(TPlanvorlageRec);
  MinRecord = 1;
  MaxRecord = 9999;
  HighRecord = 9999;
}

void TPlanvorlFile::RawToObject(void* raw, void* object, int32_t, int32_t, int32_t) {
  PlanvorlRawToObject(static_cast<const uint8_t*>(raw), *static_cast<TPlanvorlageRec*>(object),
                      *platform_.locale);
}

void TPlanvorlFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  PlanvorlObjectToRaw(*static_cast<const TPlanvorlageRec*>(object), static_cast<uint8_t*>(raw),
                      *platform_.locale);
}

void TPlanvorlFile::ModellGespeichert(TModell& modell) {
  TPlanvorlage vorlage(*this);
  const int32_t nummer = kModellVorlagenBasis + modell.Nummer();
  if (modell.VersionCount() == 0) {
    vorlage.KeyC = nummer;
    if (vorlage.Existiert()) vorlage.Loeschen();
    return;
  }
  vorlage.LadeVorlage(nummer);
  SetPlanvorlName(vorlage.Rec, ModellName(modell.Version(0)));
  vorlage.ModellUebernehmen(modell.Nummer());
  vorlage.Save();
}

// --- TPlanvorlage ---

TPlanvorlage::TPlanvorlage(TPlanvorlFile& file) : TFileData(false), file_(file) {}

TPlanvorlage::TPlanvorlage(const TPlanDateien& dateien)
    : TFileData(false),
      file_(dateien.Planvorl),
      dateien_(std::make_unique<TPlanDateien>(dateien)) {}

TPlanvorlage::~TPlanvorlage() {
  SetBuffered(false);
}

std::unique_ptr<TPersistent> TPlanvorlage::NewInstance() const {
  if (dateien_) return std::make_unique<TPlanvorlage>(*dateien_);
  return std::make_unique<TPlanvorlage>(file_);
}

void TPlanvorlage::Assign(const TPersistent& source) {
  TFileData::Assign(source);
  if (const auto* other = dynamic_cast<const TPlanvorlage*>(&source)) Rec = other->Rec;
}

void TPlanvorlage::LadeVorlage(int32_t nummer) {
  if (IsLoaded(0, 0, nummer)) return;
  KeyA = 0;
  KeyB = 0;
  KeyC = nummer;
  Loaded = false;
  if (file_.RecordFileExists(0, 0, nummer)) {
    file_.ReadRecord(nullptr, &Rec, 0, 0, nummer);
  } else if (file_.RecordFileExists(0, 0, kVorlageFuerKopien)) {
    KopieVon1001(nummer);
  }
  if (Rec.Modell == 0) Reparieren(nummer);
  Loaded = true;
}

void TPlanvorlage::KopieVon1001(int32_t nummer) {
  file_.ReadRecord(nullptr, &Rec, 0, 0, kVorlageFuerKopien);
  SetPlanvorlName(Rec, kAutoKopieVon + PlanvorlName(Rec));
  if (nummer > kModellVorlagenBasis) Rec.Modell = nummer % kModellVorlagenBasis;
  Rec.Modelle[0] = Rec.Modell;
  // The first entry is only kept when it is in the list.
  if (Rec.Anzahl < 1) Rec.Anzahl = 1;
  SaveUnlessReadOnly();
}

void TPlanvorlage::Reparieren(int32_t nummer) {
  const bool modellVorlage = nummer > kModellVorlagenBasis;
  const int32_t eigenesModell = nummer % kModellVorlagenBasis;
  Rec.Anzahl = Listenlaenge(Rec);
  if (Rec.Anzahl == 0) {
    Rec.Anzahl = 1;
    Rec.Modelle[0] = modellVorlage ? eigenesModell : 1;
  }
  Rec.Modell = modellVorlage ? eigenesModell : Rec.Modelle[Rec.Anzahl - 1];
  const std::string name = PlanvorlName(Rec);
  if (name.compare(0, 6, kAError) != 0) SetPlanvorlName(Rec, kAError + name);
  SaveUnlessReadOnly();
}

// A copied or mended template is written at once; read only, it is answered from memory.
void TPlanvorlage::SaveUnlessReadOnly() {
  if (file_.ReadOnly()) return;
  Save();
  Refresh();
}

void TPlanvorlage::Save() {
  if (DeferSave()) return;
  file_.WriteRecord(nullptr, &Rec, 0, 0, KeyC);
}

bool TPlanvorlage::Existiert() {
  return file_.RecordFileExists(0, 0, KeyC);
}

void TPlanvorlage::Loeschen() {
  file_.DeleteRecord(0, 0, KeyC);
}

bool TPlanvorlage::ModellEinfuegen(int32_t modell, int32_t& pos) {
  Rec.Anzahl = Listenlaenge(Rec);
  if (pos < 0 || Rec.Anzahl < pos) return false;
  const bool gelistet = Suche(Rec, modell) < Rec.Anzahl;
  // A full list takes no further model; it stays as it is.
  if (!gelistet && Rec.Anzahl >= kPlanvorlListe) return false;
  for (int32_t i = 1; i <= Rec.Anzahl;) {
    if (Rec.Modelle[i - 1] != modell) {
      ++i;
      continue;
    }
    int32_t at = i;
    ModellEntfernen(at);
    if (pos >= i) --pos;
  }
  for (int32_t i = Rec.Anzahl; i > pos; --i) Rec.Modelle[i] = Rec.Modelle[i - 1];
  Rec.Modelle[pos] = modell;
  ++pos;
  ++Rec.Anzahl;
  return true;
}

void TPlanvorlage::ModellEntfernen(int32_t& pos) {
  Rec.Anzahl = Listenlaenge(Rec);
  // Only a position in the list removes anything; the flags stay where they are.
  if (pos >= 1 && pos <= Rec.Anzahl) {
    for (int32_t i = pos; i < Rec.Anzahl; ++i) Rec.Modelle[i - 1] = Rec.Modelle[i];
    Rec.Modelle[Rec.Anzahl - 1] = 0;
    --Rec.Anzahl;
  }
  if (Rec.Anzahl < pos) pos = Rec.Anzahl;
}

int32_t TPlanvorlage::GetModell(uint16_t jahr, uint16_t monat, int32_t tag) {
  if (Rec.Art != kArtKalender) return Rec.Modell;
  if (tag < 1 || tag > kPlanTage) return 0;
  if (!dateien_) throw Exception(kMsgKeinePlandateien);
  if (!plan_) plan_ = std::make_unique<TPlan>(*dateien_);
  plan_->VorlageNr = KeyC;
  const int32_t nummer = kVorlagenPlanBasis + KeyC;
  if (!(plan_->Loaded && plan_->KeyA == jahr && plan_->KeyB == monat && plan_->KeyC == nummer)) {
    plan_->LadeMonat(jahr, monat, true, nummer);
  }
  return plan_->Rec.Modelle[tag - 1];
}

void TPlanvorlage::ModellUebernehmen(int32_t m) {
  Rec.Anzahl = Listenlaenge(Rec);
  Rec.Modell = m;
  int32_t at = Suche(Rec, m);
  if (at == Rec.Anzahl) {
    // Not listed yet: appended, or on a full list in place of the last entry.
    if (Rec.Anzahl < kPlanvorlListe) ++Rec.Anzahl;
    at = Rec.Anzahl - 1;
    Rec.Modelle[at] = m;
  }
  Rec.Markiert[at] = 0;
}

}  // namespace qrv
