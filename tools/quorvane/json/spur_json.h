// The trace of an evaluation, entry by entry: the step, what was set, its value and the rule
// that set it. A value is shown in its own unit: a time of the evaluated booking list as
// "yyyy-mm-ddThh:mm", a day result, day account or balance as "h:mm", anything else (a status
// word, a share, a counter) as its number.
#pragma once

#include <string>

#include "accounting/spur.h"
#include "output/format.h"

namespace qrv::tool {

enum class SpurEinheit { kZahl, kDauer, kZeitpunkt };

// The unit of a value set at position (a trace entry's Position). An entry of the booking list
// holds a time, or a booking kind when a kind was set: wert tells them apart.
SpurEinheit EinheitVon(const std::string& position, double wert = 0);

// The value as shown; kDauer and kZeitpunkt as text, kZahl as the number.
Json SpurWertJson(const std::string& position, double wert);

}  // namespace qrv::tool

namespace qrv {

// {"Schritt", "Position", "Wert", "Regel"}; the rule's text as UTF-8.
void to_json(tool::Json& j, const TSpurEintrag& e);

}  // namespace qrv
