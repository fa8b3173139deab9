// What every subcommand of the tool shares: the common options and the installation it opens.
#pragma once

#include <memory>
#include <string>

#include "lib/library.h"
#include "platform/host.h"
#include "platform/registry.h"
#include "util/datetime.h"

namespace qrv::tool {

struct Options {
  std::string data;             // --data: the data folder instead of the registry's
  std::string format = "json";  // --format: json or text
  TDateTime now = 0;            // --now: the clock pinned to this date-time; 0 the system's
};

// How a command opens the installation. Read only, files and registry refuse every change and
// the library completes what is missing in memory: an inspection leaves the installation byte
// for byte as it was.
enum class Access { kReadOnly, kWritable };

// The process the library believes it runs in. The tool's own host runs no main window, so an
// accounting stores nothing; recalculation answers as the interactive application does, whose
// accounting stores every month it accounts.
enum class Host { kTool, kMainWindow };

// The library's objects on this system, built as at start-up, with the data folder of --data
// when given. Start-up failures propagate as exceptions. Commands that change the installation
// ask for kWritable and say on stderr what they changed.
class Installation {
 public:
  explicit Installation(const Options& options, Access access = Access::kReadOnly,
                        Host host = Host::kTool);
  TBibliothek& Lib() { return *lib_; }

 private:
  // The wrappers the library works through, declared first so that they outlive it.
  std::unique_ptr<platform::Clock> clock_;
  std::unique_ptr<platform::FileSystem> files_;
  std::unique_ptr<platform::Registry> readOnly_;
  std::unique_ptr<platform::Registry> override_;
  std::unique_ptr<platform::HostProcess> host_;
  std::unique_ptr<TBibliothek> lib_;
};

// Loads person persNr into person (which must use lib's person file); a number whose slot is not
// in use is a data error naming it, not an empty person.
void LadePerson(TPerson& person, int32_t persNr);

}  // namespace qrv::tool
