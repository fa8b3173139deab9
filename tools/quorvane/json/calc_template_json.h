// A calculation template as the tool shows it: its options with their set bits, the per-account
// values by account number, the bounds in force by position and the status masks with the texts
// of their bits.
#pragma once

#include "master/bervor_record.h"
#include "output/format.h"

namespace qrv {

void to_json(tool::Json& j, const TBerVorRecord& r);

}  // namespace qrv
