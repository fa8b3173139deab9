// Which months a writing command changed: a fingerprint of each month record's values, read
// before and after through a read-only installation (which completes nothing on disk).
// BerechnetAm is left out, since every accounting sets it.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <vector>

#include "lib/library.h"
#include "util/datetime.h"

namespace qrv::tool {

struct MonatsSchluessel {
  int32_t persNr = 0;
  int32_t jahr = 0;
  int32_t monat = 0;
  auto operator<=>(const MonatsSchluessel&) const = default;
};

using MonatsAbdruecke = std::map<MonatsSchluessel, uint64_t>;

// The months of the persons from von's month to the month after bis's (a template's month end
// puts days of a month into the next month's period), within the permitted years.
// lib: an installation opened read-only.
MonatsAbdruecke Abdruecke(TBibliothek& lib, const std::vector<int32_t>& personen, TDateTime von,
                          TDateTime bis);

// The months whose fingerprint differs, in key order.
std::vector<MonatsSchluessel> Geaendert(const MonatsAbdruecke& vorher,
                                        const MonatsAbdruecke& nachher);

}  // namespace qrv::tool
