// What the queries for external callers work with: the accounting's objects and the person file.
#pragma once

#include "accounting/mon_abrech.h"
#include "master/person_file.h"

namespace qrv {

// All must outlive the queries built on them.
struct TAbfrageUmgebung {
  TAbrechUmgebung Abrechnung;
  TPersonFile& PersonFile;
};

// Whether t names a moment of the years 1..9999 (not NaN, not infinite, not outside them).
bool GueltigesDatum(TDateTime t);

// Raises EConvertError "Ungültiges Datum" unless t names a moment of the years 1..9999.
void PruefeDatum(TDateTime t);

}  // namespace qrv
