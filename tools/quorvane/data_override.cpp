#include "data_override.h"

#include "platform/utf8.h"

namespace qrv::tool {

platform::OsError DataPathOverride::QueryValue(platform::RegRoot root, const std::string& path,
                                               const std::string& name, platform::RegValue* out) {
  if (platform::EqualNoCase(name, "DataPath") &&
      platform::EqualNoCase(path, "Software\\Quorvane\\Installation")) {
    *out = {platform::kRegSz, dataPath_ + '\0'};
    return platform::kOk;
  }
  return Target().QueryValue(root, path, name, out);
}

}  // namespace qrv::tool
