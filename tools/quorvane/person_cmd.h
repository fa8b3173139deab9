// quorvane person N / quorvane persons: the person master file.
#pragma once

#include <CLI/CLI.hpp>

#include "tool.h"

namespace qrv::tool {

// Registers "person" (one object record as JSON) and "persons" (the persons in an index order).
void AddPersonCommands(CLI::App& app, const Options& options);

}  // namespace qrv::tool
