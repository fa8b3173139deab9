// The note an accounting command leaves when a calculation template asked for the spreadsheet
// month calculation and the system has no engine for it: the accounting carries on without the
// spreadsheet's values, which the output alone would not tell.
#pragma once

#include <ostream>

namespace qrv::tool {

// After the accounting ran: "quorvane: spreadsheet engine missing: <why>" once on err when the
// system's spreadsheet factory was asked and made none; nothing otherwise.
void MeldeFehlendeTabelle(std::ostream& err);

}  // namespace qrv::tool
