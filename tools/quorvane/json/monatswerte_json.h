// The values a month hands to the next: balance, shares, day counters, the day accounts' and the
// defined accounts' balances, the carried value and the weekly running sum, as they stand in a
// month record (before the accounting: the month before; after: the accounted month).
#pragma once

#include <cstdint>
#include <vector>

#include "month/monat_daten.h"
#include "output/format.h"

namespace qrv::tool {

struct MonatsWerteAnsicht {
  int32_t Jahr = 0;  // 0: no month (a month before the recording began)
  int32_t Monat = 0;
  const TMonatDaten* Daten = nullptr;
  std::vector<int> Konten;  // the defined accounts (1 to 40) whose balances are shown
};

void to_json(Json& j, const MonatsWerteAnsicht& m);

}  // namespace qrv::tool
