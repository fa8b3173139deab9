#include "config/konto_defs.h"

#include <algorithm>
#include <string_view>

#include "config/mem_ini.h"
#include "util/errors.h"
#include "util/fields.h"

namespace qrv {
namespace {

constexpr char kSection[] = "KontoDefs";
constexpr char kSep = ';';

constexpr std::array<std::string_view, 12> kArtNames = {
    "Unbenutzt",
    "Rahmenzeitkonto",
    "\xDC"
    "berstundenkonto",
    "Mehrarbeitskonto",
    "Wochenkonto",
    "Monatskonto",
    "'Sonstiges' Konto",
    "Berechnetes Konto",
    "Summenkonto",
    "Editierbares Konto",
    "Istzeitkonto",
    "Arbeitsstundenkonto",
};

constexpr std::array<std::string_view, 5> kFormatNames = {
    "Zeit Std/Min (0:00)", "Zeit Std/100 (0,00)", "Ganzzahl (0)",
    "Festkomma (0,0)",     "Festkomma (0,00)",
};

// Accounts -12..0 in ascending order.
constexpr std::array<std::string_view, 13> kStandardNames = {
    "Fehler",
    "Warnungen",
    "Wochen\xFC"
    "bertrag",
    "StdKonto9",
    "StdKonto8",
    "Kranktage",
    "Resturlaub",
    "Krankstunden",
    "Urlaubsstunden",
    "Sonstiges",
    "Istzeitkonto 2",
    "Istzeitkonto 1",
    "Gleitzeit",
};

// Names older installations gave the accounts -10, -9 and -8 before these became general
// accounts; such a name is replaced by the current default.
struct OldName {
  int konto;
  std::string_view name;
};
constexpr std::array<OldName, 3> kOldNames = {{
    {-10, "Urlaub f\xFCr Krank"},
    {-9, "Krankstunden 80%"},
    {-8, "Kranktage 80%"},
}};

template <size_t N>
std::string NameAt(const std::array<std::string_view, N>& names, int index) {
  if (index < 0 || static_cast<size_t>(index) >= N) return {};
  return std::string(names[static_cast<size_t>(index)]);
}

size_t Slot(int i) {
  return static_cast<size_t>(i - kKontoMin);
}

std::string KontoKey(const char* prefix, int i) {
  return prefix + std::to_string(i);
}

// The fixed accounts' rules: a format of 0 or 1 only, except the counters (-12, -11) and the
// day counts (-7, -6) whose formats are fixed.
void ApplyFixedRules(int i, const std::string& line, KontoDef& def) {
  int32_t format = GetFieldInt(line, 4, kSep, 0);
  def.Format = format == 0 || format == 1 ? static_cast<uint8_t>(format) : kfZeitStdMin;
  for (const OldName& old : kOldNames) {
    if (old.konto == i && def.Name == old.name) def.Name = KontoStandardName(i);
  }
  if (i == -12 || i == -11) def.Format = kfGanzzahl;
  if (i == -7 || i == -6) {
    def.Format = kfFestkomma1;
    def.Wert = GetFieldInt(line, 5, kSep, 10);
  }
}

}  // namespace

std::string KontoArtName(int art) {
  return NameAt(kArtNames, art);
}

std::string KontoFormatName(int format) {
  return NameAt(kFormatNames, format);
}

std::string KontoStandardName(int i) {
  return NameAt(kStandardNames, i - kKontoMin);
}

void TKontoDefs::SetLimits(bool isKlMonat) {
  KontoAnzahl = isKlMonat ? 20 : 40;
  KontoGrenze = isKlMonat ? 0 : 40;
  ZeitfensterAnzahl = 20;
}

void TKontoDefs::Clear() {
  defs_.fill(KontoDef{});
}

void TKontoDefs::Read(const TMemIniFile& ini, platform::Locale& locale) {
  Clear();
  const char dezimal = locale.DecimalSeparator();
  // The table ends at account 40 whatever the file claims.
  int32_t last = std::min<int32_t>(ini.ReadInteger(kSection, "MaxKontoDef", kKontoMax), kKontoMax);
  for (int i = kKontoMin; i <= last; ++i) ReadKonto(ini, i, dezimal);
}

void TKontoDefs::ReadKonto(const TMemIniFile& ini, int i, char dezimal) {
  std::string line = ini.ReadString(kSection, KontoKey("Konto", i), "");
  KontoDef& def = defs_[Slot(i)];
  def.Name = GetField(line, 1, kSep);
  if (def.Name.empty() && i <= 0) def.Name = KontoStandardName(i);
  def.Art = kaUnbenutzt;
  def.Zeichen = ' ';
  def.Wert = 0;
  if (i <= 0) {
    ApplyFixedRules(i, line, def);
    return;
  }
  def.Art = static_cast<uint8_t>(GetFieldInt(line, 2, kSep, 0));
  std::string zeichen = GetField(line, 3, kSep);
  def.Zeichen = zeichen.empty() ? ' ' : zeichen[0];
  def.Format = static_cast<uint8_t>(GetFieldInt(line, 4, kSep, 0));
  ReadSumSlots(ini, i, def, dezimal);
}

void TKontoDefs::ReadSumSlots(const TMemIniFile& ini, int i, KontoDef& def, char dezimal) const {
  def.SumKonto.fill(0);
  def.SumFaktor.fill(0);
  if (def.Art != kaSumme) return;
  std::string line = ini.ReadString(kSection, KontoKey("KontoSum", i), "");
  for (int k = 0; k < kKontoSlots; ++k) {
    double faktor = GetFieldFloat(line, 2 * k + 1, kSep, 0, dezimal);
    int32_t konto = GetFieldInt(line, 2 * k + 2, kSep, 0);
    // A slot naming an account outside the table would make the accounting add a value it does
    // not keep: such a slot is dropped, as is one above the accounts in use.
    if (konto > KontoAnzahl || konto < kKontoMin) continue;
    def.SumFaktor[static_cast<size_t>(k)] = faktor;
    def.SumKonto[static_cast<size_t>(k)] = konto;
  }
}

void TKontoDefs::Assign(const TKontoDefs& other) {
  defs_ = other.defs_;
  KontoAnzahl = other.KontoAnzahl;
  KontoGrenze = other.KontoGrenze;
}

const KontoDef& TKontoDefs::Konto(int i) const {
  static const KontoDef kEmpty;
  return IsKonto(i) ? defs_[Slot(i)] : kEmpty;
}

void TKontoDefs::SetKonto(int i, const KontoDef& def) {
  if (!IsKonto(i)) {
    RaiseListIndex(i);
  }
  defs_[Slot(i)] = def;
}

}  // namespace qrv
