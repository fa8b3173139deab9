// The time calculation's four answers, each as h:mm and as the day fraction the library hands
// out, with what it is.
#pragma once

#include "output/format.h"
#include "queries/zeitberechnung.h"

namespace qrv::tool {

// A list of four records Name ("Zeit1" to "Zeit4"), Dauer, Tage and Bedeutung.
Json ZeitenJson(const TZeiten& z);

}  // namespace qrv::tool
