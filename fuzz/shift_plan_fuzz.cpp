// The shift plan record decoder on arbitrary bytes (cut or zero-padded to the 10000-byte
// record): only the day profiles change, and what was read writes back into a record that
// reads to the same profiles' targets.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "plans/plan_monat.h"
#include "platform/table_locale.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::platform::TableLocale locale;
  static qrv::TKontoDefs konten;
  const qrv::TSPlanKontext kontext{locale, konten, 2024};
  std::vector<uint8_t> raw(qrv::kSPlanRawSize, 0);
  std::memcpy(raw.data(), data, std::min<size_t>(size, raw.size()));
  auto monat = std::make_unique<qrv::TPlanMonat>();
  std::memset(monat.get(), 0x5A, sizeof *monat);
  qrv::SPlanRawToObject(raw.data(), *monat, kontext);
  const auto* kopf = reinterpret_cast<const uint8_t*>(monat.get());
  for (size_t i = 0; i < qrv::kPlanKopfSize; ++i) {
    if (kopf[i] != 0x5A) std::abort();
  }

  std::vector<uint8_t> out(qrv::kSPlanRawSize, 0xEE);
  qrv::SPlanObjectToRaw(*monat, out.data(), locale);
  auto again = std::make_unique<qrv::TPlanMonat>();
  qrv::SPlanRawToObject(out.data(), *again, kontext);
  for (int d = 0; d < qrv::kPlanTage; ++d) {
    if (again->Tagesprofile[d].Mitternacht !=
        (monat->Tagesprofile[d].Tagesende > 1.0 || monat->Tagesprofile[d].SpanneVon < 0)) {
      std::abort();
    }
  }
  return 0;
}
