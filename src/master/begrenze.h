// The bound rule of account values: a calculation template's upper and lower bounds per account
// position, and its separate bounds across a change of year.
#pragma once

#include <cstdint>

#include "master/bervor_record.h"

namespace qrv {

// Limits wert by the upper, then the lower bound of position (-12..40) and, across a change of
// year, by the year's upper, then lower bound; each step sees the result of the one before.
// Positions outside the tables leave wert as it is.
void Begrenze(const TBerVorRecord& vorlage, double& wert, int32_t position, bool jahreswechsel);

}  // namespace qrv
