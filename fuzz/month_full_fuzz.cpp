// The full (9000-byte) month record.
#include "month_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return qrv::fuzz::FuzzMonat(data, size, qrv::kGMonatSize, qrv::DecodeGMonat, qrv::EncodeGMonat);
}
