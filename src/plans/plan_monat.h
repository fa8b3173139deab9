// The plan month: for one plan number and one month, the model of each day, its day code, the
// days planned by hand and the days with a profile of their own (the object record of both plan
// files), and the stored forms of the personal plan file (85 bytes per month) and the shift
// plan file (10000 bytes per month) with their conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "config/konto_defs.h"
#include "master/modell_version.h"
#include "platform/nls.h"

namespace qrv {

inline constexpr int32_t kPlanTage = 31;
inline constexpr int32_t kMPlanRawSize = 85;
inline constexpr int32_t kSPlanRawSize = 10000;
// Day codes lie from 9001 to 9063; the stored code bits count from this base.
inline constexpr uint16_t kKennungBasis = 9000;
// Stored model numbers keep 10 bits.
inline constexpr uint16_t kPlanModellMaske = 1023;
// Plan numbers from here on are the calendars of plan templates (100000 + template number).
inline constexpr int32_t kVorlagenPlanBasis = 100000;

#pragma pack(push, 1)

// Day d is entry d - 1 of the arrays and bit d of a day set (bit 0 carries nothing).
struct TPlanMonat {
  uint16_t Modelle[kPlanTage];    // 0 = none
  uint16_t Kennungen[kPlanTage];  // 0 = none, else 9001..9063
  uint32_t FesteTage;             // model set by hand, not taken from the template again
  uint8_t ProfileGefuellt;        // Tagesprofile completed for the month
  uint32_t SchichtTage;           // days with an individual profile in the shift plan file
  uint8_t Gesperrt;               // non-zero: saving writes nothing
  Tagesprofil Tagesprofile[kPlanTage];
};

#pragma pack(pop)

static_assert(sizeof(TPlanMonat) == 31661);
static_assert(std::is_trivially_copyable_v<TPlanMonat>);
// Modelle to Gesperrt: what a read of the shift plan file leaves as it was.
inline constexpr size_t kPlanKopfSize = offsetof(TPlanMonat, Tagesprofile);
static_assert(kPlanKopfSize == 134);

// Whether day d (1..31) is in a day set; days outside never are.
inline bool InTagen(uint32_t tage, int32_t d) {
  return d >= 1 && d <= kPlanTage && (tage >> d & 1u) != 0;
}
// The day set with day d switched on or off (a value, so packed fields can take it).
inline uint32_t SetzeTag(uint32_t tage, int32_t d, bool an) {
  if (d < 1 || d > kPlanTage) return tage;
  return an ? tage | 1u << d : tage & ~(1u << d);
}

// Personal plan file: the kMPlanRawSize bytes of raw into monat (whole record replaced).
void MPlanRawToObject(const uint8_t* raw, TPlanMonat& monat);
// Writes monat into the kMPlanRawSize bytes of raw. A day code of 0 becomes 9000 in monat first,
// as the stored bits hold only the distance from 9000.
void MPlanObjectToRaw(TPlanMonat& monat, uint8_t* raw);

// What reading a stored day profile needs besides its bytes (see TModellKontext).
struct TSPlanKontext {
  platform::Locale& locale;
  const TKontoDefs& konten;
  uint16_t jahr;
};

// Shift plan file: fills only monat.Tagesprofile from the kSPlanRawSize bytes of raw.
void SPlanRawToObject(const uint8_t* raw, TPlanMonat& monat, const TSPlanKontext& kontext);
// Writes every stored field of monat into the kSPlanRawSize bytes of raw.
void SPlanObjectToRaw(const TPlanMonat& monat, uint8_t* raw, platform::Locale& locale);

}  // namespace qrv
