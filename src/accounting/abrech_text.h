// Numbers and dates as the accounting driver's trace and requests show them.
#pragma once

#include <string>

#include "util/datetime.h"

namespace qrv {

// A number with up to four decimals, without trailing zeros ("2.5", "-3").
std::string ZahlText(double wert);
// A date as "dd.mm.yyyy".
std::string DatumText(TDateTime datum);

}  // namespace qrv
