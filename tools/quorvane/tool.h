// What every subcommand of the tool shares: the common options and the installation it opens.
#pragma once

#include <memory>
#include <string>

#include "lib/library.h"
#include "platform/registry.h"

namespace qrv::tool {

struct Options {
  std::string data;             // --data: the data folder instead of the registry's
  std::string format = "json";  // --format: json or text
};

// The library's objects on this system, built as at start-up, with the data folder of --data
// when given. Start-up failures propagate as exceptions.
class Installation {
 public:
  explicit Installation(const Options& options);
  TBibliothek& Lib() { return *lib_; }

 private:
  std::unique_ptr<platform::Registry> override_;
  std::unique_ptr<TBibliothek> lib_;
};

}  // namespace qrv::tool
