// The contract between the POSIX spreadsheet factory and the engine module it loads on demand
// (libquorvane_calc.so). The module is built with the same compiler and the same
// platform/spreadsheet.h, and stays loaded for the rest of the process once it made an engine.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qrv::platform {

class Spreadsheet;

// Raised whenever the Spreadsheet interface changes; the factory refuses a module of another one.
inline constexpr uint32_t kSpreadsheetPluginAbi = 1;

inline constexpr const char kSpreadsheetPluginFile[] = "libquorvane_calc.so";
inline constexpr const char kSpreadsheetPluginEntry[] = "QrvCalcCreateSpreadsheet";

// Makes an engine (the caller owns it) or answers null with a UTF-8 reason in why (at most
// why_size bytes, always terminated). Never throws. abi must be kSpreadsheetPluginAbi.
using SpreadsheetPluginEntry = Spreadsheet* (*)(uint32_t abi, char* why, size_t why_size);

}  // namespace qrv::platform
