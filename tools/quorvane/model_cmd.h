// quorvane model M [--date YYYY-MM-DD]: a working-time model's versions and day profiles.
#pragma once

#include <CLI/CLI.hpp>

#include "tool.h"

namespace qrv::tool {

void AddModelCommand(CLI::App& app, const Options& options);

}  // namespace qrv::tool
