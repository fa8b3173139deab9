// The text forms of an accounted month and of one accounted day, built from the same JSON the
// account and day commands print, so the two forms never disagree.
//
// The month sheet: a head naming the person and the period, one line a day (date, evaluated
// pairs, target, result, difference, running balance, absence and status), and at the foot the
// month's sums and each carried value before and after. The running balance starts from the
// balance the month took over (after bounds and correction), so its last value is the month's
// MonSaldo.
#pragma once

#include <ostream>

#include "format.h"

namespace qrv::tool {

// account: MonatsLauf::ToJson.
void PrintMonatsblatt(std::ostream& out, const Json& account);

// day: a day of "Tage" with, when explained, its "Spur": the day's line, then one line per
// rule that moved a time.
void PrintTagErklaerung(std::ostream& out, const Json& day);

// The minutes of a duration text "h:mm" or "-h:mm".
int DurationMinutes(const std::string& text);

}  // namespace qrv::tool
