#include "util/real48.h"

#include <cmath>

#include "util/rounding.h"

namespace qrv {

namespace {

constexpr int kBias = 129;
constexpr int kFractionBits = 39;
constexpr uint64_t kFractionMask = (uint64_t{1} << kFractionBits) - 1;

void Store(uint8_t* p, int exponent, uint64_t fraction, bool negative) {
  p[0] = static_cast<uint8_t>(exponent);
  for (int i = 1; i <= 5; ++i) p[i] = static_cast<uint8_t>(fraction >> (8 * (i - 1)));
  p[5] = static_cast<uint8_t>((p[5] & 0x7F) | (negative ? 0x80 : 0));
}

}  // namespace

double Real48ToDouble(const uint8_t* p) {
  if (p[0] == 0) return 0.0;
  uint64_t fraction = 0;
  for (int i = 5; i >= 1; --i) fraction = (fraction << 8) | p[i];
  fraction &= kFractionMask;
  const double mantissa = 1.0 + std::ldexp(static_cast<double>(fraction), -kFractionBits);
  const double magnitude = std::ldexp(mantissa, p[0] - kBias);
  return (p[5] & 0x80) ? -magnitude : magnitude;
}

void DoubleToReal48(double v, uint8_t* p) {
  if (std::isnan(v) || v == 0.0) {
    Store(p, 0, 0, false);
    return;
  }
  const bool negative = std::signbit(v);
  if (std::isinf(v)) {
    Store(p, 255, kFractionMask, negative);
    return;
  }
  int e = 0;
  const double m = std::frexp(std::fabs(v), &e);  // m in [0.5, 1)
  // 1.f = 2m; the whole number 2m * 2^39 lies in [2^39, 2^40).
  double scaled = RoundHalfEven(std::ldexp(m, kFractionBits + 1));
  int exponent = e - 1 + kBias;
  if (scaled >= std::ldexp(1.0, kFractionBits + 1)) {
    scaled = std::ldexp(1.0, kFractionBits);
    ++exponent;
  }
  if (exponent < 1) {
    Store(p, 0, 0, false);
  } else if (exponent > 255) {
    Store(p, 255, kFractionMask, negative);
  } else {
    Store(p, exponent, static_cast<uint64_t>(scaled) & kFractionMask, negative);
  }
}

}  // namespace qrv
