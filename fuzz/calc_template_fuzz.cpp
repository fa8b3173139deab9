// The calculation template reader on arbitrary bytes: a record of any length decodes, encodes
// back to the same bytes (zero-padded), and the name, status tests and bounds stay in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "master/begrenze.h"
#include "master/bervor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qrv::TBerVorRecord r;
  std::memset(&r, 0xA5, sizeof r);
  qrv::BerVorRawToObject(data, size, r);

  uint8_t back[qrv::kBerVorSize];
  qrv::BerVorObjectToRaw(r, back);
  const size_t n = size < sizeof back ? size : sizeof back;
  if (std::memcmp(back, data, n) != 0) std::abort();
  for (size_t i = n; i < sizeof back; ++i) {
    if (back[i] != 0) std::abort();
  }

  if (qrv::BerVorName(r).size() > 50) std::abort();
  const uint16_t masks[] = {r.Ignoriert, r.Fehler, r.Warnungen};
  for (uint16_t status : masks) {
    qrv::IstFehler(r, status);
    qrv::IstWarnung(r, status);
    if (qrv::StatusText(status).size() > 400) std::abort();
  }
  for (int32_t p = qrv::kGrenzeMin - 1; p <= qrv::kGrenzeMax + 1; ++p) {
    double wert = r.KontoVon[(p + 40) % 40];
    qrv::Begrenze(r, wert, p, true);
  }
  return 0;
}
