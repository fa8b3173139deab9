// The person record conversions on arbitrary stored bytes: decode, write back into the same
// bytes, decode again. Inputs shorter or longer than a record are padded with zeros or cut.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "master/person_record.h"
#include "platform/table_locale.h"

namespace {

template <size_t N>
void CheckShort(const std::array<uint8_t, N>& s) {
  if (s[0] > N - 1) std::abort();
}

void CheckRecord(const qrv::TPersonRec& p, int32_t c) {
  if (p.PersNr != c) std::abort();
  CheckShort(p.Name), CheckShort(p.Vorname), CheckShort(p.Text1), CheckShort(p.Text2);
  CheckShort(p.Text6), CheckShort(p.Text7), CheckShort(p.Text8), CheckShort(p.Text9);
  for (const auto& f : p.Frei) CheckShort(f);
  if (p.Kurz1[0] != 3 || p.Kurz2[0] != 3 || p.Kurz3[0] != 3) std::abort();
  if (std::memchr(p.Bemerkung.data(), 0, p.Bemerkung.size()) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::platform::TableLocale locale;
  std::array<uint8_t, qrv::kPersonRawSize> raw{};
  std::memcpy(raw.data(), data, std::min(size, raw.size()));
  qrv::TPersonContext ctx;
  ctx.Locale = &locale;
  ctx.AuswOffset = size > 0 ? static_cast<int8_t>(data[0]) : -1;
  ctx.FirstDate = qrv::FirstPermittedDate(2000);
  ctx.Today = 46366;
  const int32_t c = 1 + static_cast<int32_t>(size % 9999);
  qrv::TPersonRec first;
  qrv::PersonRawToObject(raw.data(), first, c, ctx);
  CheckRecord(first, c);
  qrv::PersonObjectToRaw(raw.data(), first, ctx);
  qrv::TPersonRec second;
  qrv::PersonRawToObject(raw.data(), second, c, ctx);
  CheckRecord(second, c);
  // Numbers written back read the same.
  if (second.VorlageNr != first.VorlageNr || second.BerVorNr != first.BerVorNr ||
      second.Wert2 != first.Wert2 || second.GruppeNr != first.GruppeNr) {
    std::abort();
  }
  for (int order = 0; order < qrv::kPersonOrders; ++order) {
    if (qrv::ComparePersons(first, first, order, locale, ctx.Today) != 0) std::abort();
  }
  return 0;
}
