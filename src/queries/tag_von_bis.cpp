#include "queries/tag_von_bis.h"

#include <cmath>

#include "queries/auftag.h"

namespace qrv {

void TagVonBis(const TAbfrageUmgebung& umgebung, int32_t persNr, double& von, double& bis,
               uint8_t modus) {
  const TDateTime datum = von;
  // Not a number, or an infinite one, names no day: both stay as they are.
  if (!std::isfinite(datum)) return;
  von = std::trunc(datum);
  bis = von + 1;
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
