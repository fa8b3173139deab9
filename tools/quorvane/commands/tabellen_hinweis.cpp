#include "tabellen_hinweis.h"

#include <string>

#include "output/format.h"
#include "output/messages.h"
#include "platform/platform.h"

namespace qrv::tool {

void MeldeFehlendeTabelle(std::ostream& err) {
  const platform::SpreadsheetFactory* fabrik = platform::SystemPlatform().spreadsheets;
  if (fabrik == nullptr) return;
  const std::string grund = fabrik->Missing();
  if (!grund.empty()) Report(err, "spreadsheet engine missing: " + Utf8(grund));
}

}  // namespace qrv::tool
