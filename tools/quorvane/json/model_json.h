// A working-time model's version and its day profiles as the tool shows them: times of day and
// durations as h:mm, windows with their switch and their bounds.
#pragma once

#include "master/modell_version.h"
#include "output/format.h"

namespace qrv {

void to_json(tool::Json& j, const Tagesprofil& t);
void to_json(tool::Json& j, const ModellVersion& v);

}  // namespace qrv
