// A plan template as the tool shows it: kind, model and the ordered list of models.
#pragma once

#include "plans/planvorlage_record.h"
#include "output/format.h"

namespace qrv {

void to_json(tool::Json& j, const TPlanvorlageRec& r);

}  // namespace qrv
