#include "accounting/mon_abrech.h"

#include <cmath>
#include <cstring>
#include <string>

#include "accounting/reorg.h"
#include "accounting/uebertrag.h"
#include "accounting/zeit_text.h"
#include "master/begrenze.h"
#include "util/errors.h"
#include "util/texts.h"

namespace qrv {

TMonatsTabelle::~TMonatsTabelle() = default;

namespace {

// Option bits of the calculation template.
constexpr int kOptEndeBleibt = 6;      // Optionen: an end date at the last permitted date stays
constexpr int kOptTabelle = 7;         // Optionen: run the spreadsheet month calculation
constexpr int kOpt2BisJetzt = 0;       // Optionen2: the current month up to the current minute
constexpr int kPositionWoche = -10;    // the bound position of the weekly running sum
constexpr int kSchrittUebernahme = 9;  // the month's step that takes the carried values over

bool Bit(uint8_t wort, int n) {
  return ((wort >> n) & 1) != 0;
}

TDateTime Tag(TDateTime datum) {
  return std::floor(datum);
}

std::string Kopf(TMonatsSchluessel m, const TPerson& person) {
  return "Fehler bei Monatsabrechnung " + ZeroPad(m.Monat, 2) + "." + ZeroPad(m.Jahr, 4) + "\r\n" +
         NameWithInitial(GetShort(person.Rec.Name), GetShort(person.Rec.Vorname)) + "\r\n";
}

// The busy cursor while a recalculation runs, the arrow again afterwards, also on an error.
class Sanduhr {
 public:
  explicit Sanduhr(platform::UserInterface& ui) : ui_(ui) { ui_.SetHourglass(true); }
  ~Sanduhr() { ui_.SetHourglass(false); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;

 private:
  platform::UserInterface& ui_;
};

}  // namespace

TMonAbrech::TMonAbrech(const TAbrechUmgebung& umgebung)
    : AktMonat(umgebung.MonatFile),
      Vormonat(umgebung.MonatFile),
      Plan(umgebung.PlanDateien, true),
      BerVor(umgebung.BerVorFile),
      Bemerk(umgebung.BemerkFile),
      umgebung_(umgebung) {}

TMonAbrech::~TMonAbrech() = default;

TPerson& TMonAbrech::Pers() const {
  if (Person == nullptr) throw Exception("Keine Person zugeordnet");
  return *Person;
}

TZeitraum TMonAbrech::Zeitraum() const {
  const TPersonRec& rec = Pers().Rec;
  return {rec.Eintritt, rec.Austritt, umgebung_.Konfig.VerwStart, umgebung_.Konfig.VerwEnd};
}

TAuswertung TMonAbrech::Auswertung() const {
  TAuswertung a;
  a.Vorlage = &BerVor.Rec;
  a.KontoDefs = &umgebung_.Konfig.KontoDefs;
  a.Fehlzeiten = &umgebung_.Konfig.Fehlzeiten;
  a.Feiertage = &umgebung_.Feiertage;
  a.Jetzt = jetzt_;
  a.Spur = Spur;
  return a;
}

void TMonAbrech::VorlageLaden() {
  BerVor.LadeBerVor(Pers().Rec.BerVorNr);
  Plan.SetPerson(Person);
}

template <class Body>
void TMonAbrech::MitKopf(Body&& body) {
  TPerson& person = Pers();
  try {
    body();
  } catch (Exception& e) {
    e.SetMessage(Kopf(meldeMonat_, person) + e.Message());
    throw;
  }
}

void TMonAbrech::TagRechnen(TMonat& monat, TDateTime datum, const TFenster& fenster,
                            TMonErgebnis& block) {
  const TMonatsSchluessel m = MonatVon(datum);
  Plan.LadeMonat(m.Jahr, m.Monat, true, Pers().Rec.PersNr);
  Tagesprofil profil{};
  ModellVersion* modellWoche = nullptr;
  const int tag = DayOfDate(datum);
  Plan.GetTag(tag, profil, modellWoche);
  const TAuswertung a = Auswertung();
  TMonatTag& eintrag = monat.Daten.Tag(tag);
  TagAuswerten(a, profil, datum, fenster, eintrag);
  TagAddieren(a, datum, eintrag, block);
}

// --- Range evaluation ---

void TMonAbrech::Bereich(TMonErgebnis& block, bool loeschen, TDateTime von, TDateTime bis) {
  meldeMonat_ = MonatVon(von);
  MitKopf([&] { BereichRechnen(block, loeschen, von, bis); });
}

void TMonAbrech::BereichRechnen(TMonErgebnis& block, bool loeschen, TDateTime von, TDateTime bis) {
  jetzt_ = umgebung_.Plattform.clock->Now();
  VorlageLaden();
  // A day more on each side completes shifts that cross midnight.
  Von = von - 1;
  Bis = bis + 1;
  const TZeitraum z = Zeitraum();
  Bis = BisKuerzen(z, Bis);
  PruefeBis(z, Bis);
  if (Von < z.Eintritt) Von = z.Eintritt;
  PruefeVon(z, Von);
  // Days outside the permitted years hold no managed data: the walk stays within them, so that a
  // long range does not bring months and plans of unmanaged years into the data folder.
  if (Von < z.VerwStart) Von = z.VerwStart;
  if (Bis > z.VerwEnd) Bis = z.VerwEnd;
  if (loeschen) std::memset(static_cast<void*>(&block), 0, sizeof block);
  TMonatsSchluessel m = MonatVon(Von);
  meldeMonat_ = m;
  AktMonat.Laden(m.Jahr, m.Monat, true, Pers().Rec.PersNr);
  const TFenster fenster{von, bis};
  for (TDateTime d = Tag(Von); d <= Bis; d += 1) {
    if (!(MonatVon(d) == m)) {
      m = MonatVon(d);
      meldeMonat_ = m;
      Vormonat.Assign(AktMonat);
      AktMonat.Laden(m.Jahr, m.Monat, true, Pers().Rec.PersNr);
    }
    TagRechnen(AktMonat, d, fenster, block);
  }
  BlockRunden(Auswertung(), block);
}

// --- Month accounting ---

void TMonAbrech::Monatsabrechnung(uint16_t jahr, uint16_t monat, uint16_t tag, TDateTime ende) {
  jetzt_ = umgebung_.Plattform.clock->Now();
  meldeMonat_ = jahr == 0 ? MonatVon(jetzt_) : TMonatsSchluessel{jahr, monat};
  MitKopf([&] { Abrechnen(jahr, monat, tag, ende); });
}

void TMonAbrech::Abrechnen(uint16_t jahr, uint16_t monat, uint16_t tag, TDateTime ende) {
  VorlageLaden();
  if (!Bit(BerVor.Rec.Optionen, kOptEndeBleibt) && ende == umgebung_.Konfig.VerwEnd) {
    ende = Tag(jetzt_);
  }
  const TPeriode periode = PeriodeBestimmen(jahr, monat, tag, ende);
  const bool uebertrag = VonBestimmen(periode.Monat);
  bool geaendert = WerteRechnen(periode, uebertrag);
  AktMonat.Daten.BerechnetAm = jetzt_;
  AktMonat.Daten.BerechnetBis = static_cast<uint16_t>(periode.Ende);
  AktMonat.Daten.MonUebertrag = uebertrag_;
  if (Bit(BerVor.Rec.Optionen, kOptTabelle) && umgebung_.Tabelle != nullptr) {
    umgebung_.Tabelle->MonatRechnen(*this);
    geaendert = true;
  }
  if ((Speichern || geaendert) && umgebung_.Plattform.host->RunsMainWindow()) {
    Ablegen(periode.Monat, ende);
  }
}

TMonAbrech::TPeriode TMonAbrech::PeriodeBestimmen(uint16_t jahr, uint16_t monat, uint16_t tag,
                                                  TDateTime ende) {
  TPeriode p;
  p.JetztMonat = jahr == 0;
  if (p.JetztMonat) {
    Bis = ende > 0                                   ? ende
          : Bit(BerVor.Rec.Optionen2, kOpt2BisJetzt) ? jetzt_
                                                     : Tag(jetzt_) - SecondsToTime(1);
    DecodeDate(Bis, &jahr, &monat, &tag);
  }
  p.Monat = {jahr, monat};
  meldeMonat_ = p.Monat;
  p.Ende = BerVor.Rec.MonatsEnde != 0 ? BerVor.Rec.MonatsEnde : DaysInMonth(jahr, monat);
  const TZeitraum z = Zeitraum();
  if (tag != 0) {
    if (jahr < umgebung_.Konfig.VerwJahreMin) RaiseMonatVor(z);
    AktMonat.Laden(jahr, monat, true, Pers().Rec.PersNr);
    // A day past the month end belongs to the next month's period.
    if (p.Ende < tag) p.Monat = NaechsterMonat(p.Monat);
    if (p.JetztMonat) p.Ende = tag;
    // The period after December 9999 has no date: it lies after every permitted year.
    if (p.Monat.Jahr > 9999) {
      throw Exception("Monat nach " + std::to_string(YearOfDate(z.VerwEnd)));
    }
  }
  meldeMonat_ = p.Monat;
  if (!p.JetztMonat) {
    p.Ende = PeriodenEnde(p.Ende, p.Monat);
    Bis = EncodeDate(p.Monat.Jahr, p.Monat.Monat, p.Ende);
  }
  Bis = BisKuerzen(z, Bis);
  PruefeBis(z, Bis);
  return p;
}

bool TMonAbrech::VonBestimmen(TMonatsSchluessel monat) {
  const TPersonRec& person = Pers().Rec;
  const int32_t jahreMin = umgebung_.Konfig.VerwJahreMin;
  const TMonatsSchluessel vor = VorigerMonat(monat);
  const TZeitraum z = Zeitraum();
  // Nothing is carried from before the permitted years, except from the December just before
  // them for a person who carries the previous year.
  bool uebertrag = !(vor.Jahr < jahreMin &&
                     !(person.Uebertrag != 0 && vor.Monat == 12 && vor.Jahr == jahreMin - 1));
  if (uebertrag) {
    Vormonat.Laden(vor.Jahr, vor.Monat, true, person.PersNr);
    Von = PeriodenEndeDatum(BerVor.Rec.MonatsEnde, vor) + 1;
  } else {
    Von = EncodeDate(monat.Jahr, monat.Monat, 1);
  }
  if (Von < z.Eintritt) Von = z.Eintritt;
  if (Von == z.Eintritt) uebertrag = false;
  PruefeVon(z, Von);

  AktMonat.Laden(monat.Jahr, monat.Monat, true, person.PersNr);
  if (person.Uebertrag != 0 && Von == z.Eintritt) uebertrag = true;
  if (uebertrag || MonatVon(Von).Vor(monat)) {
    Vormonat.Laden(vor.Jahr, vor.Monat, true, person.PersNr);
    if (!uebertrag) Vormonat.UebertragLoeschen();
  } else {
    Vormonat.KeyA = Vormonat.KeyB = Vormonat.KeyC = 0;
    Vormonat.Loaded = false;
    std::memset(static_cast<void*>(&Vormonat.Daten), 0, sizeof Vormonat.Daten);
  }
  return uebertrag;
}

bool TMonAbrech::WerteRechnen(const TPeriode& periode, bool uebertrag) {
  const TKonfig& konfig = umgebung_.Konfig;
  const TPersonRec& person = Pers().Rec;
  const bool jahreswechsel = Vormonat.KeyA < periode.Monat.Jahr;
  std::memset(static_cast<void*>(&AktMonat.Daten.MonErgebnis), 0, sizeof(TMonErgebnis));
  Uebernehmen(uebertrag, jahreswechsel);
  MonatTageRechnen(periode.Monat, periode.JetztMonat);
  MonatskontenRechnen(BerVor.Rec, konfig.KontoDefs, AktMonat.Daten.MonErgebnis, Spur);
  BlockRunden(Auswertung(), AktMonat.Daten.MonErgebnis);

  TUebertragEingabe eingabe;
  eingabe.Vorlage = &BerVor.Rec;
  eingabe.KontoDefs = &konfig.KontoDefs;
  eingabe.Vormonat = &Vormonat.Daten;
  eingabe.Jahreswechsel = jahreswechsel;
  if (Von == person.Eintritt && person.Uebertrag == 0) {
    eingabe.UrlaubZugang = person.Eintrittswert;
  } else if (periode.Monat.Monat == 1) {
    eingabe.UrlaubZugang = person.Jahreswert;
  }
  eingabe.Spur = Spur;
  return UebertragRechnen(eingabe, AktMonat.Daten);
}

void TMonAbrech::Uebernehmen(bool uebertrag, bool jahreswechsel) {
  double woche = 0;
  uebertrag_ = 0;
  if (uebertrag) {
    uebertrag_ = Vormonat.Daten.MonUebertrag;
    const double vorWoche = Vormonat.Daten.WochenLauf();
    woche = vorWoche;
    Begrenze(BerVor.Rec, woche, kPositionWoche, jahreswechsel);
    Melde(Spur, [&] {
      return TSpurEintrag{0, kSchrittUebernahme, "WochenLauf", woche,
                          "weekly running sum taken over from the previous month " +
                              DauerText(vorWoche) + ", bounded at position -10" +
                              (jahreswechsel ? " with" : " without") +
                              " the year-change bounds to " + DauerText(woche)};
    });
  }
  const double korrektur = AktMonat.Daten.WochenKorr();
  woche += korrektur;
  AktMonat.Daten.MonErgebnis.WochenLauf = woche;
  Melde(Spur, [&] {
    return TSpurEintrag{0, kSchrittUebernahme, "WochenLauf", woche,
                        "weekly correction of the month " + DauerText(korrektur) +
                            " added: the week starts at " + DauerText(woche)};
  });
}

void TMonAbrech::MonatTageRechnen(TMonatsSchluessel monat, bool jetztEnde) {
  TMonErgebnis& block = AktMonat.Daten.MonErgebnis;
  const TDateTime letzter = Tag(Bis);
  for (TDateTime d = Tag(Von); d <= Bis; d += 1) {
    const TMonatsSchluessel m = MonatVon(d);
    TFenster fenster;
    if (jetztEnde && d == letzter) fenster.Bis = Bis;
    if (m == monat) {
      TagRechnen(AktMonat, d, fenster, block);
      continue;
    }
    if (Vormonat.KeyA != m.Jahr || Vormonat.KeyB != m.Monat) {
      Vormonat.Laden(m.Jahr, m.Monat, true, Pers().Rec.PersNr);
    }
    TagRechnen(Vormonat, d, fenster, block);
  }
}

void TMonAbrech::Ablegen(TMonatsSchluessel monat, TDateTime ende) {
  ReorgAnfordern(*umgebung_.Plattform.files, umgebung_.Konfig.DataPath, Pers().Rec.PersNr,
                 monat.Jahr, monat.Monat);
  AktMonat.Speichern();
  Plan.Save();
  if (ende > 0) Neuberechnung(umgebung_, Pers(), ende, Bis + 1);
}

// --- Recalculation ---

void Neuberechnung(const TAbrechUmgebung& umgebung, TPerson& person, TDateTime bis, TDateTime von) {
  const TKonfig& konfig = umgebung.Konfig;
  const TDateTime eintritt = person.Rec.Eintritt;
  const TDateTime austritt = person.Rec.Austritt;
  if (von < konfig.VerwStart) von = konfig.VerwStart;
  if (bis > konfig.VerwEnd) bis = konfig.VerwEnd;
  if (eintritt > 0 && von < eintritt) von = eintritt;
  if (austritt > 0 && bis > austritt) bis = austritt;
  if (von > bis) return;

  Sanduhr sanduhr(*umgebung.Plattform.ui);
  TMonAbrech abrech(umgebung);
  abrech.Person = &person;
  abrech.Speichern = true;
  for (TDateTime d = Tag(von); d <= bis;) {
    abrech.Monatsabrechnung(YearOfDate(d), MonthOfDate(d), DayOfDate(d), 0);
    const TDateTime weiter = Tag(abrech.Bis) + 1;
    if (weiter <= d) break;  // a period that ends before its start day would never move on
    d = weiter;
  }
}

}  // namespace qrv
