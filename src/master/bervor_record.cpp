#include "master/bervor_record.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "util/stored_bytes.h"

namespace qrv {

namespace {

using stored::GetDouble;
using stored::GetI32;
using stored::GetU16;
using stored::PutDouble;
using stored::PutI16;
using stored::PutI32;

// Index of a position in a bound table, or -1 outside -12..40.
int32_t GrenzeIndex(int32_t position) {
  if (position < kGrenzeMin || position > kGrenzeMax) return -1;
  return position - kGrenzeMin;
}

// The doubles of the packed record may lie at any address, so they are reached through bytes.
void ReadDoubles(const uint8_t* raw, size_t at, uint8_t* out, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const double v = GetDouble(raw, at + 8 * static_cast<size_t>(i));
    std::memcpy(out + 8 * static_cast<size_t>(i), &v, 8);
  }
}

void WriteDoubles(uint8_t* raw, size_t at, const uint8_t* in, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    double v;
    std::memcpy(&v, in + 8 * static_cast<size_t>(i), 8);
    PutDouble(raw, at + 8 * static_cast<size_t>(i), v);
  }
}

template <typename T>
uint8_t* BytesAt(T& object, size_t offset) {
  return reinterpret_cast<uint8_t*>(&object) + offset;
}

template <typename T>
const uint8_t* BytesAt(const T& object, size_t offset) {
  return reinterpret_cast<const uint8_t*>(&object) + offset;
}

void ReadGrenzen(const uint8_t* raw, size_t at, TGrenzen& g) {
  std::memcpy(BytesAt(g, offsetof(TGrenzen, Aktiv)), raw + at, kGrenzePositionen);
  ReadDoubles(raw, at + kGrenzePositionen, BytesAt(g, offsetof(TGrenzen, Wert)), kGrenzePositionen);
}

void WriteGrenzen(uint8_t* raw, size_t at, const TGrenzen& g) {
  std::memcpy(raw + at, BytesAt(g, offsetof(TGrenzen, Aktiv)), kGrenzePositionen);
  WriteDoubles(raw, at + kGrenzePositionen, BytesAt(g, offsetof(TGrenzen, Wert)),
               kGrenzePositionen);
}

}  // namespace

bool TGrenzen::InKraft(int32_t position) const {
  const int32_t i = GrenzeIndex(position);
  return i >= 0 && Aktiv[i] != 0;
}

double TGrenzen::Grenze(int32_t position) const {
  const int32_t i = GrenzeIndex(position);
  return i >= 0 ? Wert[i] : 0.0;
}

void TGrenzen::Setze(int32_t position, bool aktiv, double wert) {
  const int32_t i = GrenzeIndex(position);
  if (i < 0) return;
  Aktiv[i] = aktiv ? 1 : 0;
  Wert[i] = wert;
}

void BerVorRawToObject(const uint8_t* raw, size_t n, TBerVorRecord& record) {
  // A short record is read as far as it goes; the rest counts as zero.
  uint8_t bytes[kBerVorSize] = {};
  std::memcpy(bytes, raw, std::min<size_t>(n, kBerVorSize));
  std::memcpy(record.Name, bytes + kBvName, sizeof record.Name);
  record.MonatsEnde = GetI32(bytes, kBvMonatsEnde);
  record.Optionen = bytes[kBvOptionen];
  record.Optionen2 = bytes[kBvOptionen2];
  ReadDoubles(bytes, kBvKontoVon, BytesAt(record, offsetof(TBerVorRecord, KontoVon)),
              kBerVorKonten);
  ReadDoubles(bytes, kBvKontoBis, BytesAt(record, offsetof(TBerVorRecord, KontoBis)),
              kBerVorKonten);
  std::memcpy(record.Frei, bytes + kBvFrei, sizeof record.Frei);
  ReadDoubles(bytes, kBvKontoMin, BytesAt(record, offsetof(TBerVorRecord, KontoMin)),
              kBerVorKonten);
  ReadGrenzen(bytes, kBvUntergrenze, record.Untergrenze);
  ReadGrenzen(bytes, kBvObergrenze, record.Obergrenze);
  ReadGrenzen(bytes, kBvUntergrenzeJahr, record.UntergrenzeJahr);
  ReadGrenzen(bytes, kBvObergrenzeJahr, record.ObergrenzeJahr);
  record.WochenEnde = GetI32(bytes, kBvWochenEnde);
  record.Ignoriert = GetU16(bytes, kBvIgnoriert);
  record.Fehler = GetU16(bytes, kBvFehler);
  record.Warnungen = GetU16(bytes, kBvWarnungen);
}

void BerVorObjectToRaw(const TBerVorRecord& record, uint8_t* raw) {
  std::memcpy(raw + kBvName, record.Name, sizeof record.Name);
  PutI32(raw, kBvMonatsEnde, record.MonatsEnde);
  raw[kBvOptionen] = record.Optionen;
  raw[kBvOptionen2] = record.Optionen2;
  WriteDoubles(raw, kBvKontoVon, BytesAt(record, offsetof(TBerVorRecord, KontoVon)), kBerVorKonten);
  WriteDoubles(raw, kBvKontoBis, BytesAt(record, offsetof(TBerVorRecord, KontoBis)), kBerVorKonten);
  std::memcpy(raw + kBvFrei, record.Frei, sizeof record.Frei);
  WriteDoubles(raw, kBvKontoMin, BytesAt(record, offsetof(TBerVorRecord, KontoMin)), kBerVorKonten);
  WriteGrenzen(raw, kBvUntergrenze, record.Untergrenze);
  WriteGrenzen(raw, kBvObergrenze, record.Obergrenze);
  WriteGrenzen(raw, kBvUntergrenzeJahr, record.UntergrenzeJahr);
  WriteGrenzen(raw, kBvObergrenzeJahr, record.ObergrenzeJahr);
  PutI32(raw, kBvWochenEnde, record.WochenEnde);
  PutI16(raw, kBvIgnoriert, static_cast<int16_t>(record.Ignoriert));
  PutI16(raw, kBvFehler, static_cast<int16_t>(record.Fehler));
  PutI16(raw, kBvWarnungen, static_cast<int16_t>(record.Warnungen));
}

std::string BerVorName(const TBerVorRecord& record) {
  return stored::GetShortString(record.Name, 0, kBerVorNameMax);
}

void SetBerVorName(TBerVorRecord& record, const std::string& name) {
  stored::PutShortString(record.Name, 0, kBerVorNameMax, name);
}

}  // namespace qrv
