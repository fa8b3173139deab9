// The installation's definitions as the tool shows them: the accounts -12 to 40 with their
// numbers, the normal entry and every absence by upper-case letter, the stations with their
// terminals.
#pragma once

#include "config/fehlzeiten.h"
#include "config/konto_defs.h"
#include "config/stations.h"
#include "output/format.h"

namespace qrv {

void to_json(tool::Json& j, const TKontoDefs& defs);
void to_json(tool::Json& j, const TFehlzeiten& defs);
void to_json(tool::Json& j, const TStationList& stations);

}  // namespace qrv
