// The registry of the Windows build: the ANSI registry calls on HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE. Every call opens its key, acts and closes it again, so no handle outlives
// a call.
#pragma once

#include "platform/registry.h"

namespace qrv::platform {

class Win32Registry final : public Registry {
 public:
  OsError CreateKey(RegRoot root, const std::string& path) override;
  OsError OpenKey(RegRoot root, const std::string& path) override;
  OsError QueryValue(RegRoot root, const std::string& path, const std::string& name,
                     RegValue* out) override;
  OsError SetValue(RegRoot root, const std::string& path, const std::string& name,
                   const RegValue& value) override;
  OsError DeleteValue(RegRoot root, const std::string& path, const std::string& name) override;
  OsError DeleteKey(RegRoot root, const std::string& path) override;
  OsError EnumKeys(RegRoot root, const std::string& path, std::vector<std::string>* out) override;
  OsError EnumValues(RegRoot root, const std::string& path, std::vector<std::string>* out) override;
  OsError QueryKeyInfo(RegRoot root, const std::string& path, RegKeyInfo* out) override;
  OsError Flush(RegRoot root, const std::string& path) override;
};

}  // namespace qrv::platform
