// The arguments the subcommands share, each with one name, one help text and one range check, so
// that a value outside the range is a usage error with a clear message before anything is opened.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

#include "util/datetime.h"

namespace qrv::tool {

inline constexpr int32_t kPersonMin = 1, kPersonMax = 9999;      // PERSONEN.DAT's slots
inline constexpr int32_t kTemplateMin = 1, kTemplateMax = 9999;  // BVOR<n>.DAT, GSPL<n>.DAT
inline constexpr int32_t kModelMax = 999;                        // and the special model 9000
inline constexpr int32_t kYearMin = 1, kYearMax = 9999;          // the dates' years

// Positional arguments, required.
CLI::Option* AddYearArg(CLI::App& cmd, int32_t& year);
// YEAR as AddYearArg, and 0 for the current month up to now (its MONTH is then not used).
CLI::Option* AddYearOrNowArg(CLI::App& cmd, int32_t& year);
CLI::Option* AddMonthArg(CLI::App& cmd, int32_t& month);
CLI::Option* AddPersonArg(CLI::App& cmd, int32_t& person);
CLI::Option* AddModelArg(CLI::App& cmd, int32_t& model);
// what names the template kind in the help ("calculation template").
CLI::Option* AddTemplateArg(CLI::App& cmd, int32_t& number, const std::string& what);

// The option --mode of the day queries (0 to 2, default 0: comings and goings rounded on the
// model's grid as in 2; 1 leaves them as booked).
CLI::Option* AddModeOption(CLI::App& cmd, int32_t& mode);

// The positional DATE (YYYY-MM-DD), required.
CLI::Option* AddDayArg(CLI::App& cmd, TDateTime& date);

// An option --date taking YYYY-MM-DD into date (left as it is when the option is not given).
CLI::Option* AddDateOption(CLI::App& cmd, TDateTime& date, const std::string& help);

// The date of a text YYYY-MM-DD; a text that is no such date raises CLI::ValidationError
// naming the argument.
TDateTime ParseDateArg(const std::string& name, const std::string& text);
// The date-time of a text YYYY-MM-DDThh:mm (seconds :ss may follow); otherwise as ParseDateArg.
TDateTime ParseDateTimeArg(const std::string& name, const std::string& text);

}  // namespace qrv::tool
