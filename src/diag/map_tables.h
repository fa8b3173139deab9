// Symbol and line tables of the host program, read from its linker map file (the executable's
// path with the extension .MAP) when the library is loaded. They let a code address of the host
// be named by unit, line and routine. A missing or stale map file leaves the tables empty; a
// damaged one keeps what was read before the damage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace qrv {

struct TLineEntry {
  uint32_t Adresse;  // offset within code segment 1
  std::string Unit;
  int32_t Zeile;
};

struct TFuncEntry {
  uint32_t Adresse;  // offset within code segment 1
  std::string Name;
};

// Line numbers by code address, in file order.
class TLineList {
 public:
  void Load(const std::vector<std::string>& lines);
  const std::vector<TLineEntry>& Items() const { return items_; }

 private:
  void ReadSection(const std::vector<std::string>& lines, size_t& i, const std::string& unit);
  std::vector<TLineEntry> items_;
};

// Public symbols by code address, in file order.
class TFuncList {
 public:
  void Load(const std::vector<std::string>& lines);
  const std::vector<TFuncEntry>& Items() const { return items_; }

 private:
  std::vector<TFuncEntry> items_;
};

class TMapTables {
 public:
  // Reads the host's map file through the platform; never fails.
  explicit TMapTables(const platform::Platform& platform);
  TFuncList FuncList;
  TLineList LineList;
};

// The lines of a map file that belongs to the executable, or nothing when there is no such file
// or it comes from another build (its stamp differs from the executable's by more than 32 in
// packed file date-time units).
std::vector<std::string> ReadMapFile(platform::FileSystem& files, const std::string& exePath);

}  // namespace qrv
