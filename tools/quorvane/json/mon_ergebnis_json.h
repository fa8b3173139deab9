// The result block of an accounted month or range: each day result's sum keyed by the day
// result's position, the per-account sums of the defined accounts by account number, the sums
// of the five day accounts, shares, working days and the counters.
#pragma once

#include <vector>

#include "month/monat_daten.h"
#include "output/format.h"

namespace qrv::tool {

struct MonErgebnisAnsicht {
  const TMonErgebnis* Block = nullptr;
  std::vector<int> Konten;  // the defined accounts (1 to 40) whose sums are shown
};

// The sum of TagErgebnis[pos] in the block; 0 for a position that no sum holds.
double ErgebnisSumme(const TMonErgebnis& block, int pos);

void to_json(Json& j, const MonErgebnisAnsicht& e);

}  // namespace qrv::tool
