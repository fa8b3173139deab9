// The index file decoder on arbitrary bytes. The record count it is checked against is the
// file's own N when that is a plausible count, so that valid-looking files reach the entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "files/index.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int32_t high = static_cast<int32_t>(size / 4);
  if (size >= 4) {
    const int32_t n = static_cast<int32_t>(
        static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
        static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24);
    if (n >= 0 && n <= 32767) high = n;
  }
  std::vector<int32_t> entries;
  if (!qrv::DecodeIndexFile(data, size, high, &entries)) {
    if (!entries.empty()) std::abort();
    return 0;
  }
  // An accepted index lists every record 1..high exactly once.
  if (entries.size() != static_cast<size_t>(high)) std::abort();
  std::vector<bool> seen(static_cast<size_t>(high) + 1, false);
  for (int32_t e : entries) {
    if (e < 1 || e > high || seen[e]) std::abort();
    seen[e] = true;
  }
  return 0;
}
