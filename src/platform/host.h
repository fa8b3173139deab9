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
  // Whether the process runs the installation's interactive application with its main window:
  // only there does an accounted month go back to the data folder. A program that merely loads
  // the library answers no.
  virtual bool RunsMainWindow() { return false; }
};

}  // namespace qrv::platform
