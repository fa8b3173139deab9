// Little-endian reads and writes of the integers and doubles of a stored record, at a
// byte offset of a caller's buffer. The caller keeps every offset inside its record.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace qrv::stored {

inline uint64_t GetUnsigned(const uint8_t* raw, size_t at, int bytes) {
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | raw[at + i];
  return v;
}

inline void PutUnsigned(uint8_t* raw, size_t at, int bytes, uint64_t v) {
  for (int i = 0; i < bytes; ++i) raw[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline uint8_t GetU8(const uint8_t* raw, size_t at) {
  return raw[at];
}
inline int8_t GetI8(const uint8_t* raw, size_t at) {
  return static_cast<int8_t>(raw[at]);
}
inline uint16_t GetU16(const uint8_t* raw, size_t at) {
  return static_cast<uint16_t>(GetUnsigned(raw, at, 2));
}
inline int16_t GetI16(const uint8_t* raw, size_t at) {
  return static_cast<int16_t>(GetUnsigned(raw, at, 2));
}
inline uint32_t GetU32(const uint8_t* raw, size_t at) {
  return static_cast<uint32_t>(GetUnsigned(raw, at, 4));
}
inline int32_t GetI32(const uint8_t* raw, size_t at) {
  return static_cast<int32_t>(GetUnsigned(raw, at, 4));
}
inline double GetDouble(const uint8_t* raw, size_t at) {
  return std::bit_cast<double>(GetUnsigned(raw, at, 8));
}

inline void PutU8(uint8_t* raw, size_t at, uint8_t v) {
  raw[at] = v;
}
inline void PutI8(uint8_t* raw, size_t at, int8_t v) {
  raw[at] = static_cast<uint8_t>(v);
}
inline void PutU16(uint8_t* raw, size_t at, uint16_t v) {
  PutUnsigned(raw, at, 2, v);
}
inline void PutI16(uint8_t* raw, size_t at, int16_t v) {
  PutUnsigned(raw, at, 2, static_cast<uint16_t>(v));
}
inline void PutU32(uint8_t* raw, size_t at, uint32_t v) {
  PutUnsigned(raw, at, 4, v);
}
inline void PutI32(uint8_t* raw, size_t at, int32_t v) {
  PutUnsigned(raw, at, 4, static_cast<uint32_t>(v));
}
inline void PutDouble(uint8_t* raw, size_t at, double v) {
  PutUnsigned(raw, at, 8, std::bit_cast<uint64_t>(v));
}

// A short string: a length byte at `at`, then the characters of a field that holds capacity of
// them. A length byte above the capacity reads as the whole field.
inline std::string GetShortString(const uint8_t* raw, size_t at, size_t capacity) {
  const size_t length = std::min<size_t>(raw[at], capacity);
  return std::string(reinterpret_cast<const char*>(raw + at + 1), length);
}

// Writes text's length byte and characters, cut to capacity; the field's bytes after them keep
// what they held.
inline void PutShortString(uint8_t* raw, size_t at, size_t capacity, const std::string& text) {
  const size_t length = std::min(text.size(), capacity);
  raw[at] = static_cast<uint8_t>(length);
  std::memcpy(raw + at + 1, text.data(), length);
}

}  // namespace qrv::stored
