// The six-byte real of the older record layouts: byte 0 is the exponent biased by 129 (0 means
// the value is 0, whatever the other bytes hold), bytes 1 to 5 the 39-bit fraction of a mantissa
// 1.f, least significant byte first, and bit 7 of byte 5 the sign.
#pragma once

#include <cstdint>

namespace qrv {

inline constexpr int kReal48Size = 6;

// The value of the six bytes at p; exact in a double.
double Real48ToDouble(const uint8_t* p);

// Writes v as six bytes at p, the fraction rounded to the nearest (halves to even). 0, -0, NaN
// and magnitudes below 2^-128 are written as six zero bytes; magnitudes beyond the largest
// six-byte real (just under 2^127), infinities included, as that largest value with v's sign.
void DoubleToReal48(double v, uint8_t* p);

}  // namespace qrv
