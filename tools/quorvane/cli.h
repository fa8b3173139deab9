// The tool's command line: the common options, the subcommands, and how a run ends. What a
// command shows goes to out, every message to err. The exit code is 0 when the command ran, 1
// for a data error (the library's or the system's failure while reading the installation) and 2
// for a usage error (an unknown subcommand or option, a missing or out-of-range argument).
#pragma once

#include <ostream>

namespace qrv::tool {

inline constexpr int kExitDataError = 1;
inline constexpr int kExitUsageError = 2;

// argv[0] is the program's name, as main receives it.
int RunQuorvane(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace qrv::tool
