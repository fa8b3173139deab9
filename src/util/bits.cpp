#include "util/bits.h"

#include "util/texts.h"

namespace qrv {

std::string BitsToText(uint32_t word, const std::string& pair) {
  std::string text;
  text.reserve(32);
  for (int bit = 31; bit >= 0; --bit) text.push_back(BoolChar(BitSet(word, bit), pair));
  return text;
}

}  // namespace qrv
