// Rounding comings and goings on the day profile's grid: comings up (or down), goings up (or
// down), each with its tolerance; only the first coming or the last going when the profile says
// so; never inside the no-rounding window; a going never before its coming.
#pragma once

#include <cstdint>

#include "accounting/buchungsliste.h"
#include "accounting/zeit_text.h"
#include "master/modell_version.h"

namespace qrv {

// Rounds minute count m on grid g (minutes, above 0) with tolerance t: down gives
// g * ((m + t) div g), up g * ((m + g - t - 1) div g). The division floors, so a count
// that the tolerance carries below 0 stays on the grid.
int32_t RundeMinuten(int32_t m, int32_t g, int32_t t, bool ab);

// Rounds time t (a date-time) on grid g minutes with tolerance toleranz: the minute count is taken
// from the midnight of t's own day, so a grid that does not divide the day rounds a booking after
// midnight as it rounds the same time of any day. A grid of 0 or less leaves t as it is.
TDateTime RundeZeit(TDateTime t, int32_t g, int32_t toleranz, bool ab);

// Whether the profile rounds at all: rounding switched on and a grid of at least a minute.
bool RundungAn(const Tagesprofil& profil);

// The list with its comings and goings rounded as the profile says (unchanged when rounding is
// off). datum is the day's midnight, to which the no-rounding window is relative.
TBuchungsliste RundeListe(const TBuchungsliste& liste, const Tagesprofil& profil, TDateTime datum,
                          const TTagSpur& spur);

}  // namespace qrv
