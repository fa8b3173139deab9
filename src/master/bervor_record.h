// The calculation template record (2975 bytes, stored and held alike) and its little-endian
// conversion. The accounting reads the month end, the weekly close, the per-account ranges and
// minimums, the four bound tables, the option bits and the three status masks from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qrv {

inline constexpr int32_t kBerVorSize = 2975;
inline constexpr int32_t kBerVorKonten = 40;
// Positions of a bound table: the account numbers -12 to 40.
inline constexpr int32_t kGrenzeMin = -12;
inline constexpr int32_t kGrenzeMax = 40;
inline constexpr int32_t kGrenzePositionen = kGrenzeMax - kGrenzeMin + 1;
inline constexpr int32_t kBerVorNameMax = 50;

#pragma pack(push, 1)

// One bound per position: the switch says whether it is in force.
struct TGrenzen {
  uint8_t Aktiv[kGrenzePositionen];
  double Wert[kGrenzePositionen];

  // Positions outside -12..40 have no bound.
  bool InKraft(int32_t position) const;
  double Grenze(int32_t position) const;
  void Setze(int32_t position, bool aktiv, double wert);
};
static_assert(sizeof(TGrenzen) == 477);

struct TBerVorRecord {
  uint8_t Name[kBerVorNameMax + 1];  // length byte, then up to 50 characters
  int32_t MonatsEnde;                // 0 = last day of the calendar month
  uint8_t Optionen;
  uint8_t Optionen2;
  double KontoVon[kBerVorKonten];  // account j at index j - 1
  double KontoBis[kBerVorKonten];
  uint8_t Frei[40];  // carried unchanged
  double KontoMin[kBerVorKonten];
  TGrenzen Untergrenze;
  TGrenzen Obergrenze;
  TGrenzen UntergrenzeJahr;
  TGrenzen ObergrenzeJahr;
  int32_t WochenEnde;  // 0 = Sunday .. 6 = Saturday
  uint16_t Ignoriert;
  uint16_t Fehler;
  uint16_t Warnungen;
};
static_assert(sizeof(TBerVorRecord) == kBerVorSize);

#pragma pack(pop)

// Stored offsets of the fields.
inline constexpr size_t kBvName = 0;
inline constexpr size_t kBvMonatsEnde = 51;
inline constexpr size_t kBvOptionen = 55;
inline constexpr size_t kBvOptionen2 = 56;
inline constexpr size_t kBvKontoVon = 57;
inline constexpr size_t kBvKontoBis = 377;
inline constexpr size_t kBvFrei = 697;
inline constexpr size_t kBvKontoMin = 737;
inline constexpr size_t kBvUntergrenze = 1057;
inline constexpr size_t kBvObergrenze = 1534;
inline constexpr size_t kBvUntergrenzeJahr = 2011;
inline constexpr size_t kBvObergrenzeJahr = 2488;
inline constexpr size_t kBvWochenEnde = 2965;
inline constexpr size_t kBvIgnoriert = 2969;
inline constexpr size_t kBvFehler = 2971;
inline constexpr size_t kBvWarnungen = 2973;

// Reads n stored bytes into record; bytes beyond n count as zero, bytes beyond the record are
// not looked at.
void BerVorRawToObject(const uint8_t* raw, size_t n, TBerVorRecord& record);
// Writes the kBerVorSize bytes of the stored record.
void BerVorObjectToRaw(const TBerVorRecord& record, uint8_t* raw);

// The name (ANSI); a length byte above the capacity reads as a full name.
std::string BerVorName(const TBerVorRecord& record);
// Sets the name, cut to 50 characters.
void SetBerVorName(TBerVorRecord& record, const std::string& name);

}  // namespace qrv
