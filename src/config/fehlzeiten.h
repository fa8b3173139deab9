// TFehlzeiten: the absence types, read from section Fehlzeiten of the settings file. Owned by
// TKonfig; the monthly accounting reads them.
//
// A day record stores its absence as a lower-case letter a..z (a space for none); the table is
// indexed by that character code, 96 being the normal entry. Users and the settings file name the
// letters in upper case.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qrv {

class TMemIniFile;

inline constexpr int kFehlzeitNormal = 96;
inline constexpr int kFehlzeitMin = 96;
inline constexpr int kFehlzeitMax = 122;  // 'z'
inline constexpr int kFehlzeitNameLen = 30;

struct FehlzeitDef {
  std::string Name;      // at most 30 characters
  double Zeit = 0;       // day fraction credited for the absence; 0 when OhneZeit
  bool OhneZeit = true;  // no time is given for this absence
  bool Option = false;

  bool operator==(const FehlzeitDef&) const = default;
};

class TFehlzeiten {
 public:
  // Fills the table from section Fehlzeiten. Missing keys and unreadable fields read as their
  // defaults; nothing is reported.
  void Read(const TMemIniFile& ini);

  // Copies the 27 entries.
  void Assign(const TFehlzeiten& other) { defs_ = other.defs_; }

  // The absence type of a character code. Any code outside 96..122 (a space, an upper-case or
  // foreign letter in a damaged day record) answers the undefined entry: no name, no time.
  const FehlzeitDef& Fehlzeit(int code) const;
  const FehlzeitDef& operator[](int code) const { return Fehlzeit(code); }
  // Replaces the entry of a code; EListError for a code outside 96..122.
  void SetFehlzeit(int code, const FehlzeitDef& def);

  static bool IsFehlzeit(int code) { return code >= kFehlzeitMin && code <= kFehlzeitMax; }

 private:
  std::array<FehlzeitDef, kFehlzeitMax - kFehlzeitMin + 1> defs_{};
};

}  // namespace qrv
