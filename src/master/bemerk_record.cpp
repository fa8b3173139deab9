#include "master/bemerk_record.h"

#include <algorithm>
#include <cstring>

#include "util/stored_bytes.h"

namespace qrv {

void BemerkRawToObject(const uint8_t* raw, size_t n, TBemerkRec& rec) {
  uint8_t bytes[kBemerkSize] = {};
  std::memcpy(bytes, raw, std::min<size_t>(n, kBemerkSize));
  rec.Nummer = stored::GetU16(bytes, kBmNummer);
  rec.PersNr = stored::GetI32(bytes, kBmPersNr);
  std::memcpy(rec.Reserviert, bytes + kBmReserviert, sizeof rec.Reserviert);
  rec.Datum = stored::GetDouble(bytes, kBmDatum);
  std::memcpy(rec.Text, bytes + kBmText, sizeof rec.Text);
}

void BemerkObjectToRaw(const TBemerkRec& rec, uint8_t* raw) {
  stored::PutI16(raw, kBmNummer, static_cast<int16_t>(rec.Nummer));
  stored::PutI32(raw, kBmPersNr, rec.PersNr);
  std::memcpy(raw + kBmReserviert, rec.Reserviert, sizeof rec.Reserviert);
  stored::PutDouble(raw, kBmDatum, rec.Datum);
  std::memcpy(raw + kBmText, rec.Text, sizeof rec.Text);
}

std::string BemerkText(const TBemerkRec& rec) {
  return stored::GetShortString(rec.Text, 0, kBemerkTextMax);
}

void SetBemerkText(TBemerkRec& rec, const std::string& text) {
  stored::PutShortString(rec.Text, 0, kBemerkTextMax, text);
}

}  // namespace qrv
