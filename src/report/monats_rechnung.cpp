#include "report/monats_rechnung.h"

#include <algorithm>
#include <cmath>

#include "platform/files.h"
#include "report/tabellen_zeilen.h"
#include "util/errors.h"
#include "util/fileprobe.h"

namespace qrv {

namespace {

constexpr char kRepInfo[] = "RepInfo";
constexpr char kPersDaten[] = "PersDaten";
constexpr char kMonSumDaten[] = "MonSumDaten";
constexpr char kMonDaten[] = "MonDaten";
constexpr char kMonSumDatenCalc[] = "MonSumDatenCalc";
constexpr int32_t kErsteZeile = 2;  // row 1 holds the template's captions
// Sheets count in 16 bits where the engine names them by index.
constexpr int32_t kMaxSheets = 32767;

std::string VorlagenOrdner(const TKonfig& konfig) {
  const char sep = platform::kPathSeparator;
  return konfig.DataPath + "REPORTS" + sep + "VORLAGEN" + sep;
}

void Melden(TMonAbrech& abrech, TDateTime wert, const std::string& regel) {
  Melde(abrech.Spur, [&] { return TSpurEintrag{0, kSchrittTabelle, "Tabelle", wert, regel}; });
}

TDateTime Ganzer(TDateTime datum) {
  return std::floor(datum);
}

// Clears the sheet titled name (made when missing) after making it current.
int32_t Geleert(TMonatsRechnung& rechnung, platform::Spreadsheet& s, const char* name) {
  const int32_t index = rechnung.SheetIndex(name, true);
  s.SetSheet(index);
  s.ClearSheetRange(-1, -1, -1, -1, 3);
  return index;
}

}  // namespace

std::string MonCalcPfad(const TKonfig& konfig, int32_t berVorNr) {
  return VorlagenOrdner(konfig) + "MONCALC" + std::to_string(berVorNr) + ".XLS";
}

std::string MonCalcPfad(const TKonfig& konfig) {
  return VorlagenOrdner(konfig) + "MONCALC.XLS";
}

TMonatsRechnung::TMonatsRechnung() = default;
TMonatsRechnung::~TMonatsRechnung() = default;

void TMonatsRechnung::MonatRechnen(TMonAbrech& abrech) {
  try {
    if (!Engine(abrech)) return;
    Rechnen(abrech);
  } catch (const platform::SpreadsheetError& e) {
    Verwerfen();
    Melden(abrech, 0,
           std::string("spreadsheet month calculation ended, engine dropped: ") + e.what());
  } catch (const std::exception& e) {
    Melden(abrech, 0, std::string("spreadsheet month calculation ended: ") + e.what());
  } catch (...) {
    Melden(abrech, 0, "spreadsheet month calculation ended on an unknown error");
  }
}

int32_t TMonatsRechnung::SheetIndex(const std::string& name, bool anlegen) {
  if (!tabelle_) return 0;
  platform::Spreadsheet& s = *tabelle_;
  int32_t gefunden = 0;
  const int32_t anzahl = std::min(s.NumSheets(), kMaxSheets);
  for (int32_t i = 1; i <= anzahl; ++i) {
    if (s.GetSheetTitle(static_cast<int16_t>(i)) == name) gefunden = i;
  }
  if (gefunden > 0 || !anlegen) return gefunden;
  s.AddSheets(s.NumSheets() + 1, 1);
  const int32_t neu = s.NumSheets();
  s.SetSheetTitle(neu, name);
  return neu;
}

bool TMonatsRechnung::Engine(TMonAbrech& abrech) {
  if (tabelle_) return true;
  platform::SpreadsheetFactory* fabrik = abrech.Umgebung().Plattform.spreadsheets;
  if (fabrik == nullptr) {
    Melden(abrech, 0, "spreadsheet month calculation skipped: no spreadsheet engine");
    return false;
  }
  tabelle_ = fabrik->Create();
  if (!tabelle_) {
    Melden(abrech, 0, "spreadsheet month calculation skipped: " + fabrik->Missing());
    return false;
  }
  return true;
}

void TMonatsRechnung::Verwerfen() {
  tabelle_.reset();
  vorlageDatum_ = 0;
  vorlagePfad_.clear();
}

void TMonatsRechnung::Rechnen(TMonAbrech& abrech) {
  if (abrech.Person == nullptr) throw Exception("spreadsheet month calculation without a person");
  platform::Spreadsheet& s = *tabelle_;
  VorlageLaden(abrech);
  KopfSchreiben(abrech);
  const int32_t summen = SheetIndex(kMonSumDaten, true);
  s.SetSheet(summen);
  s.SetRow(kErsteZeile);
  TageSchreiben(abrech);
  if (summen > 0) {
    const int32_t tage = s.Sheet();
    s.SetSheet(summen);
    MonatZeileSchreiben(s, s.Row(), abrech.AktMonat.Daten, abrech.Umgebung().Konfig.KontoDefs);
    s.SetRow(s.Row() - 1);
    s.SetSheet(tage);
  }
  Zuruecklesen(abrech);
}

void TMonatsRechnung::VorlageLaden(TMonAbrech& abrech) {
  const TKonfig& konfig = abrech.Umgebung().Konfig;
  platform::FileSystem& fs = *abrech.Umgebung().Plattform.files;
  std::string pfad = MonCalcPfad(konfig, abrech.Person->Rec.BerVorNr);
  TDateTime datum = FileDateOf(fs, pfad, true);
  if (datum < 0) {
    pfad = MonCalcPfad(konfig);
    datum = FileDateOf(fs, pfad, true);
  }
  // Without a template file the workbook held would be one that no longer applies.
  if (datum < 0) throw EInOutError(MakeInOutError(2).Message() + ": " + pfad, 2);
  const bool laden = datum > vorlageDatum_ || pfad != vorlagePfad_;
  if (laden) {
    tabelle_->LoadWorkbook(pfad);
    vorlageDatum_ = datum;
    vorlagePfad_ = pfad;
  }
  Melden(abrech, datum,
         "spreadsheet month calculation with template " + pfad +
             (laden ? " (loaded)" : " (loaded before, unchanged)"));
}

void TMonatsRechnung::KopfSchreiben(TMonAbrech& abrech) {
  platform::Spreadsheet& s = *tabelle_;
  Geleert(*this, s, kRepInfo);
  s.SetCellEntry(1, 1, "Name");
  s.SetCellEntry(1, 2, "Von");
  s.SetCellEntry(1, 3, "Bis");
  s.SetRow(kErsteZeile);
  const auto jahr = static_cast<uint16_t>(abrech.AktMonat.KeyA);
  const auto monat = static_cast<uint16_t>(abrech.AktMonat.KeyB);
  s.SetCellEntry(kErsteZeile, 1, "MonCalc");
  s.SetCellNumber(kErsteZeile, 2, EncodeDate(jahr, monat, 1));
  s.SetCellNumber(kErsteZeile, 3, EncodeDate(jahr, monat, DaysInMonth(jahr, monat)));

  s.SetSheet(SheetIndex(kPersDaten, true));
  s.SetRow(kErsteZeile);
  PersonZeileSchreiben(s, kErsteZeile, abrech.Person->Rec, abrech.Umgebung().Konfig);
  s.SetRow(kErsteZeile + 1);
}

void TMonatsRechnung::TageSchreiben(TMonAbrech& abrech) {
  platform::Spreadsheet& s = *tabelle_;
  Geleert(*this, s, kMonDaten);
  s.SetRow(kErsteZeile);
  const int32_t persNr = abrech.Person->Rec.PersNr;
  const TMonat& akt = abrech.AktMonat;
  for (TDateTime d = Ganzer(abrech.Bis); d >= Ganzer(abrech.Von); d -= 1) {
    uint16_t jahr = 0;
    uint16_t monat = 0;
    uint16_t tag = 0;
    DecodeDate(d, &jahr, &monat, &tag);
    if (tag == 0) continue;  // no date of the calendar: no day entry either
    if (abrech.Plan.KeyA != jahr || abrech.Plan.KeyB != monat) {
      abrech.Plan.LadeMonat(jahr, monat, true, persNr);
    }
    const TMonat& quelle = akt.KeyA == jahr && akt.KeyB == monat ? akt : abrech.Vormonat;
    TTagZeile zeile;
    zeile.Datum = d;
    zeile.Tag = &quelle.Daten.Tag(tag);
    zeile.Plan = &abrech.Plan;
    zeile.Konten = &abrech.Umgebung().Konfig.KontoDefs;
    zeile.Bemerkung = abrech.Bemerk.GetText(quelle.Daten.Tag(tag).TagWort, persNr, d);
    const auto z = kErsteZeile + static_cast<int32_t>(d - abrech.Von);
    s.SetRow(z);
    TagZeileSchreiben(s, z, zeile);
  }
}

void TMonatsRechnung::Zuruecklesen(TMonAbrech& abrech) {
  platform::Spreadsheet& s = *tabelle_;
  const int32_t index = SheetIndex(kMonSumDatenCalc, false);
  if (index == 0) return;
  s.SetSheet(index);
  if (s.GetCellText(1, 1).empty()) return;
  s.SetRow(kErsteZeile);
  MonatZuruecklesen(s, abrech.AktMonat.Daten, abrech.Umgebung().Konfig.KontoDefs, abrech.Spur);
}

}  // namespace qrv
