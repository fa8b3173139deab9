// The Linux spreadsheet engine: the module libquorvane_calc.so (LibreOffice), loaded the first
// time an engine is asked for. Without the module or the office there is no engine, and the
// library carries on without one.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/spreadsheet.h"
#include "platform/spreadsheet_plugin.h"

namespace qrv::platform {

class PosixSpreadsheetFactory final : public SpreadsheetFactory {
 public:
  // Folders searched for the module, in order; empty: QUORVANE_PLUGIN_DIR, then the folder of
  // the module holding this code (libquorvane.so, or the program it is linked into), then the
  // executable's folder.
  explicit PosixSpreadsheetFactory(std::vector<std::string> folders = {});

  std::unique_ptr<Spreadsheet> Create() override;
  std::string Missing() const override;

 private:
  SpreadsheetPluginEntry Load();

  std::vector<std::string> folders_;
  mutable std::mutex mutex_;
  void* module_ = nullptr;  // kept loaded for the rest of the process
  SpreadsheetPluginEntry entry_ = nullptr;
  std::string missing_;  // in the ANSI code page, as every text of the interface
};

}  // namespace qrv::platform
