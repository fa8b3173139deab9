// Values as the driver's trace entries show them.
#pragma once

#include <string>

#include "util/datetime.h"

namespace qrv {

// A day fraction as hours and minutes, "-1:05" below zero.
std::string ZeitText(double wert);
// A number with up to four decimals, without trailing zeros ("2.5", "-3").
std::string ZahlText(double wert);
// A date as "dd.mm.yyyy".
std::string DatumText(TDateTime datum);

}  // namespace qrv
