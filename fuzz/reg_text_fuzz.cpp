// Feeds bytes to the .reg text reader. Whatever it reads must write out as text that reads back
// to the same text: the writer and the reader agree on every tree the reader can build.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/reg_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qrv::platform;
  RegDocument doc;
  ParseRegText(std::string_view(reinterpret_cast<const char*>(data), size), &doc);
  const std::string text = FormatRegText(doc);
  RegDocument again;
  if (ParseRegText(text, &again) != 0) std::abort();
  if (FormatRegText(again) != text) std::abort();
  return 0;
}
