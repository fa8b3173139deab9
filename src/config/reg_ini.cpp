#include "config/reg_ini.h"

#include "util/texts.h"

namespace qrv {

using platform::RegValue;

namespace {

// Text of a string value as the ANSI registry calls hand it out, without its terminating zero.
std::string StringData(const RegValue& v) {
  std::string s = v.data;
  size_t end = s.find('\0');
  if (end != std::string::npos) s.resize(end);
  return s;
}

bool IsStringType(uint32_t type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz;
}

}  // namespace

TRegistryIniFile::TRegistryIniFile(platform::Registry& registry, platform::RegRoot root,
                                   std::string keyPath)
    : registry_(registry), root_(root), keyPath_(std::move(keyPath)) {
  registry_.CreateKey(root_, keyPath_);
}

std::string TRegistryIniFile::SubKey(const std::string& section) const {
  if (section.empty()) return keyPath_;
  if (keyPath_.empty()) return section;
  return keyPath_ + "\\" + section;
}

std::string TRegistryIniFile::ReadString(const std::string& section, const std::string& ident,
                                         const std::string& def) const {
  RegValue v;
  if (registry_.QueryValue(root_, SubKey(section), ident, &v) != platform::kOk) return def;
  if (!IsStringType(v.type)) return def;
  return StringData(v);
}

int32_t TRegistryIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                      int32_t def) const {
  RegValue v;
  if (registry_.QueryValue(root_, SubKey(section), ident, &v) != platform::kOk) return def;
  if (v.type == platform::kRegDword && v.data.size() == 4) {
    const auto* b = reinterpret_cast<const unsigned char*>(v.data.data());
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 |
                                static_cast<uint32_t>(b[3]) << 24);
  }
  if (IsStringType(v.type)) return StrToIntDef(StringData(v), def);
  return def;
}

bool TRegistryIniFile::ReadBool(const std::string& section, const std::string& ident,
                                bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

}  // namespace qrv
