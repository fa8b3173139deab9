// Small record kinds and a fixture for the tests of the record-file layer: a settings object
// over a temporary data folder and the platform doubles.
#pragma once

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "config/konfig.h"
#include "files/cached_file.h"
#include "files/indexed_file.h"
#include "support/doubles.h"

namespace qrv::testing {

// The object form of the test records: a number and a four-character tag. Stored as 8 bytes:
// the number little-endian, then the tag.
struct TestObject {
  int32_t value = 0;
  char tag[4] = {0, 0, 0, 0};
};

inline void PutLE32(char* p, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

inline int32_t GetLE32(const char* p) {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i)
    u |= static_cast<uint32_t>(static_cast<unsigned char>(p[i])) << (8 * i);
  return static_cast<int32_t>(u);
}

// The 8 stored bytes of a record; a tag shorter than 4 characters is padded with zeros.
inline std::string RawOf(int32_t value, const char* tag) {
  std::string raw(8, '\0');
  PutLE32(raw.data(), value);
  std::memcpy(raw.data() + 4, tag, std::min<size_t>(4, std::strlen(tag)));
  return raw;
}

inline std::string Blank(size_t n) {
  std::string s(n - 2, ' ');
  return s + "\r\n";
}

// Converts between the two forms; any TFile flags.
template <typename Base>
class TestFileOf : public Base {
 public:
  using Base::Base;
  void RawToObject(void* raw, void* object, int32_t, int32_t, int32_t) override {
    auto* o = static_cast<TestObject*>(object);
    o->value = GetLE32(static_cast<char*>(raw));
    std::memcpy(o->tag, static_cast<char*>(raw) + 4, 4);
  }
  void ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) override {
    const auto* o = static_cast<TestObject*>(object);
    PutLE32(static_cast<char*>(raw), o->value);
    std::memcpy(static_cast<char*>(raw) + 4, o->tag, 4);
  }
};

// Gives the test file its sizes: 8-byte records in 10-byte slots (or one-record files padded
// to SlotSize), records 1 to 20.
template <typename File>
void SetTestSizes(File& f, const std::string& base, int32_t slot = 10) {
  f.Caption = "Test";
  f.RawSize = 8;
  f.SlotSize = slot;
  f.ObjectSize = sizeof(TestObject);
  f.BaseName = base;
  f.Ext = "DAT";
  f.MinRecord = 1;
  f.MaxRecord = 20;
  f.HighRecord = 20;
}

class RecordFileTest : public ::testing::Test {
 protected:
  RecordFileTest() : konfig(tp.Get(), reported) { konfig.DataPath = data.Path(); }

  std::string Path(const std::string& name) const { return data.Path() + name; }

  TempFolder data;
  TestPlatform tp;
  bool reported = false;
  TKonfig konfig;
};

}  // namespace qrv::testing
