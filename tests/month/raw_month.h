// Stored month records built byte by byte for the tests, independently of the library's own
// writers: each value goes to the offset the test names.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "month/monat_daten.h"

namespace qrv::testing {

class RawMonth {
 public:
  explicit RawMonth(size_t size) : bytes(size, 0) {}

  void U8(size_t at, int v) { bytes.at(at) = static_cast<uint8_t>(v); }
  void I16(size_t at, int v) { Put(at, 2, static_cast<uint16_t>(v)); }
  void I32(size_t at, int64_t v) { Put(at, 4, static_cast<uint32_t>(v)); }
  void F64(size_t at, double v) {
    uint64_t u = 0;
    std::memcpy(&u, &v, 8);
    Put(at, 8, u);
  }
  // Sets bit n of the 32-bit word at an offset.
  void Bit(size_t at, int n) {
    uint32_t word = 0;
    for (int i = 0; i < 4; ++i) word |= static_cast<uint32_t>(bytes.at(at + i)) << (8 * i);
    Put(at, 4, word | (uint32_t{1} << n));
  }
  std::string Text() const { return std::string(bytes.begin(), bytes.end()); }

  std::vector<uint8_t> bytes;

 private:
  void Put(size_t at, int n, uint64_t v) {
    for (int i = 0; i < n; ++i) bytes.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
  }
};

inline constexpr double kMinute = 1.0 / 1440;

// h:mm as a day fraction.
inline double HM(int h, int m) {
  return (h * 60 + m) * kMinute;
}

// A booking of the in-memory form.
inline TBuchung Buchung(double zeit, int art, int code1 = 0, int code2 = 0) {
  TBuchung b{};
  b.Zeit = zeit;
  b.Art = static_cast<uint8_t>(art);
  b.Code1 = static_cast<uint8_t>(code1);
  b.Code2 = static_cast<uint8_t>(code2);
  return b;
}

inline void AddBuchung(TMonatTag& tag, const TBuchung& b) {
  tag.Buchungen[tag.AnzBuchungen++] = b;
}

}  // namespace qrv::testing
