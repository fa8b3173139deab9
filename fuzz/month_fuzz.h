// One month layout's decoder on arbitrary bytes: the input fills the record (short inputs padded
// with zeros), its two bytes beyond the record choose the month. A decoded month is written again
// and read back; the second reading may not hold more bookings than the first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "month/monat_codec.h"

namespace qrv::fuzz {

using MonatDecoder = void (*)(const uint8_t*, TMonatDaten&, int32_t, int32_t);
using MonatEncoder = void (*)(const TMonatDaten&, uint8_t*, int32_t, int32_t);

inline int FuzzMonat(const uint8_t* data, size_t size, size_t recordSize, MonatDecoder decode,
                     MonatEncoder encode) {
  std::vector<uint8_t> raw(recordSize, 0);
  std::memcpy(raw.data(), data, size < raw.size() ? size : raw.size());
  int32_t year = 2004;
  int32_t month = 2;
  if (size >= raw.size() + 2) {
    year = 1990 + data[raw.size()] % 40;
    month = 1 + data[raw.size() + 1] % 12;
  }
  auto m = std::make_unique<TMonatDaten>();
  decode(raw.data(), *m, year, month);
  for (const TMonatTag& t : m->Tage) {
    if (t.AnzBuchungen > kMaxBuchungen) std::abort();
  }
  std::vector<uint8_t> again(raw.size(), 0);
  encode(*m, again.data(), year, month);
  auto back = std::make_unique<TMonatDaten>();
  decode(again.data(), *back, year, month);
  for (int d = 1; d <= kMaxTage; ++d) {
    if (back->Tag(d).AnzBuchungen > m->Tag(d).AnzBuchungen) std::abort();
  }
  return 0;
}

}  // namespace qrv::fuzz
