// A day as the accounting left it: its evaluated booking list, status word with its texts, the
// day results by position, the day accounts after evaluation, shares and the working-day and
// holiday flags. The day entry lies in a month record (the accounted month or the month before);
// the view names its date and which defined accounts to show.
#pragma once

#include <vector>

#include "month/monat_daten.h"
#include "output/format.h"
#include "util/datetime.h"

namespace qrv::tool {

struct AbrechTagAnsicht {
  TDateTime Datum = 0;
  const TMonatTag* Daten = nullptr;
  std::vector<int> Konten;  // the defined accounts (1 to 40) whose day values are shown
};

// "yyyy-mm-ddThh:mm": a time of the evaluated booking list.
std::string ZeitpunktText(TDateTime t);

// The day results keyed by position: "41" to "60", then the accounts' positions.
Json TagErgebnisJson(const TMonatTag& tag, const std::vector<int>& konten);

void to_json(Json& j, const AbrechTagAnsicht& t);

}  // namespace qrv::tool
