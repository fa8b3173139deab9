#include "monats_abdruck.h"

#include <cstring>
#include <memory>

#include "config/konfig.h"
#include "month/monat.h"

namespace qrv::tool {

namespace {

// FNV-1a over the data block with BerechnetAm zeroed.
uint64_t Abdruck(const TMonatDaten& daten) {
  TMonatDaten d;
  std::memcpy(&d, &daten, sizeof d);
  d.BerechnetAm = 0;
  uint64_t h = 14695981039346656037ull;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&d);
  for (size_t i = 0; i < sizeof d; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  return h;
}

}  // namespace

MonatsAbdruecke Abdruecke(TBibliothek& lib, const std::vector<int32_t>& personen, TDateTime von,
                          TDateTime bis) {
  const TKonfig& k = lib.Konfig();
  auto m = std::make_unique<TMonat>(lib.MonatFile());
  m->NurLesen = true;
  const int32_t erster = YearOfDate(von) * 12 + MonthOfDate(von) - 1;
  const int32_t letzter = YearOfDate(bis) * 12 + MonthOfDate(bis);  // the month after bis's
  MonatsAbdruecke abdruecke;
  for (int32_t i = erster; i <= letzter; ++i) {
    const int32_t jahr = i / 12, monat = i % 12 + 1;
    if (jahr < k.VerwJahreMin || jahr > k.VerwJahreMax) continue;
    for (int32_t nr : personen) {
      m->Laden(jahr, monat, false, nr);
      abdruecke[{nr, jahr, monat}] = Abdruck(m->Daten);
    }
  }
  return abdruecke;
}

std::vector<MonatsSchluessel> Geaendert(const MonatsAbdruecke& vorher,
                                        const MonatsAbdruecke& nachher) {
  std::vector<MonatsSchluessel> geaendert;
  for (const auto& [key, abdruck] : nachher) {
    const auto alt = vorher.find(key);
    if (alt == vorher.end() || alt->second != abdruck) geaendert.push_back(key);
  }
  return geaendert;
}

}  // namespace qrv::tool
