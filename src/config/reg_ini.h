// A registry key read like a settings file: a section is a subkey of the key (the empty section is
// the key itself), an ident a value in it. Missing subkeys, values and values of the wrong kind
// give the default.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace qrv {

class TRegistryIniFile {
 public:
  // Opens the key under root, creating it when missing (a failure to create is not reported:
  // every read then answers its default).
  TRegistryIniFile(platform::Registry& registry, platform::RegRoot root, std::string keyPath);

  platform::RegRoot Root() const { return root_; }
  const std::string& KeyPath() const { return keyPath_; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& def) const;
  // A DWORD value, or a text value holding a decimal integer.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) const;
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;

 private:
  std::string SubKey(const std::string& section) const;

  platform::Registry& registry_;
  platform::RegRoot root_;
  std::string keyPath_;
};

}  // namespace qrv
