// The loaded settings as the tool shows them: the registry's and the station's values, then those
// of QUORVANE.INI with the definitions (definitions_json.h).
#pragma once

#include "config/konfig.h"
#include "output/format.h"

namespace qrv {

void to_json(tool::Json& j, const TKonfig& k);

}  // namespace qrv
