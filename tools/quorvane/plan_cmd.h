// quorvane plan YEAR MONTH N: one month of plan N as the accounting sees it.
// quorvane plan-template N: one plan template with its model list.
#pragma once

#include <CLI/CLI.hpp>

#include "tool.h"

namespace qrv::tool {

void AddPlanCommands(CLI::App& app, const Options& options);

}  // namespace qrv::tool
