// The model record decoder on arbitrary bytes (cut or zero-padded to the 3000-byte record):
// reading ends in a decoded version or the date conversion error, and what was read writes
// back into a record that reads again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "master/modell_record.h"
#include "platform/table_locale.h"
#include "util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::platform::TableLocale locale;
  static qrv::TKontoDefs konten;
  const qrv::TModellKontext kontext{locale, konten, 2024};
  std::vector<uint8_t> raw(qrv::kModellRawSize, 0);
  std::memcpy(raw.data(), data, std::min<size_t>(size, raw.size()));
  qrv::ModellVersion v{};
  try {
    qrv::ModellRawToObject(raw.data(), v, 5, kontext);
  } catch (const qrv::EConvertError&) {
    return 0;
  }
  if (v.Name[0] > 50) std::abort();
  std::vector<uint8_t> out(qrv::kModellRawSize, 0xEE);
  qrv::ModellObjectToRaw(v, out.data(), locale);
  qrv::ModellVersion again{};
  qrv::ModellRawToObject(out.data(), again, 5, kontext);
  if (std::memcmp(again.Name, v.Name, sizeof v.Name) != 0 || again.JedesJahr != v.JedesJahr) {
    std::abort();
  }
  return 0;
}
