// The automatic break rules of a day profile: each rule measures the worked time in its own
// window (or over the whole span), the break it takes there and a basis against its threshold,
// and deducts the missing break (kind 1) or credits the break taken (kinds 2 and 3).
#pragma once

#include <array>

#include "accounting/praesenz.h"
#include "accounting/zeit_text.h"
#include "master/bervor_record.h"

namespace qrv {

struct TRegelErgebnis {
  double Wert = 0;                  // what the rule gives (0 for a rule not in use)
  bool EigenesFenster = false;      // the rule has a window of its own
  TIntervall Fenster{0, 0, false};  // that window, as the profile gives it (date-times)
};

// Rule i (0 to 3) of the profile. arbeitszeit is the day's worked time (TagErgebnis[45]);
// bisher the automatic breaks of the rules before it.
TRegelErgebnis PausenRegel(const TTagBasis& b, const TBerVorRecord& vorlage, int i,
                           double arbeitszeit, double bisher, const TTagSpur& spur);

// The four rules in order, each seeing the sum of those before it.
std::array<TRegelErgebnis, kRegelAnzahl> PausenRegeln(const TTagBasis& b,
                                                      const TBerVorRecord& vorlage,
                                                      double arbeitszeit, const TTagSpur& spur);

}  // namespace qrv
