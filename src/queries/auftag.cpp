#include "queries/auftag.h"

#include <cmath>

#include "master/person.h"
#include "queries/auftag_liste.h"

namespace qrv {

struct TAufTag::Zustand {
  std::vector<TAuftagItem> Liste;
  std::unique_ptr<TPerson> Person;
  std::unique_ptr<TMonAbrech> Abrech;
  uint8_t Modus = 0;
  Tagesprofil PlanTag{};
  ModellVersion ModellTag{};
  bool HatModell = false;
};

namespace {

const TMonatTag kLeererTag{};

// The day entry of datum as the month's accounting left it: in the accounted month, or in the
// month before when the period begins there; an empty day outside the period.
const TMonatTag& Tageseintrag(const TMonAbrech& abrech, TDateTime datum) {
  if (datum < std::floor(abrech.Von) || datum > abrech.Bis) return kLeererTag;
  const uint16_t jahr = YearOfDate(datum);
  const uint16_t monat = MonthOfDate(datum);
  const int tag = DayOfDate(datum);
  for (const TMonat* m : {&abrech.AktMonat, &abrech.Vormonat}) {
    if (m->KeyA == jahr && m->KeyB == monat) return m->Daten.Tag(tag);
  }
  return kLeererTag;
}

}  // namespace

TAufTag::TAufTag(const TAbfrageUmgebung& umgebung) : umgebung_(umgebung) {}

TAufTag::~TAufTag() {
  End();
}

int32_t TAufTag::Begin(int32_t persNr, TDateTime datum, uint8_t modus) {
  End();
  zustand_ = std::make_unique<Zustand>();
  try {
    Aufbauen(persNr, datum, modus);
    return Count();
  } catch (...) {
    // The objects and the items built so far stay until End.
    return 0;
  }
}

void TAufTag::Aufbauen(int32_t persNr, TDateTime datum, uint8_t modus) {
  Zustand& z = *zustand_;
  z.Person = std::make_unique<TPerson>(&umgebung_.PersonFile, false);
  PruefeDatum(datum);
  z.Person->Load(persNr);
  z.Abrech = std::make_unique<TMonAbrech>(umgebung_.Abrechnung);
  z.Abrech->Person = z.Person.get();
  z.Modus = modus;
  uint16_t jahr = 0, monat = 0, tag = 0;
  DecodeDate(datum, &jahr, &monat, &tag);
  z.Abrech->Monatsabrechnung(jahr, monat, tag, 0);
  TPlan& plan = z.Abrech->Plan;
  plan.LadeMonat(jahr, monat, true, persNr);
  ModellVersion* modellWoche = nullptr;
  plan.GetTag(tag, z.PlanTag, modellWoche);
  z.HatModell = modellWoche != nullptr;
  if (z.HatModell) z.ModellTag = *modellWoche;
  // The items' times count from the day's midnight, whatever time of day datum holds.
  ItemsBauen(EncodeDate(jahr, monat, tag));
}

void TAufTag::ItemsBauen(TDateTime d) {
  Zustand& z = *zustand_;
  const TMonAbrech& abrech = *z.Abrech;
  const TKonfig& konfig = umgebung_.Abrechnung.Konfig;
  const TAuftagEingabe eingabe{Tageseintrag(abrech, d),
                               z.PlanTag,
                               z.HatModell ? &z.ModellTag : nullptr,
                               abrech.BerVor.Rec,
                               konfig.KontoDefs,
                               konfig.Fehlzeiten,
                               d,
                               umgebung_.Abrechnung.Plattform.clock->Now(),
                               z.Modus};
  AuftagItemsBauen(eingabe, z.Liste);
}

bool TAufTag::Get(int32_t index, TAuftagItem& item) const {
  if (!zustand_ || index < 0 || index >= Count()) return false;
  item = zustand_->Liste[static_cast<size_t>(index)];
  return true;
}

int32_t TAufTag::Count() const {
  return zustand_ ? static_cast<int32_t>(zustand_->Liste.size()) : 0;
}

bool TAufTag::End() {
  if (!zustand_) return true;
  // In the order the enumeration frees them: the accounting, the person, the list. Nothing
  // here raises (the accounting's plan holds no pending save in the library).
  zustand_->Abrech.reset();
  zustand_->Person.reset();
  zustand_.reset();
  return true;
}

}  // namespace qrv
