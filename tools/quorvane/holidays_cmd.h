// quorvane holidays YEAR: the holiday calendar of a year as the library sees it.
#pragma once

#include <CLI/CLI.hpp>

#include "tool.h"

namespace qrv::tool {

void AddHolidaysCommand(CLI::App& app, const Options& options);

}  // namespace qrv::tool
