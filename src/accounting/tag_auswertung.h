// The evaluation of one day entry: its evaluated booking list, status bits and day results from
// the day profile, the calculation template, the account definitions, the absence types and the
// public holidays; adding a day into a result block and rounding the block. The accounting driver
// calls it for every day of a range or month; the queries use its building blocks.
#pragma once

#include "accounting/spur.h"
#include "config/fehlzeiten.h"
#include "config/konto_defs.h"
#include "holidays/feiertage.h"
#include "master/bervor_record.h"
#include "master/modell_version.h"
#include "month/monat_daten.h"

namespace qrv {

// What a day evaluation reads besides the day: none of it is written.
struct TAuswertung {
  const TBerVorRecord* Vorlage = nullptr;
  const TKontoDefs* KontoDefs = nullptr;
  const TFehlzeiten* Fehlzeiten = nullptr;
  TFeiertage* Feiertage = nullptr;  // answers IstFeiertag (it loads years on demand)
  TDateTime Jetzt = 0;              // now: an open coming and "a day after today" depend on it
  TSpur* Spur = nullptr;            // the trace listener, or none
};

// The evaluation window. A start of 0 counts as open.
struct TFenster {
  TDateTime Von = 0;
  TDateTime Bis = 100000;
};

// Evaluates day entry tag of date datum (its midnight) with the day profile: writes its Paare,
// status bits and day results into the entry.
void TagAuswerten(const TAuswertung& a, const Tagesprofil& profil, TDateTime datum,
                  const TFenster& fenster, TMonatTag& tag);

// Adds the evaluated day into the result block: the sums, the weekly running sum (its value
// after the day is copied into the day), the weekly accounts on the template's closing weekday,
// and the error and warning counters.
void TagAddieren(const TAuswertung& a, TDateTime datum, TMonatTag& tag, TMonErgebnis& block);

// Rounds every time sum of the block to the minute.
void BlockRunden(const TAuswertung& a, TMonErgebnis& block);

}  // namespace qrv
