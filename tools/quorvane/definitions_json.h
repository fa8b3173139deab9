// The installation's definitions as the tool shows them.
#pragma once

#include <nlohmann/json.hpp>

#include "config/fehlzeiten.h"
#include "config/konto_defs.h"
#include "config/stations.h"

namespace qrv::tool {

// Every account -12..40 with its number.
nlohmann::ordered_json KontenJson(const TKontoDefs& defs);
// The normal entry and every absence letter, by upper-case letter.
nlohmann::ordered_json FehlzeitenJson(const TFehlzeiten& defs);
// The stations with their terminals.
nlohmann::ordered_json StationsJson(const TStationList& stations);

}  // namespace qrv::tool
