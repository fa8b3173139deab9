// A registry that answers a data folder given on the command line in place of the installation's
// own DataPath, and passes every other call to the registry underneath.
#pragma once

#include <string>

#include "platform/registry.h"

namespace qrv::tool {

class DataPathOverride final : public platform::RegistryWrapper {
 public:
  DataPathOverride(platform::Registry& inner, std::string dataPath)
      : RegistryWrapper(inner), dataPath_(std::move(dataPath)) {}

  platform::OsError QueryValue(platform::RegRoot root, const std::string& path,
                               const std::string& name, platform::RegValue* out) override;

 private:
  std::string dataPath_;
};

}  // namespace qrv::tool
