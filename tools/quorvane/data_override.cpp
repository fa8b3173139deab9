#include "data_override.h"

#include <cctype>

namespace qrv::tool {

namespace {

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

platform::OsError DataPathOverride::QueryValue(platform::RegRoot root, const std::string& path,
                                               const std::string& name, platform::RegValue* out) {
  if (SameText(name, "DataPath") && SameText(path, "Software\\Quorvane\\Installation")) {
    *out = {platform::kRegSz, dataPath_ + '\0'};
    return platform::kOk;
  }
  return inner_.QueryValue(root, path, name, out);
}

}  // namespace qrv::tool
