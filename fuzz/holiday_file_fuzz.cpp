// The holiday file reader on arbitrary text: loading must end in the described error or a
// calendar whose list still holds every built-in holiday in date order, for the year loaded
// and after a change to a common year.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "holidays/feiertag_file.h"
#include "platform/fixed_clock.h"
#include "platform/table_locale.h"
#include "util/errors.h"

namespace {

void Check(qrv::TFeiertage& k) {
  if (k.Count() < qrv::kFeiertypMax) std::abort();
  for (int t = 1; t <= qrv::kFeiertypMax; ++t) k.FindFeierObj(static_cast<qrv::TFeiertyp>(t), 0, 0);
  // Keys begin with month and day, so the list runs through the year.
  for (int32_t i = 1; i < k.Count(); ++i) {
    const qrv::TFeierObj& a = k.GetFeierObj(i - 1);
    const qrv::TFeierObj& b = k.GetFeierObj(i);
    if (a.Monat * 100 + a.Tag > b.Monat * 100 + b.Tag) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::platform::TableLocale locale;
  static qrv::platform::FixedClock clock(45292.5);  // 1 January 2024, noon
  qrv::platform::Platform p{};
  p.locale = &locale;
  p.clock = &clock;
  qrv::TFeiertage k(p);
  qrv::TFeiertagText text(std::string(reinterpret_cast<const char*>(data), size));
  try {
    k.LoadFromText(text);
  } catch (const qrv::EInOutError& e) {
    if (e.ErrorCode != 106) std::abort();
  } catch (const qrv::EConvertError&) {
  }
  Check(k);
  k.SetJahr(2025);
  Check(k);
  k.IstFeiertag(45658);  // 1 January 2025
  return 0;
}
