// What the German Windows locale answers for each byte of code page 1252, as measured under that
// locale by tests/wine/locale_probe. The definitions are generated
// (tests/wine/gen_locale_tables.py).
#pragma once

#include <array>
#include <cstdint>

namespace qrv::platform::cp1252 {

// One step of a byte's sort weight: base letter, digit or symbol (primary), accent (diacritic), and
// the variant weight that survives case folding (superscripts, ordinals). kDefaultMinor is the
// weight of "no accent"/"no variant" and the smallest weight there is.
inline constexpr uint8_t kDefaultMinor = 2;
struct SortElement {
  uint16_t primary;
  uint8_t diacritic;
  uint8_t variant;
};

// A byte sorts as up to two elements (sharp s as "ss", ae ligature as "ae"). A byte without
// elements either weighs only at the last level (special != 0: hyphen, apostrophe, dashes, control
// characters) or is ignored altogether (NUL, soft hyphen).
struct SortWeight {
  uint8_t count;
  std::array<SortElement, 2> elements;
  uint16_t special;
};

extern const std::array<uint8_t, 256> kAnsiToOem;
extern const std::array<uint8_t, 256> kOemToAnsi;
extern const std::array<uint8_t, 256> kUpper;
extern const std::array<uint8_t, 256> kLower;
extern const std::array<SortWeight, 256> kSortWeights;
extern const std::array<const char*, 12> kShortMonthNames;

}  // namespace qrv::platform::cp1252
