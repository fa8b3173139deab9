// The holiday calendar of a year as the tool shows it: the file it was loaded from, the set of
// built-in holidays in force and every entry in list order.
#pragma once

#include <cstdint>
#include <string>

#include "holidays/feiertage.h"
#include "output/format.h"

namespace qrv {

void to_json(tool::Json& j, const TFeierObj& f);

}  // namespace qrv

namespace qrv::tool {

struct FeiertagsJahr {
  uint16_t Jahr = 0;
  std::string Datei;  // ANSI
  const TFeiertage* Kalender = nullptr;
};

void to_json(Json& j, const FeiertagsJahr& y);

}  // namespace qrv::tool
