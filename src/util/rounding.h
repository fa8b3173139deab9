// The installation's two rounding rules, one helper each. Every rounding in the library goes
// through one of them, so a rule is never re-implemented with a slightly different edge.
#pragma once

namespace qrv {

// Halves away from zero (minutes): the whole part of v + 0.5 for v >= 0, of v - 0.5 below.
// A value that is not finite comes back unchanged.
double RoundHalfAway(double v);

// Halves to the even neighbour (tenths, counters): 0.5 -> 0, 1.5 -> 2, -2.5 -> -2.
double RoundHalfEven(double v);

}  // namespace qrv
