// The day span query behind QRVGetTagVonBis: the first start and the last end of a person's
// presence pieces outside the break windows on a day.
#pragma once

#include <cstdint>

#include "queries/abfrage.h"

namespace qrv {

// von holds the date on entry and receives the start, bis the end: the day's midnight and the
// next one when the day has no presence piece (or the enumeration fails). A von that is not a
// number names no day and leaves both as they are. Runs an enumeration of its own, so one the
// caller has open stays as it is.
// The answer without any presence piece: von's day's midnight into von and the next one into bis.
// False, and both unchanged, for a von that names no day (not a number, infinite).
bool TagesMitternaechte(double& von, double& bis);

void TagVonBis(const TAbfrageUmgebung& umgebung, int32_t persNr, double& von, double& bis,
               uint8_t modus);

}  // namespace qrv
