// quorvane calc-template N: one calculation template as the accounting sees it.
#pragma once

#include <CLI/CLI.hpp>

#include "tool.h"

namespace qrv::tool {

void AddCalcTemplateCommand(CLI::App& app, const Options& options);

}  // namespace qrv::tool
