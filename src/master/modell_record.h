// The stored form of a model version (3000 bytes, one file per version) and its conversion to
// and from ModellVersion. Stored texts are in the OEM code page, times mostly pairs of signed
// 8-bit hours and minutes; the day profiles lie at 69 + 312 * (n - 1) for profile n.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "config/konto_defs.h"
#include "master/modell_version.h"
#include "platform/nls.h"

namespace qrv {

inline constexpr int32_t kModellRawSize = 3000;
inline constexpr int32_t kModellProfilOffset = 69;
inline constexpr int32_t kModellProfilSize = 312;

// What reading a stored version needs besides its bytes.
struct TModellKontext {
  platform::Locale& locale;
  // Kinds of the accounts whose windows a profile fills.
  const TKontoDefs& konten;
  // Year of the start date of a version that recurs every year.
  uint16_t jahr;
};

// Reads the kModellRawSize bytes of raw into version (record number nummer). The flag bytes of old
// account windows are cleared in raw, so that a later write keeps only the new form. Raises the
// date conversion error for a start date that forms no date.
void ModellRawToObject(uint8_t* raw, ModellVersion& version, int32_t nummer,
                       const TModellKontext& kontext);
// Writes version into the kModellRawSize bytes of raw.
void ModellObjectToRaw(const ModellVersion& version, uint8_t* raw, platform::Locale& locale);

// The name of a version (ANSI) and its replacement, cut to 50 characters.
std::string ModellName(const ModellVersion& version);
void SetModellName(ModellVersion& version, const std::string& name);

}  // namespace qrv
