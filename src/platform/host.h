// The process that loaded the library.
#pragma once

#include <string>

namespace qrv::platform {

class HostProcess {
 public:
  virtual ~HostProcess() = default;
  // Full path of the host's executable (ANSI).
  virtual std::string ExecutablePath() = 0;
  // The first command-line parameter as the host's runtime parses it; empty when there is none.
  virtual std::string FirstParameter() = 0;
};

}  // namespace qrv::platform
