// The full (9000-byte) month record decoder on arbitrary bytes: the input fills the record (short
// inputs padded with zeros), its last two bytes beyond the record choose the month. A decoded
// month is written again and read back; the second reading must give the same bookings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "month/monat_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> raw(qrv::kGMonatSize, 0);
  std::memcpy(raw.data(), data, size < raw.size() ? size : raw.size());
  int32_t year = 2004;
  int32_t month = 2;
  if (size >= raw.size() + 2) {
    year = 1990 + data[raw.size()] % 40;
    month = 1 + data[raw.size() + 1] % 12;
  }
  auto m = std::make_unique<qrv::TMonatDaten>();
  qrv::DecodeGMonat(raw.data(), *m, year, month);
  for (const qrv::TMonatTag& t : m->Tage) {
    if (t.AnzBuchungen > qrv::kMaxBuchungen) std::abort();
  }
  std::vector<uint8_t> again(raw.size(), 0);
  qrv::EncodeGMonat(*m, again.data(), year, month);
  auto back = std::make_unique<qrv::TMonatDaten>();
  qrv::DecodeGMonat(again.data(), *back, year, month);
  for (int d = 1; d <= qrv::kMaxTage; ++d) {
    if (back->Tag(d).AnzBuchungen > m->Tag(d).AnzBuchungen) std::abort();
  }
  return 0;
}
