#include "plans/plan_monat.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "master/modell_record.h"
#include "util/stored_bytes.h"

namespace qrv {

namespace {

using stored::GetU16;
using stored::GetU32;
using stored::PutU16;
using stored::PutU32;

// Personal plan file.
constexpr size_t kMpFeste = 62;
constexpr size_t kMpSchicht = 66;
constexpr size_t kMpGesperrt = 70;
constexpr int kKennungShift = 10;
constexpr uint16_t kKennungBits = 63;

// Shift plan file.
constexpr size_t kSpProfile = 52;
constexpr size_t kSpModelle = 9724;
constexpr size_t kSpKennungen = 9786;
constexpr size_t kSpFeste = 9975;

size_t SpProfil(int32_t d) {
  return kSpProfile + static_cast<size_t>(kModellProfilSize) * static_cast<size_t>(d - 1);
}

}  // namespace

void MPlanRawToObject(const uint8_t* raw, TPlanMonat& monat) {
  std::memset(&monat, 0, sizeof monat);
  for (int32_t d = 1; d <= kPlanTage; ++d) {
    const uint16_t wort = GetU16(raw, 2 * static_cast<size_t>(d - 1));
    monat.Modelle[d - 1] = wort & kPlanModellMaske;
    const auto kennung =
        static_cast<uint16_t>((wort >> kKennungShift & kKennungBits) + kKennungBasis);
    monat.Kennungen[d - 1] = kennung == kKennungBasis ? 0 : kennung;
  }
  monat.FesteTage = GetU32(raw, kMpFeste) | GetU32(raw, kMpSchicht);
  monat.SchichtTage = GetU32(raw, kMpSchicht);
  monat.Gesperrt = raw[kMpGesperrt];
}

void MPlanObjectToRaw(TPlanMonat& monat, uint8_t* raw) {
  std::memset(raw, 0, kMPlanRawSize);
  for (int32_t d = 1; d <= kPlanTage; ++d) {
    if (monat.Kennungen[d - 1] == 0) monat.Kennungen[d - 1] = kKennungBasis;
    const uint16_t kennung = monat.Kennungen[d - 1];
    // A model number above 1023 spills into the code bits; the stored word has no room for it.
    const uint32_t wort = static_cast<uint32_t>(monat.Modelle[d - 1]) |
                          static_cast<uint32_t>(kennung - kKennungBasis) << kKennungShift;
    PutU16(raw, 2 * static_cast<size_t>(d - 1), static_cast<uint16_t>(wort));
  }
  PutU32(raw, kMpFeste, monat.FesteTage | monat.SchichtTage);
  PutU32(raw, kMpSchicht, monat.SchichtTage);
  raw[kMpGesperrt] = monat.Gesperrt;
}

// A shift plan day profile has the stored layout of a model's day profile; it is converted by
// the model's own conversion, as profile 1 of an otherwise empty version.
void SPlanRawToObject(const uint8_t* raw, TPlanMonat& monat, const TSPlanKontext& kontext) {
  std::vector<uint8_t> modell(kModellRawSize);
  auto version = std::make_unique<ModellVersion>();
  const TModellKontext mk{kontext.locale, kontext.konten, kontext.jahr};
  for (int32_t d = 1; d <= kPlanTage; ++d) {
    std::fill(modell.begin(), modell.end(), 0);
    std::memcpy(modell.data() + kModellProfilOffset, raw + SpProfil(d), kModellProfilSize);
    ModellRawToObject(modell.data(), *version, 0, mk);
    monat.Tagesprofile[d - 1] = version->Profil[0];
  }
}

void SPlanObjectToRaw(const TPlanMonat& monat, uint8_t* raw, platform::Locale& locale) {
  std::memset(raw, 0, kSPlanRawSize);
  std::vector<uint8_t> modell(kModellRawSize);
  auto version = std::make_unique<ModellVersion>();
  std::memset(version.get(), 0, sizeof(ModellVersion));
  for (int32_t d = 1; d <= kPlanTage; ++d) {
    version->Profil[0] = monat.Tagesprofile[d - 1];
    ModellObjectToRaw(*version, modell.data(), locale);
    std::memcpy(raw + SpProfil(d), modell.data() + kModellProfilOffset, kModellProfilSize);
  }
  for (int32_t d = 1; d <= kPlanTage; ++d) {
    const size_t at = 2 * static_cast<size_t>(d - 1);
    PutU16(raw, kSpModelle + at, monat.Modelle[d - 1]);
    PutU16(raw, kSpKennungen + at, monat.Kennungen[d - 1]);
  }
  PutU32(raw, kSpFeste, monat.FesteTage);
}

}  // namespace qrv
