// quorvane run in-process: its exit code and what it wrote to stdout and stderr.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"

namespace qrv::tool {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

inline Outcome Quorvane(std::vector<std::string> args) {
  args.insert(args.begin(), "quorvane");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  const int code = RunQuorvane(static_cast<int>(argv.size()), argv.data(), out, err);
  return {code, out.str(), err.str()};
}

}  // namespace qrv::tool
