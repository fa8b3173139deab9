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
  const TKonfig& konfig = umgebung_.Konfig;
  const TPersonRec& person = Pers().Rec;
  const int32_t persNr = person.PersNr;
  VorlageLaden();
  if (!Bit(BerVor.Rec.Optionen, kOptEndeBleibt) && ende == konfig.VerwEnd) ende = Tag(jetzt_);

  const bool jetztMonat = jahr == 0;
  if (jetztMonat) {
    Bis = ende > 0                                   ? ende
          : Bit(BerVor.Rec.Optionen2, kOpt2BisJetzt) ? jetzt_
                                                     : Tag(jetzt_) - SecondsToTime(1);
    DecodeDate(Bis, &jahr, &monat, &tag);
  }
  TMonatsSchluessel m{jahr, monat};
  meldeMonat_ = m;
  int32_t e = BerVor.Rec.MonatsEnde != 0 ? BerVor.Rec.MonatsEnde : DaysInMonth(jahr, monat);
  const TZeitraum z = Zeitraum();
  if (tag != 0) {
    if (jahr < konfig.VerwJahreMin) RaiseMonatVor(z);
    AktMonat.Laden(jahr, monat, true, persNr);
    if (e < tag) m = NaechsterMonat(m);
    if (jetztMonat) e = tag;
  }
  meldeMonat_ = m;
  if (!jetztMonat) {
    e = PeriodenEnde(e, m);
    Bis = EncodeDate(m.Jahr, m.Monat, e);
  }
  Bis = BisKuerzen(z, Bis);
  PruefeBis(z, Bis);

  const TMonatsSchluessel vor = VorigerMonat(m);
  const int32_t jahreMin = konfig.VerwJahreMin;
  bool uebertrag = !(vor.Jahr < jahreMin &&
                     !(person.Uebertrag != 0 && vor.Monat == 12 && vor.Jahr == jahreMin - 1));
  if (uebertrag) {
    Vormonat.Laden(vor.Jahr, vor.Monat, true, persNr);
    Von = PeriodenEndeDatum(BerVor.Rec.MonatsEnde, vor) + 1;
  } else {
    Von = EncodeDate(m.Jahr, m.Monat, 1);
  }
  if (Von < z.Eintritt) Von = z.Eintritt;
  if (Von == z.Eintritt) uebertrag = false;
  PruefeVon(z, Von);

  AktMonat.Laden(m.Jahr, m.Monat, true, persNr);
  if (person.Uebertrag != 0 && Von == z.Eintritt) uebertrag = true;
  if (uebertrag || MonatVon(Von).Vor(m)) {
    Vormonat.Laden(vor.Jahr, vor.Monat, true, persNr);
    if (!uebertrag) Vormonat.UebertragLoeschen();
  } else {
    Vormonat.KeyA = Vormonat.KeyB = Vormonat.KeyC = 0;
    Vormonat.Loaded = false;
    std::memset(static_cast<void*>(&Vormonat.Daten), 0, sizeof Vormonat.Daten);
  }

  const bool jahreswechsel = Vormonat.KeyA < m.Jahr;
  std::memset(static_cast<void*>(&AktMonat.Daten.MonErgebnis), 0, sizeof(TMonErgebnis));
  Uebernehmen(uebertrag, jahreswechsel);
  MonatTageRechnen(m, jetztMonat);
  const TAuswertung a = Auswertung();
  MonatskontenRechnen(BerVor.Rec, konfig.KontoDefs, AktMonat.Daten.MonErgebnis, Spur);
  BlockRunden(a, AktMonat.Daten.MonErgebnis);

  TUebertragEingabe eingabe;
  eingabe.Vorlage = &BerVor.Rec;
  eingabe.KontoDefs = &konfig.KontoDefs;
  eingabe.Vormonat = &Vormonat.Daten;
  eingabe.Jahreswechsel = jahreswechsel;
  if (Von == z.Eintritt && person.Uebertrag == 0) {
    eingabe.UrlaubZugang = person.Eintrittswert;
  } else if (m.Monat == 1) {
    eingabe.UrlaubZugang = person.Jahreswert;
  }
  eingabe.Spur = Spur;
  bool geaendert = UebertragRechnen(eingabe, AktMonat.Daten);

  AktMonat.Daten.BerechnetAm = jetzt_;
  AktMonat.Daten.BerechnetBis = static_cast<uint16_t>(e);
  AktMonat.Daten.MonUebertrag = uebertrag_;
  if (Bit(BerVor.Rec.Optionen, kOptTabelle) && umgebung_.Tabelle != nullptr) {
    umgebung_.Tabelle->MonatRechnen(*this);
    geaendert = true;
  }
  if ((Speichern || geaendert) && umgebung_.Plattform.host->RunsMainWindow()) Ablegen(m, ende);
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
