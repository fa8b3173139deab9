// A person's object record as the tool shows it: every field under its record name.
#pragma once

#include "master/person_record.h"
#include "output/format.h"

namespace qrv {

void to_json(tool::Json& j, const TPersonRec& p);

}  // namespace qrv
