// An in-memory registry tree: keys with their values and subkeys, in the order they were written
// or created. Names compare without regard to case and keep the case they were created with.
// The .reg text reader and writer (reg_text.h) and the registry stores (reg_store.h) share it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace qrv::platform {

// Windows' limits; longer names and deeper paths are refused, which also keeps the recursive
// walks of a tree shallow whatever a file holds.
inline constexpr size_t kMaxRegKeyNameLen = 255;
inline constexpr size_t kMaxRegValueNameLen = 16383;
inline constexpr size_t kMaxRegDepth = 512;

struct RegEntry {
  std::string name;  // empty: the key's default value
  RegValue value;
};

struct RegKey {
  std::string name;
  std::vector<RegEntry> values;
  std::vector<RegKey> subKeys;
  double lastWrite = 0;

  // Pointers answered stay valid until a sibling of the found key is added or removed.
  RegKey* FindSubKey(std::string_view keyName);
  const RegKey* FindSubKey(std::string_view keyName) const;
  RegKey& AddSubKey(std::string_view keyName);  // the existing one when present
  bool RemoveSubKey(std::string_view keyName);
  RegEntry* FindValue(std::string_view valueName);
  const RegEntry* FindValue(std::string_view valueName) const;
  void SetValue(std::string_view valueName, const RegValue& value);
  bool RemoveValue(std::string_view valueName);
};

// The components of a key path ('\' separated); empty components are dropped, so a leading
// backslash is harmless. False when a name or the depth exceeds the limits.
bool SplitRegPath(std::string_view path, std::vector<std::string>* parts);

// The key at path below root, or nullptr.
RegKey* FindRegKey(RegKey& root, const std::vector<std::string>& parts);
const RegKey* FindRegKey(const RegKey& root, const std::vector<std::string>& parts);

// Both roots of one registry (a .reg file may hold keys of either).
struct RegDocument {
  RegKey currentUser;
  RegKey localMachine;

  RegKey& Root(RegRoot root) { return root == RegRoot::kCurrentUser ? currentUser : localMachine; }
  const RegKey& Root(RegRoot root) const {
    return root == RegRoot::kCurrentUser ? currentUser : localMachine;
  }
};

// Sets lastWrite of key and every key below it.
void StampRegTree(RegKey& key, double when);

}  // namespace qrv::platform
