// Flag words: flag n is bit n (value 2^n). Only the low five bits of a flag number count, so
// flag 33 is flag 1 and flag -1 is flag 31.
#pragma once

#include <cstdint>
#include <string>

namespace qrv {

inline uint32_t BitMask(int n) {
  return uint32_t{1} << (n & 31);
}
inline bool BitSet(uint32_t word, int n) {
  return (word & BitMask(n)) != 0;
}
inline void SetBit32(uint32_t& word, int n) {
  word |= BitMask(n);
}
inline void ClearBit32(uint32_t& word, int n) {
  word &= ~BitMask(n);
}
// Flags 16..31 lie outside a 16-bit word and leave it unchanged.
inline void SetBit16(uint16_t& word, int n) {
  word = static_cast<uint16_t>(word | BitMask(n));
}
inline void ClearBit16(uint16_t& word, int n) {
  word = static_cast<uint16_t>(word & ~BitMask(n));
}

// 32 characters, bit 31 first: the first character of pair for a set bit, the second for a clear
// one (a missing character of a shorter pair is a blank).
std::string BitsToText(uint32_t word, const std::string& pair);

}  // namespace qrv
