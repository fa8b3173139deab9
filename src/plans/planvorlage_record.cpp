#include "plans/planvorlage_record.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "util/fields.h"
#include "util/stored_bytes.h"
#include "util/texts.h"

namespace qrv {

namespace {

using stored::GetI16;
using stored::GetI32;
using stored::PutI16;
using stored::PutI32;

constexpr size_t kRpName = 0;
constexpr size_t kRpAnzahl = 491;
constexpr size_t kRpArt = 493;
constexpr size_t kRpModell = 494;
constexpr int32_t kKurzeEintraege = 10;

// Entry i (1..100): 16-bit slots 1 to 10 between the name and the count, 32-bit slots behind.
size_t EintragOffset(int32_t i) {
  return i <= kKurzeEintraege ? 93 + 44 * static_cast<size_t>(i - 1)
                              : 498 + 4 * static_cast<size_t>(i - 11);
}

int32_t LeseEintrag(const uint8_t* raw, int32_t i) {
  const size_t at = EintragOffset(i);
  return i <= kKurzeEintraege ? GetI16(raw, at) : GetI32(raw, at);
}

// |v| in 32 bits; the one value without a positive counterpart stays at the largest.
int32_t Betrag(int32_t v) {
  if (v == std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::max();
  return v < 0 ? -v : v;
}

void LeseListe(const uint8_t* raw, TPlanvorlageRec& rec) {
  // A count beyond the list reads only the list's slots.
  const int32_t gespeichert = std::clamp<int32_t>(GetI16(raw, kRpAnzahl), 0, kPlanvorlListe);
  int32_t p = 0;
  bool modellGelistet = false;
  for (int32_t i = 1; i <= gespeichert; ++i) {
    const int32_t v = LeseEintrag(raw, i);
    if (v == 0) continue;
    rec.Markiert[p] = v < 0 ? 1 : 0;
    rec.Modelle[p] = Betrag(v);
    if (rec.Modelle[p] == rec.Modell) modellGelistet = true;
    ++p;
  }
  if (!modellGelistet) rec.Modell = 0;
  rec.Anzahl = p;
}

}  // namespace

std::string PlanvorlName(const TPlanvorlageRec& rec) {
  return stored::GetShortString(rec.Name, 0, kPlanvorlNameMax);
}

void SetPlanvorlName(TPlanvorlageRec& rec, const std::string& name) {
  std::memset(rec.Name, 0, sizeof rec.Name);
  stored::PutShortString(rec.Name, 0, kPlanvorlNameMax, name);
}

void PlanvorlRawToObject(const uint8_t* raw, TPlanvorlageRec& rec, platform::Locale& locale) {
  std::memset(&rec, 0, sizeof rec);
  std::string name = stored::GetShortString(raw, kRpName, kPlanvorlNameMax);
  locale.ConvertOemToAnsi(name.data(), name.data(), name.size());
  SetPlanvorlName(rec, Trim(name));
  rec.Art = raw[kRpArt];
  rec.Modell = GetI32(raw, kRpModell);
  if (rec.Modell == 0) rec.Modell = 1;
  LeseListe(raw, rec);
}

void PlanvorlObjectToRaw(const TPlanvorlageRec& rec, uint8_t* raw, platform::Locale& locale) {
  std::memset(raw, 0, kPlanvorlRawSize);
  std::string name = PlanvorlName(rec);
  locale.ConvertAnsiToOem(name.data(), name.data(), name.size());
  stored::PutShortString(raw, kRpName, kPlanvorlNameMax, name);
  const int32_t anzahl = std::clamp<int32_t>(int32_t{rec.Anzahl}, 0, kPlanvorlListe);
  PutI16(raw, kRpAnzahl, static_cast<int16_t>(anzahl));
  raw[kRpArt] = rec.Art;
  PutI32(raw, kRpModell, rec.Modell);
  for (int32_t i = 1; i <= anzahl; ++i) {
    const bool negativ = rec.Art == kArtMarkiertNegativ && rec.Markiert[i - 1] != 0;
    const int64_t eintrag = rec.Modelle[i - 1];
    const auto v = static_cast<int32_t>(negativ ? -eintrag : eintrag);
    if (i <= kKurzeEintraege) {
      PutI16(raw, EintragOffset(i), static_cast<int16_t>(v));
    } else {
      PutI32(raw, EintragOffset(i), v);
    }
  }
}

}  // namespace qrv
