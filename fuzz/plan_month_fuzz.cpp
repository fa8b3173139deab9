// The personal plan record decoder on arbitrary bytes (cut or zero-padded to the 85-byte
// record): every day's model and code stay in their ranges, the hand-set days include the shift
// days, and writing back gives the stored words and day sets again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "plans/plan_monat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t raw[qrv::kMPlanRawSize] = {};
  std::memcpy(raw, data, std::min<size_t>(size, sizeof raw));
  auto monat = std::make_unique<qrv::TPlanMonat>();
  std::memset(monat.get(), 0xA5, sizeof *monat);
  qrv::MPlanRawToObject(raw, *monat);
  for (int d = 0; d < qrv::kPlanTage; ++d) {
    if (monat->Modelle[d] > 1023) std::abort();
    const uint16_t k = monat->Kennungen[d];
    if (k != 0 && (k < 9001 || k > 9063)) std::abort();
  }
  if ((monat->FesteTage & monat->SchichtTage) != monat->SchichtTage) std::abort();
  if (monat->ProfileGefuellt != 0) std::abort();

  uint8_t back[qrv::kMPlanRawSize];
  std::memset(back, 0xEE, sizeof back);
  qrv::MPlanObjectToRaw(*monat, back);
  if (std::memcmp(back, raw, 62) != 0 || std::memcmp(back + 66, raw + 66, 5) != 0) std::abort();
  for (int i = 0; i < 4; ++i) {
    if (back[62 + i] != (raw[62 + i] | raw[66 + i])) std::abort();
  }
  for (size_t i = 71; i < sizeof back; ++i) {
    if (back[i] != 0) std::abort();
  }
  return 0;
}
