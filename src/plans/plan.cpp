#include "plans/plan.h"

#include <cstring>
#include <string>

#include "files/file_io.h"
#include "master/modell.h"
#include "master/person.h"
#include "util/errors.h"

namespace qrv {

namespace {

// The account window the "konto" program takes from the model on shift days.
constexpr int kKontoFensterKonto = 7 - 1;
constexpr char kKontoProgramm[] = "konto";

// The personal plan file's OnNewRecord handler of one plan; the plan takes it off the file
// when it goes.
struct NeuerMonatHandler {
  TPlan* plan;
  void operator()(TFile& file, void* raw, void* object, int32_t a, int32_t b, int32_t c) const {
    // The handler may be replaced while it runs (a template's calendar loads its own month),
    // so only the plan pointer taken here is used.
    TPlan* p = plan;
    p->NeuerMonat(file, raw, object, a, b, c);
  }
};

}  // namespace

TPlan::TPlan(const TPlanDateien& dateien, bool buffered) : TFileData(buffered), dateien_(dateien) {}

TPlan::~TPlan() {
  SetBuffered(false);
  const auto* handler = dateien_.MPlan.OnNewRecord.target<NeuerMonatHandler>();
  if (handler != nullptr && handler->plan == this) dateien_.MPlan.OnNewRecord = nullptr;
}

std::unique_ptr<TPersistent> TPlan::NewInstance() const {
  return std::make_unique<TPlan>(dateien_, Buffered);
}

void TPlan::Assign(const TPersistent& source) {
  TFileData::Assign(source);
  const auto* other = dynamic_cast<const TPlan*>(&source);
  if (other == nullptr) return;
  VorlageAb = other->VorlageAb;
  VorlageNr = other->VorlageNr;
  Rec = other->Rec;
  TageImMonat = other->TageImMonat;
}

TPlanvorlage& TPlan::Vorlage() {
  if (!vorlage_) vorlage_ = std::make_unique<TPlanvorlage>(dateien_);
  return *vorlage_;
}

TModell& TPlan::Modell() {
  if (!modell_) {
    modell_ = std::make_unique<TModell>(dateien_.Modelle, dateien_.Feiertage, dateien_.Planvorl);
  }
  return *modell_;
}

void TPlan::SetPerson(const TPerson* person) {
  VorlageNr = person != nullptr ? person->Rec.VorlageNr : 0;
  VorlageAb = person != nullptr ? person->Rec.VorlageAb : 0;
}

TDateTime TPlan::Datum(int32_t tag) const {
  return EncodeDate(KeyA, KeyB, tag);
}

void TPlan::CheckTag(int32_t tag) const {
  if (tag < 1 || tag > TageImMonat) {
    RaiseListIndex(tag);
  }
}

uint16_t TPlan::VorlagenModell(uint16_t jahr, uint16_t monat, int32_t d, int32_t nummer) {
  TPlanvorlage& vorlage = Vorlage();
  // A template's own calendar takes the template's model, never its calendar again.
  const int32_t m =
      nummer >= kVorlagenPlanBasis ? vorlage.Rec.Modell : vorlage.GetModell(jahr, monat, d);
  return static_cast<uint16_t>(m);
}

void TPlan::LadeMonat(uint16_t jahr, uint16_t monat, bool mitVorlage, int32_t nummer) {
  if (IsLoaded(jahr, monat, nummer)) return;
  // A month outside the year has no slot of its own.
  if (monat < 1 || monat > 12) throw EInOutError(kMsgBadRecord, 0);
  Loaded = false;
  KeyA = jahr;
  KeyB = monat;
  KeyC = nummer;
  TageImMonat = DaysInMonth(jahr, monat);
  // The handler belongs to the one shared file object: the most recent load decides.
  if (mitVorlage) {
    dateien_.MPlan.OnNewRecord = NeuerMonatHandler{this};
  } else {
    dateien_.MPlan.OnNewRecord = nullptr;
  }
  dateien_.MPlan.ReadRecord(nullptr, &Rec, jahr, monat, nummer);
  NachVorlage();
  if (Rec.SchichtTage != 0) {
    dateien_.SPlan.ReadRecord(nullptr, &Rec, jahr, monat, nummer);
    FuelleTagesprofile();
  }
  Loaded = true;
}

void TPlan::NachVorlage() {
  TPlanvorlage& vorlage = Vorlage();
  if (VorlageNr == 0) return;
  vorlage.LadeVorlage(VorlageNr);
  const bool folgtKalender = KeyC < kVorlagenPlanBasis && vorlage.Rec.Art == kArtKalender;
  for (int32_t d = 1; d <= TageImMonat; ++d) {
    const bool frei = folgtKalender && !InTagen(Rec.FesteTage, d) && Datum(d) >= VorlageAb;
    if (Rec.Modelle[d - 1] == 0 || frei) Rec.Modelle[d - 1] = VorlagenModell(KeyA, KeyB, d, KeyC);
  }
}

void TPlan::NeuerMonat(TFile&, void*, void* object, int32_t jahr, int32_t monatNr, int32_t planNr) {
  auto& monat = *static_cast<TPlanMonat*>(object);
  std::memset(&monat, 0, sizeof monat);
  TPlanvorlage& vorlage = Vorlage();
  vorlage.LadeVorlage(VorlageNr);
  if (VorlageNr != 0) {
    const int32_t tage = DaysInMonth(jahr, static_cast<uint16_t>(monatNr));
    for (int32_t d = 1; d <= tage; ++d) {
      if (monat.Modelle[d - 1] != 0) continue;
      monat.Modelle[d - 1] =
          VorlagenModell(static_cast<uint16_t>(jahr), static_cast<uint16_t>(monatNr), d, planNr);
    }
  }
  monat.FesteTage = 0;
  monat.SchichtTage = 0;
  monat.ProfileGefuellt = 0;
}

TModell& TPlan::ModellMit(uint16_t m) {
  TModell& modell = Modell();
  if (modell.Loaded && modell.Nummer() == m) return modell;
  // A failed load must not leave the object claiming the model.
  modell.Loaded = false;
  modell.Load(m);
  return modell;
}

void TPlan::FuelleTagesprofile() {
  for (int32_t d = 1; d <= TageImMonat; ++d) {
    if (InTagen(Rec.SchichtTage, d)) continue;
    TModell& modell = ModellMit(Rec.Modelle[d - 1]);
    Rec.Tagesprofile[d - 1] = modell.ProfilFuerDatum(Datum(d)).Profil();
  }
  Rec.ProfileGefuellt = 1;
}

void TPlan::GetTag(int32_t tag, Tagesprofil& profil, ModellVersion*& modellWoche) {
  CheckTag(tag);
  TModell& modell = ModellMit(Rec.Modelle[tag - 1]);
  const TModellTag antwort = modell.ProfilFuerDatum(Datum(tag));
  modellWoche = antwort.Version;
  if (!InTagen(Rec.SchichtTage, tag)) {
    profil = antwort.Profil();
    return;
  }
  Tagesprofil& eigen = Rec.Tagesprofile[tag - 1];
  const TKontofenster& vomModell = antwort.Profil().Kontofenster[kKontoFensterKonto];
  if (dateien_.MPlan.Platform().host->FirstParameter() == kKontoProgramm &&
      vomModell.Art != eigen.Kontofenster[kKontoFensterKonto].Art) {
    eigen.Kontofenster[kKontoFensterKonto] = vomModell;
  }
  profil = eigen;
}

uint16_t TPlan::GetModellNr(int32_t tag) {
  if (tag < 1 || tag > TageImMonat) return 0;
  // Only a plan with a template asks it; without one the plan's own model holds.
  if (VorlageNr != 0 && KeyC < kVorlagenPlanBasis && Datum(tag) >= VorlageAb) {
    TPlanvorlage& vorlage = Vorlage();
    if (!vorlage.Loaded || vorlage.Nummer() != VorlageNr) vorlage.LadeVorlage(VorlageNr);
    return static_cast<uint16_t>(vorlage.GetModell(KeyA, KeyB, tag));
  }
  return Rec.Modelle[tag - 1];
}

void TPlan::Save() {
  if (DeferSave() || Rec.Gesperrt != 0) return;
  dateien_.MPlan.WriteRecord(nullptr, &Rec, KeyA, KeyB, KeyC);
  if (Rec.SchichtTage != 0) dateien_.SPlan.WriteRecord(nullptr, &Rec, KeyA, KeyB, KeyC);
}

}  // namespace qrv
