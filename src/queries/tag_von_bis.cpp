#include "queries/tag_von_bis.h"

#include <cmath>

#include "queries/auftag.h"

namespace qrv {

bool TagesMitternaechte(double& von, double& bis) {
  // Not a number, or an infinite one, names no day.
  if (!std::isfinite(von)) return false;
  von = std::trunc(von);
  bis = von + 1;
  return true;
}

void TagVonBis(const TAbfrageUmgebung& umgebung, int32_t persNr, double& von, double& bis,
               uint8_t modus) {
  const TDateTime datum = von;
  if (!TagesMitternaechte(von, bis)) return;
  TAufTag auftag(umgebung);
  auftag.Begin(persNr, datum, modus);
  bool erstes = true;
  TAuftagItem item;
  for (int32_t i = 0; auftag.Get(i, item); ++i) {
    if (item.Art != akStueck) continue;
    if (erstes) von = item.Von;
    erstes = false;
    bis = item.Bis;
  }
}

}  // namespace qrv
