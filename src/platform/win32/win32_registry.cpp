#include "platform/win32/win32_registry.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_time.h"

namespace qrv::platform {
namespace {

HKEY RootKey(RegRoot root) {
  return root == RegRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

OsError AsError(LONG status) {
  return static_cast<OsError>(status);
}

// One key, open for the length of one call.
class OpenedKey {
 public:
  OpenedKey(RegRoot root, const std::string& path, REGSAM access)
      : status_(RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, &key_)) {}
  ~OpenedKey() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  OsError Error() const { return AsError(status_); }
  HKEY Handle() const { return key_; }

 private:
  HKEY key_ = nullptr;
  LONG status_;
};

// Reads one value whose size may change between the size query and the read.
LONG ReadValue(HKEY key, const std::string& name, RegValue* out) {
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    out->data.assign(size, '\0');
    DWORD got = size;
    auto* bytes = reinterpret_cast<BYTE*>(out->data.data());
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type, size ? bytes : nullptr, &got);
    if (status == ERROR_SUCCESS) {
      out->type = type;
      out->data.resize(got);
      return status;
    }
    size = got > size ? got : size * 2 + 16;
  }
  return status;
}

// Enumerates names with RegEnumKeyExA or RegEnumValueA, growing the buffer when a name is longer
// than the key's own statistics said.
template <typename EnumCall>
OsError EnumNames(HKEY key, DWORD maxLength, std::vector<std::string>* out, EnumCall call) {
  std::string buffer(maxLength + 1, '\0');
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status = call(key, index, buffer.data(), &length);
    if (status == ERROR_NO_MORE_ITEMS) return kOk;
    if (status == ERROR_MORE_DATA) {
      buffer.assign(buffer.size() * 2, '\0');
      continue;
    }
    if (status != ERROR_SUCCESS) return AsError(status);
    out->emplace_back(buffer.data(), length);
    ++index;
  }
}

}  // namespace

OsError Win32Registry::CreateKey(RegRoot root, const std::string& path) {
  HKEY key = nullptr;
  const LONG status =
      RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return AsError(status);
}

OsError Win32Registry::OpenKey(RegRoot root, const std::string& path) {
  return OpenedKey(root, path, KEY_READ).Error();
}

OsError Win32Registry::QueryValue(RegRoot root, const std::string& path, const std::string& name,
                                  RegValue* out) {
  *out = RegValue{};
  OpenedKey key(root, path, KEY_QUERY_VALUE);
  if (key.Error() != kOk) return key.Error();
  const LONG status = ReadValue(key.Handle(), name, out);
  if (status != ERROR_SUCCESS) *out = RegValue{};
  return AsError(status);
}

OsError Win32Registry::SetValue(RegRoot root, const std::string& path, const std::string& name,
                                const RegValue& value) {
  OpenedKey key(root, path, KEY_SET_VALUE);
  if (key.Error() != kOk) return key.Error();
  return AsError(RegSetValueExA(key.Handle(), name.c_str(), 0, value.type,
                                reinterpret_cast<const BYTE*>(value.data.data()),
                                static_cast<DWORD>(value.data.size())));
}

OsError Win32Registry::DeleteValue(RegRoot root, const std::string& path, const std::string& name) {
  OpenedKey key(root, path, KEY_SET_VALUE);
  if (key.Error() != kOk) return key.Error();
  return AsError(RegDeleteValueA(key.Handle(), name.c_str()));
}

OsError Win32Registry::DeleteKey(RegRoot root, const std::string& path) {
  // The root itself is never deleted.
  if (path.empty()) return kAccessDenied;
  return AsError(RegDeleteKeyA(RootKey(root), path.c_str()));
}

OsError Win32Registry::EnumKeys(RegRoot root, const std::string& path,
                                std::vector<std::string>* out) {
  out->clear();
  OpenedKey key(root, path, KEY_READ);
  if (key.Error() != kOk) return key.Error();
  DWORD maxLength = 0;
  RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, nullptr, &maxLength, nullptr, nullptr,
                   nullptr, nullptr, nullptr, nullptr);
  return EnumNames(key.Handle(), maxLength, out, [](HKEY k, DWORD i, char* name, DWORD* length) {
    return RegEnumKeyExA(k, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

OsError Win32Registry::EnumValues(RegRoot root, const std::string& path,
                                  std::vector<std::string>* out) {
  out->clear();
  OpenedKey key(root, path, KEY_READ);
  if (key.Error() != kOk) return key.Error();
  DWORD maxLength = 0;
  RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                   &maxLength, nullptr, nullptr, nullptr);
  return EnumNames(key.Handle(), maxLength, out, [](HKEY k, DWORD i, char* name, DWORD* length) {
    return RegEnumValueA(k, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

OsError Win32Registry::QueryKeyInfo(RegRoot root, const std::string& path, RegKeyInfo* out) {
  *out = RegKeyInfo{};
  OpenedKey key(root, path, KEY_READ);
  if (key.Error() != kOk) return key.Error();
  DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0, maxValueLen = 0;
  FILETIME lastWrite{};
  const LONG status =
      RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                       &values, &maxValueNameLen, &maxValueLen, nullptr, &lastWrite);
  if (status != ERROR_SUCCESS) return AsError(status);
  out->subKeys = subKeys;
  out->maxSubKeyLen = maxSubKeyLen;
  out->values = values;
  out->maxValueNameLen = maxValueNameLen;
  out->maxValueLen = maxValueLen;
  out->lastWrite = LocalDateTimeFromFileTime(lastWrite);
  return kOk;
}

OsError Win32Registry::Flush(RegRoot root, const std::string& path) {
  OpenedKey key(root, path, KEY_READ);
  if (key.Error() != kOk) return key.Error();
  return AsError(RegFlushKey(key.Handle()));
}

}  // namespace qrv::platform
