// A registry that answers a data folder given on the command line in place of the installation's
// own DataPath, and passes every other call to the registry underneath. Nothing is written.
#pragma once

#include <string>

#include "platform/registry.h"

namespace qrv::tool {

class DataPathOverride final : public platform::Registry {
 public:
  DataPathOverride(platform::Registry& inner, std::string dataPath)
      : inner_(inner), dataPath_(std::move(dataPath)) {}

  platform::OsError QueryValue(platform::RegRoot root, const std::string& path,
                               const std::string& name, platform::RegValue* out) override;
  platform::OsError CreateKey(platform::RegRoot root, const std::string& path) override {
    return inner_.CreateKey(root, path);
  }
  platform::OsError OpenKey(platform::RegRoot root, const std::string& path) override {
    return inner_.OpenKey(root, path);
  }
  platform::OsError SetValue(platform::RegRoot root, const std::string& path,
                             const std::string& name, const platform::RegValue& value) override {
    return inner_.SetValue(root, path, name, value);
  }
  platform::OsError DeleteValue(platform::RegRoot root, const std::string& path,
                                const std::string& name) override {
    return inner_.DeleteValue(root, path, name);
  }
  platform::OsError DeleteKey(platform::RegRoot root, const std::string& path) override {
    return inner_.DeleteKey(root, path);
  }
  platform::OsError EnumKeys(platform::RegRoot root, const std::string& path,
                             std::vector<std::string>* out) override {
    return inner_.EnumKeys(root, path, out);
  }
  platform::OsError EnumValues(platform::RegRoot root, const std::string& path,
                               std::vector<std::string>* out) override {
    return inner_.EnumValues(root, path, out);
  }
  platform::OsError QueryKeyInfo(platform::RegRoot root, const std::string& path,
                                 platform::RegKeyInfo* out) override {
    return inner_.QueryKeyInfo(root, path, out);
  }
  platform::OsError Flush(platform::RegRoot root, const std::string& path) override {
    return inner_.Flush(root, path);
  }

 private:
  platform::Registry& inner_;
  std::string dataPath_;
};

}  // namespace qrv::tool
