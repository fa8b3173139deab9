#include "util/rounding.h"

#include <cmath>

namespace qrv {

double RoundHalfAway(double v) {
  if (!std::isfinite(v)) return v;
  return v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5);
}

double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  double lower = std::floor(v);
  double rest = v - lower;
  if (rest > 0.5) return lower + 1;
  if (rest < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

}  // namespace qrv
