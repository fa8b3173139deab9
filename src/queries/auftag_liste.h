// The items of one order day, built from the day entry as the month's accounting left it, the
// day's profile and model, and the calculation template. TAufTag runs the accounting and keeps
// the list; this is only the description of the day.
#pragma once

#include <string>
#include <vector>

#include "config/fehlzeiten.h"
#include "config/konto_defs.h"
#include "master/bervor_record.h"
#include "master/modell_version.h"
#include "month/monat_daten.h"
#include "queries/auftag.h"

namespace qrv {

struct TAuftagEingabe {
  const TMonatTag& Tag;  // evaluated by the month's accounting (its Paare rounded)
  const Tagesprofil& Profil;
  const ModellVersion* Modell;  // the version the day's profile came from; may be null
  const TBerVorRecord& Vorlage;
  const TKontoDefs& KontoDefs;
  const TFehlzeiten& Fehlzeiten;
  TDateTime Datum = 0;  // the day's midnight
  TDateTime Jetzt = 0;  // closes an open coming of a day not yet over
  uint8_t Modus = 0;    // 0 and 2 round the presence pieces, any other value does not
};

// Appends the day's items to liste in their order: model, target, day accounts and remarks;
// net span, gaps and break windows; span and pairs before rounding; frame, rounding and
// no-rounding window; presence pieces outside the break windows. Items already appended stay
// when a step raises.
void AuftagItemsBauen(const TAuftagEingabe& e, std::vector<TAuftagItem>& liste);

// "kommen aufrunden (5min) / gehen abrunden" and the like.
std::string RundungText(const Tagesprofil& p);

// "0005 Name": the model's number (that of its first version) with four digits and its name.
std::string ModellText(const ModellVersion& v);

}  // namespace qrv
