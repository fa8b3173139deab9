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

}  // namespace qrv
