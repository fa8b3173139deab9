// What calc, items and span share: the installation opened read-only, the queries' objects
// taken from it, and the person checked before a query runs, so that a number whose slot is
// not in use is a data error naming it rather than an empty answer.
#pragma once

#include <cstdint>

#include "queries/abfrage.h"
#include "tool.h"

namespace qrv::tool {

class AbfrageLauf {
 public:
  // Raises "no person N in the installation" for a slot not in use.
  AbfrageLauf(const Options& options, int32_t persNr);

  TBibliothek& Lib() { return inst_.Lib(); }
  const TAbfrageUmgebung& Umgebung() const { return umgebung_; }

 private:
  Installation inst_;
  TAbfrageUmgebung umgebung_;
};

}  // namespace qrv::tool
