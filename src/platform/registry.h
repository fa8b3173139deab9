// Registry interface of the platform layer: the roots HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
//
// Key paths are relative to their root, components separated by '\', without a leading backslash
// (an empty path is the root itself). Key and value names compare without regard to case; the
// default value of a key has the empty name. Values are answered as the ANSI registry calls give
// them: strings in code page 1252 with their terminating zero(s).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os_error.h"

namespace qrv::platform {

enum class RegRoot { kCurrentUser, kLocalMachine };

// Registry value types, numbered as the registry numbers them.
enum RegType : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

struct RegValue {
  uint32_t type = kRegNone;
  std::string data;  // raw bytes
};

struct RegKeyInfo {
  uint32_t subKeys = 0;
  uint32_t maxSubKeyLen = 0;
  uint32_t values = 0;
  uint32_t maxValueNameLen = 0;
  uint32_t maxValueLen = 0;
  double lastWrite = 0;  // local date-time
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Creates the key and every missing key above it; an existing key is success.
  virtual OsError CreateKey(RegRoot root, const std::string& path) = 0;
  // kOk when the key exists and can be opened, kFileNotFound when it does not exist.
  virtual OsError OpenKey(RegRoot root, const std::string& path) = 0;
  virtual OsError QueryValue(RegRoot root, const std::string& path, const std::string& name,
                             RegValue* out) = 0;
  virtual OsError SetValue(RegRoot root, const std::string& path, const std::string& name,
                           const RegValue& value) = 0;
  virtual OsError DeleteValue(RegRoot root, const std::string& path, const std::string& name) = 0;
  // Deletes a key that has no subkeys (kAccessDenied when it has some).
  virtual OsError DeleteKey(RegRoot root, const std::string& path) = 0;
  // Names in enumeration order.
  virtual OsError EnumKeys(RegRoot root, const std::string& path,
                           std::vector<std::string>* out) = 0;
  virtual OsError EnumValues(RegRoot root, const std::string& path,
                             std::vector<std::string>* out) = 0;
  virtual OsError QueryKeyInfo(RegRoot root, const std::string& path, RegKeyInfo* out) = 0;
  // Writes the key's changes through to permanent storage.
  virtual OsError Flush(RegRoot root, const std::string& path) = 0;
  // True when this registry refuses every change (a read-only view of an installation).
  virtual bool ReadOnly() const { return false; }
};

// Forwards every call to another registry, which must outlive the wrapper: a subclass overrides
// only what it changes.
class RegistryWrapper : public Registry {
 public:
  explicit RegistryWrapper(Registry& target) : target_(target) {}
  // Not copied: a copy would wrap this wrapper's target, not the wrapper.
  RegistryWrapper(const RegistryWrapper&) = delete;
  RegistryWrapper& operator=(const RegistryWrapper&) = delete;

  OsError CreateKey(RegRoot root, const std::string& path) override {
    return target_.CreateKey(root, path);
  }
  OsError OpenKey(RegRoot root, const std::string& path) override {
    return target_.OpenKey(root, path);
  }
  OsError QueryValue(RegRoot root, const std::string& path, const std::string& name,
                     RegValue* out) override {
    return target_.QueryValue(root, path, name, out);
  }
  OsError SetValue(RegRoot root, const std::string& path, const std::string& name,
                   const RegValue& value) override {
    return target_.SetValue(root, path, name, value);
  }
  OsError DeleteValue(RegRoot root, const std::string& path, const std::string& name) override {
    return target_.DeleteValue(root, path, name);
  }
  OsError DeleteKey(RegRoot root, const std::string& path) override {
    return target_.DeleteKey(root, path);
  }
  OsError EnumKeys(RegRoot root, const std::string& path, std::vector<std::string>* out) override {
    return target_.EnumKeys(root, path, out);
  }
  OsError EnumValues(RegRoot root, const std::string& path,
                     std::vector<std::string>* out) override {
    return target_.EnumValues(root, path, out);
  }
  OsError QueryKeyInfo(RegRoot root, const std::string& path, RegKeyInfo* out) override {
    return target_.QueryKeyInfo(root, path, out);
  }
  OsError Flush(RegRoot root, const std::string& path) override {
    return target_.Flush(root, path);
  }
  bool ReadOnly() const override { return target_.ReadOnly(); }

 protected:
  Registry& Target() const { return target_; }

 private:
  Registry& target_;
};

}  // namespace qrv::platform
