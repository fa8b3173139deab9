// Adding an evaluated day into a result block (the layout of the month result) and rounding a
// block: the sums of the day results, the weekly running sum with the weekly accounts closing on
// the template's weekday, and the error and warning days under the template's masks.
#pragma once

#include "accounting/tag_auswertung.h"

namespace qrv {

// Whether block position i (0 to 66) holds a time that BlockRunden rounds, for n defined
// accounts.
bool IstZeitsumme(int i, int n);

}  // namespace qrv
