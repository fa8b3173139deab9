// The module's one entry: an engine on the process's office. The office ends with the module
// (or, through its watchdog, with the host process).
#include <cstdio>
#include <exception>

#include "calc_text.h"
#include "calc_workbook.h"
#include "platform/spreadsheet_plugin.h"

namespace {

void Tell(char* why, size_t size, const std::string& text) {
  if (why != nullptr && size > 0) std::snprintf(why, size, "%s", text.c_str());
}

// Unloading the module ends the office.
struct OfficeEnd {
  ~OfficeEnd() { qrv::calc::Office::Release(); }
} office_end;

}  // namespace

extern "C" __attribute__((visibility("default"))) qrv::platform::Spreadsheet*
QrvCalcCreateSpreadsheet(uint32_t abi, char* why, size_t why_size) {
  using namespace qrv;
  if (abi != platform::kSpreadsheetPluginAbi) {
    Tell(why, why_size, "the spreadsheet module was built for another library version");
    return nullptr;
  }
  try {
    return new calc::CalcWorkbook(calc::Office::Get());
  } catch (const com::sun::star::uno::Exception& e) {
    Tell(why, why_size, std::string("LibreOffice failed: ") + e.Message.toUtf8().getStr());
  } catch (const std::exception& e) {
    Tell(why, why_size, std::string("LibreOffice failed: ") + e.what());
  } catch (...) {
    Tell(why, why_size, "LibreOffice failed");
  }
  return nullptr;
}
