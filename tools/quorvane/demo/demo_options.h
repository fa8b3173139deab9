// What a demo installation is made from: the number of persons, the seed of its variety and its
// date. The same options give the same bytes.
#pragma once

#include <cstdint>
#include <string>

#include "util/datetime.h"

namespace qrv::tool {

struct DemoOptions {
  int32_t persons = 30;  // 1 to 9999
  uint32_t seed = 1;
  TDateTime today = 0;  // the date the installation is made on; months run up to the day before
};

// The year before today's and today's year are the managed years.
inline int32_t DemoFirstYear(const DemoOptions& o) {
  return YearOfDate(o.today) - 1;
}
inline int32_t DemoLastYear(const DemoOptions& o) {
  return YearOfDate(o.today);
}

// The folder of the registry file beside the data, for QUORVANE_REGISTRY_DIR: dir/REGISTRY.
std::string DemoRegistryDir(const std::string& dir);

}  // namespace qrv::tool
