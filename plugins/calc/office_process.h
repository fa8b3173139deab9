// The office process that serves every workbook of the host process: started once, headless, with
// a private profile, behind a watchdog that ends it (and removes the profile) as soon as the host
// process is gone, however the host ended.
#pragma once

#include <sys/types.h>

#include <string>

namespace qrv::calc {

class OfficeProcess {
 public:
  // Starts soffice.bin of the office installed in program_dir, accepting UNO connections on the
  // named pipe. Throws std::runtime_error when it cannot start it.
  OfficeProcess(const std::string& program_dir, const std::string& pipe_name);
  // Closing the watchdog's pipe ends the office; the host waits for neither.
  ~OfficeProcess();
  OfficeProcess(const OfficeProcess&) = delete;
  OfficeProcess& operator=(const OfficeProcess&) = delete;

  // False once the watchdog ended (the office is gone or going).
  bool Running() const;

 private:
  std::string profile_dir_;
  pid_t watchdog_ = -1;
  int lifeline_ = -1;  // write end: only the host holds it
};

}  // namespace qrv::calc
