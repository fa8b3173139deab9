// An item of the order-day enumeration: its kind as number and name, its times as
// yyyy-mm-ddThh:mm (null where the kind has none), its value as h:mm and its text in UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "output/format.h"
#include "queries/auftag.h"

namespace qrv::tool {

// The name of an item kind ("Stueck"), "TagKonto1" to "TagKonto5" for 10 to 14; "?" for a kind
// the enumeration never makes.
std::string AuftagArtName(uint8_t art);

}  // namespace qrv::tool

namespace qrv {

void to_json(tool::Json& j, const TAuftagItem& item);

}  // namespace qrv
