#include "queries/abfrage.h"

#include <cmath>

#include "util/errors.h"

namespace qrv {

bool GueltigesDatum(TDateTime t) {
  return std::isfinite(t) && YearOfDate(t) != 0;
}

void PruefeDatum(TDateTime t) {
  if (!GueltigesDatum(t)) throw EConvertError("Ung\xFCltiges Datum");
}

}  // namespace qrv
