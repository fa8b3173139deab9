// The remark record reader on arbitrary bytes: a record of any length decodes, encodes back to
// the same bytes (zero-padded), and its text stays within the field.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "master/bemerk_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qrv::TBemerkRec r;
  std::memset(&r, 0xA5, sizeof r);
  qrv::BemerkRawToObject(data, size, r);

  uint8_t back[qrv::kBemerkSize];
  qrv::BemerkObjectToRaw(r, back);
  const size_t n = size < sizeof back ? size : sizeof back;
  if (std::memcmp(back, data, n) != 0) std::abort();
  for (size_t i = n; i < sizeof back; ++i) {
    if (back[i] != 0) std::abort();
  }
  if (qrv::BemerkText(r).size() > 109) std::abort();
  return 0;
}
