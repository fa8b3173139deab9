#include "config/fehlzeiten.h"

#include "config/mem_ini.h"
#include "util/errors.h"
#include "util/fields.h"

namespace qrv {
namespace {

constexpr char kSection[] = "Fehlzeiten";
constexpr char kSep = ';';
// Stands for a time that is missing or unreadable until OhneZeit is known.
constexpr double kNoTime = -999;

size_t Slot(int code) {
  return static_cast<size_t>(code - kFehlzeitMin);
}

// One definition line: name; time; without time; option.
FehlzeitDef ParseLine(const std::string& line) {
  FehlzeitDef def;
  def.Name = LeftChars(GetField(line, 1, kSep), kFehlzeitNameLen);
  double zeit = GetFieldTime(line, 2, kSep, kNoTime);
  def.OhneZeit = GetFieldBool(line, 3, kSep, zeit == kNoTime);
  // A line that denies OhneZeit but gives no readable time credits nothing, never the marker.
  def.Zeit = def.OhneZeit || zeit == kNoTime ? 0 : zeit;
  def.Option = GetFieldBool(line, 4, kSep, false);
  return def;
}

}  // namespace

void TFehlzeiten::Read(const TMemIniFile& ini) {
  std::string letters = ini.ReadString(kSection, "Fehlzeiten", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  defs_[Slot(kFehlzeitNormal)] = ParseLine(ini.ReadString(kSection, "Fehlzeit", "Normal"));
  // A letter counts only as the next one of the list, so the list must be in alphabetical order.
  size_t p = 0;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string line;
    if (p < letters.size() && letters[p] == letter) {
      line = ini.ReadString(kSection, std::string("Fehlzeit") + letter, "");
      ++p;
    }
    defs_[Slot(letter - 'A' + 'a')] = ParseLine(line);
  }
}

const FehlzeitDef& TFehlzeiten::Fehlzeit(int code) const {
  static const FehlzeitDef kUndefined;
  return IsFehlzeit(code) ? defs_[Slot(code)] : kUndefined;
}

void TFehlzeiten::SetFehlzeit(int code, const FehlzeitDef& def) {
  if (!IsFehlzeit(code)) {
    RaiseListIndex(code);
  }
  defs_[Slot(code)] = def;
  defs_[Slot(code)].Name = LeftChars(def.Name, kFehlzeitNameLen);
}

}  // namespace qrv
