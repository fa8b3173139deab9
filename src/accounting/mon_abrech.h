// TMonAbrech: the accounting engine of one person. It evaluates a person's days over a range (the
// time calculation), accounts whole months with the carry-over from the month before (the
// order-day enumeration and recalculation), and recalculates runs of months (Neuberechnung).
#pragma once

#include <cstdint>
#include <memory>

#include "accounting/periode.h"
#include "accounting/spur.h"
#include "accounting/tag_auswertung.h"
#include "config/konfig.h"
#include "master/bemerk.h"
#include "master/bervor.h"
#include "master/person.h"
#include "month/monat.h"
#include "month/monat_file.h"
#include "plans/plan.h"
#include "platform/platform.h"

namespace qrv {

class TMonAbrech;

// What runs after a month is accounted when its template asks for the spreadsheet month
// calculation. None is attached until a spreadsheet engine is.
class TMonatsTabelle {
 public:
  virtual ~TMonatsTabelle();
  virtual void MonatRechnen(TMonAbrech& abrech) = 0;
};

// The installation's objects an accounting works with; all must outlive the engines built on
// them.
struct TAbrechUmgebung {
  const platform::Platform& Plattform;
  const TKonfig& Konfig;
  TMonatFile& MonatFile;  // the month file of the installation's layout
  TPlanDateien PlanDateien;
  TBerVorFile& BerVorFile;
  TFile* const* BemerkFile;  // the slot of the process-wide remark file (may hold null)
  TFeiertage& Feiertage;
  TMonatsTabelle* Tabelle = nullptr;
};

class TMonAbrech {
 public:
  explicit TMonAbrech(const TAbrechUmgebung& umgebung);
  ~TMonAbrech();
  TMonAbrech(const TMonAbrech&) = delete;
  TMonAbrech& operator=(const TMonAbrech&) = delete;

  // Evaluates the days of [von, bis], widened by a day on each side, into block; loeschen zeroes
  // the block first.
  void Bereich(TMonErgebnis& block, bool loeschen, TDateTime von, TDateTime bis);
  // Accounts one month; year 0 is the current month up to now. ende: end date, 0 for none.
  void Monatsabrechnung(uint16_t jahr, uint16_t monat, uint16_t tag, TDateTime ende);

  TPerson* Person = nullptr;  // set by the caller, never freed here
  TMonat AktMonat;
  TMonat Vormonat;
  TPlan Plan;
  TBerVor BerVor;
  TBemerk Bemerk;
  TDateTime Von = 0;
  TDateTime Bis = 0;
  bool Speichern = false;
  TSpur* Spur = nullptr;  // told what each rule set; none by default

  const TAbrechUmgebung& Umgebung() const { return umgebung_; }

 private:
  void BereichRechnen(TMonErgebnis& block, bool loeschen, TDateTime von, TDateTime bis);
  // The month accounted and the day its period ends; JetztMonat: up to now.
  struct TPeriode {
    TMonatsSchluessel Monat;
    int32_t Ende = 0;
    bool JetztMonat = false;
  };
  void Abrechnen(uint16_t jahr, uint16_t monat, uint16_t tag, TDateTime ende);
  // The month and its end (Bis), checked against the recording time and the permitted years.
  TPeriode PeriodeBestimmen(uint16_t jahr, uint16_t monat, uint16_t tag, TDateTime ende);
  // The period's start (Von) and the previous month; the answer: carry from it.
  bool VonBestimmen(TMonatsSchluessel monat);
  // The month's days, its monthly accounts and its carried values; true when a value moved.
  bool WerteRechnen(const TPeriode& periode, bool uebertrag);
  // The month's days from Von to Bis into AktMonat's block; days of the month before on
  // Vormonat's entries. jetztEnde: the last day's window ends at Bis.
  void MonatTageRechnen(TMonatsSchluessel monat, bool jetztEnde);
  // Evaluates day datum of monat with the plan's profile and adds it into block.
  void TagRechnen(TMonat& monat, TDateTime datum, const TFenster& fenster, TMonErgebnis& block);
  // Takes over the previous month's carried value and weekly running sum (with carry), adds
  // the month's weekly correction.
  void Uebernehmen(bool uebertrag, bool jahreswechsel);
  // Stores the month, asks for its reorganisation and recalculates up to the end date.
  void Ablegen(TMonatsSchluessel monat, TDateTime ende);
  void VorlageLaden();
  TPerson& Pers() const;
  TZeitraum Zeitraum() const;
  TAuswertung Auswertung() const;
  // Runs body; an error on the way gets the month and the person in front of its message.
  template <class Body>
  void MitKopf(Body&& body);

  TAbrechUmgebung umgebung_;
  TDateTime jetzt_ = 0;
  TMonatsSchluessel meldeMonat_;  // the month an error message names
  double uebertrag_ = 0;          // the carried value handed from day to day
};

// Accounts every month of [von, bis] again and stores what changed (when the host runs the
// interactive application's main window).
void Neuberechnung(const TAbrechUmgebung& umgebung, TPerson& person, TDateTime bis, TDateTime von);

}  // namespace qrv
