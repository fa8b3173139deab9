// TQRegistry: the library's own registry class. Besides the usual key operations it moves a whole
// key tree from one root to another (HKEY_CURRENT_USER to HKEY_LOCAL_MACHINE), values, types and
// subkeys included. TKonfig uses it once, for the machine-wide switch; ordinary reading of
// settings goes through TRegistryIniFile.
//
// A key "handle" is the root, the key's path below it and the rights it was opened with: the
// platform registry opens and closes its keys within each call, so nothing stays open here.
//
// Paths: one starting with a backslash is taken from the root (the backslash removed); any other
// from the current key when one is open, else from the root.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace qrv {

// Access rights, as the registry numbers them.
inline constexpr uint32_t kKeyQueryValue = 0x0001;
inline constexpr uint32_t kKeySetValue = 0x0002;
inline constexpr uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr uint32_t kKeyRead = 0x20019;
inline constexpr uint32_t kKeyAllAccess = 0xF003F;

// The class's data types. Any registry type without one of its own (a multi-string, for
// example) is rdUnknown, and WriteData writes rdUnknown as type 0; moving a key tree keeps every
// value's own registry type.
enum TRegDataType : uint8_t { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

TRegDataType RegTypeToDataType(uint32_t regType);
uint32_t DataTypeToRegType(TRegDataType type);

struct TRegKeyHandle {
  platform::RegRoot Root = platform::RegRoot::kCurrentUser;
  std::string Path;  // below Root, without a leading backslash
  uint32_t Access = kKeyAllAccess;
};

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  uint32_t DataSize = 0;
};

class TQRegistry {
 public:
  // registry must outlive the object. Root HKEY_CURRENT_USER, LazyWrite true.
  explicit TQRegistry(platform::Registry& registry, uint32_t access = kKeyAllAccess);
  ~TQRegistry();
  TQRegistry(const TQRegistry&) = delete;
  TQRegistry& operator=(const TQRegistry&) = delete;

  // A different root closes the current key.
  void SetRootKey(platform::RegRoot root);
  platform::RegRoot RootKey() const { return rootKey_; }
  const std::optional<TRegKeyHandle>& CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }

  // Makes the key the current one (creating it first when canCreate); false when it cannot be
  // opened or created, the current key then stays as it was.
  bool OpenKey(const std::string& path, bool canCreate);
  // Closes the current key; without LazyWrite its changes are flushed first.
  void CloseKey();
  // Creates the key (and the keys above it) without opening it. Raises ERegistryException
  // "Erzeugung von Schlüssel <path> mißlungen" on failure.
  void CreateKey(const std::string& path);
  // Deletes the key with all its subkeys, deepest first. A root is never deleted.
  bool DeleteKey(const std::string& path);
  // The key opened with Access, or nothing when it cannot be opened.
  std::optional<TRegKeyHandle> GetKey(const std::string& path) const;

  // Operations on the current key; without one they fail (or raise, for ReadData and WriteData).
  bool GetKeyInfo(platform::RegKeyInfo* info) const;
  // -1 when the value cannot be read.
  int64_t GetDataSize(const std::string& name) const;
  bool GetDataInfo(const std::string& name, TRegDataInfo* info) const;
  // Copies the value's raw bytes into buffer and answers their number. Raises ERegistryException
  // "Fehler beim Holen der Daten für '<name>'" when the value cannot be read or is larger than
  // buffer.
  uint32_t ReadData(const std::string& name, std::span<char> buffer, TRegDataType* type) const;
  // Raises ERegistryException "Fehler beim Setzen der Daten für '<name>'" on failure.
  void WriteData(const std::string& name, std::string_view data, TRegDataType type);

  // Copies the key sourcePath under sourceRoot to targetPath under targetRoot: the default value,
  // every value with its own registry type (whatever it is) and raw bytes (empty values are
  // skipped) and every subkey recursively; then deletes the source tree when deleteSource. A
  // source or target that cannot be opened ends the move silently; a failed creation, read or
  // write raises and leaves what was copied so far, deleting nothing. A target that is the source
  // or lies inside it is refused the same silent way: the copy would never end, or the delete
  // would destroy it. Ends with the source root set.
  void MoveKeyBetweenRoots(platform::RegRoot sourceRoot, platform::RegRoot targetRoot,
                           bool deleteSource, const std::string& targetPath,
                           const std::string& sourcePath);

  // true: closing just closes the key; false: closing flushes it.
  bool LazyWrite = true;
  // Rights requested when keys are opened. Reading values needs kKeyQueryValue, writing them
  // kKeySetValue, listing subkeys kKeyEnumerateSubKeys.
  uint32_t Access;

 private:
  TRegKeyHandle Resolve(const std::string& path) const;
  std::optional<TRegKeyHandle> Open(const TRegKeyHandle& key) const;
  bool DeleteTree(platform::RegRoot root, const std::string& path);

  bool DataInfoOf(const TRegKeyHandle& key, const std::string& name, TRegDataInfo* info) const;
  uint32_t ReadDataOf(const TRegKeyHandle& key, const std::string& name, std::span<char> buffer,
                      TRegDataType* type) const;
  void WriteDataOf(const TRegKeyHandle& key, const std::string& name, std::string_view data,
                   TRegDataType type);
  // The value as the registry holds it; false when the key may not be read or has no such value.
  bool QueryOf(const TRegKeyHandle& key, const std::string& name, platform::RegValue* value) const;
  // Raises the write error when the key may not be written or the registry refuses the value.
  void SetOf(const TRegKeyHandle& key, const std::string& name, const platform::RegValue& value);
  bool ValueNames(const TRegKeyHandle& key, std::vector<std::string>* names) const;
  bool KeyNames(const TRegKeyHandle& key, std::vector<std::string>* names) const;

  void CopyValues(const TRegKeyHandle& source, const TRegKeyHandle& target);
  void CopyValue(const TRegKeyHandle& source, const TRegKeyHandle& target, const std::string& name);
  void CopyKeys(const TRegKeyHandle& source, const TRegKeyHandle& target);

  platform::Registry& registry_;
  std::optional<TRegKeyHandle> currentKey_;
  platform::RegRoot rootKey_ = platform::RegRoot::kCurrentUser;
  std::string currentPath_;
};

}  // namespace qrv
