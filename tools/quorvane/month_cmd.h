// quorvane month YEAR MONTH N: a person's month as the installation's month file layout holds it.
#pragma once

#include "tool.h"

namespace qrv::tool {

void AddMonthCommand(CLI::App& app, const Options& options);

}  // namespace qrv::tool
