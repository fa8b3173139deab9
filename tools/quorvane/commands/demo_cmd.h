// quorvane demo DIR [--persons N] [--seed S] [--date YYYY-MM-DD]: writes a demo installation.
// Without --data and without an installation in the registry, the other commands work on a
// built-in demo installation in the user's cache folder (BuiltInDemo).
#pragma once

#include <string>

#include "platform/registry.h"

namespace qrv::tool {

// Whether the registry names an installation's data folder (under either root).
bool InstallationConfigured(platform::Registry& registry);

// The data folder of the built-in demo installation, made on first use (dated today by clock)
// in $XDG_CACHE_HOME/quorvane/demo or ~/.cache/quorvane/demo; says so on stderr.
std::string BuiltInDemo(double now);

}  // namespace qrv::tool
