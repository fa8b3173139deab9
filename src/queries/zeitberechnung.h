// The time calculation behind CalcZeit: a person's presence and worked time between two points in
// time, before and after rounding, from the range evaluation of the days around them.
#pragma once

#include <cstdint>

#include "queries/abfrage.h"

namespace qrv {

struct TZeiten {
  double Zeit1 = 0;  // presence in the range before rounding, with the break windows' deduction
  double Zeit2 = 0;  // presence in the range after rounding, likewise
  double Zeit3 = 0;  // worked time of the days walked before rounding, likewise
  double Zeit4 = 0;  // worked time of the days walked after rounding, likewise
};

// Raises what the person, the files or the range checks raise; the export turns that into its
// failure result.
TZeiten Zeitberechnung(const TAbfrageUmgebung& umgebung, int32_t persNr, TDateTime von,
                       TDateTime bis);

}  // namespace qrv
