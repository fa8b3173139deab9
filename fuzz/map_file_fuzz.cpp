// The host's map file is read at every start-up: no content may crash the reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "diag/map_tables.h"
#include "util/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines = qrv::SplitLines(text);
  qrv::TFuncList funcs;
  funcs.Load(lines);
  qrv::TLineList lineList;
  lineList.Load(lines);
  return 0;
}
