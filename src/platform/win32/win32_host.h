// The process that loaded the Windows library: its executable and its command line.
#pragma once

#include <string>

#include "platform/host.h"

namespace qrv::platform {

class Win32HostProcess final : public HostProcess {
 public:
  std::string ExecutablePath() override;
  std::string FirstParameter() override;
};

// The first parameter of an ANSI command line as the host programs' runtime reads it: the
// program name is skipped, parameters are separated by blanks and control characters, and double
// quotes group blanks into a parameter and are removed. Empty when there is no parameter.
std::string FirstCommandLineParameter(const char* commandLine);

}  // namespace qrv::platform
