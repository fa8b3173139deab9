// The German locale from the measured 1252 tables. The comparison is a multi-level sort: base
// letters, digits and symbols first; accents where those are equal; then the variant weights that
// case folding keeps (superscript digits, ordinal indicators); last the bytes that weigh nothing
// else (hyphen, apostrophe, dashes, control characters), by where they stand and what they are.
#include "platform/table_locale.h"

#include <cstdint>
#include <functional>

#include "platform/cp1252_tables.h"

namespace qrv::platform {
namespace {

using cp1252::kSortWeights;
using cp1252::SortElement;

const cp1252::SortWeight& WeightOf(char c) {
  return kSortWeights[static_cast<uint8_t>(c)];
}

// Walks the sort elements of a text in order; bytes without elements are skipped.
class ElementCursor {
 public:
  explicit ElementCursor(std::string_view s) : s_(s) {}
  const SortElement* Next() {
    while (pos_ < s_.size()) {
      const cp1252::SortWeight& w = WeightOf(s_[pos_]);
      if (part_ < w.count) return &w.elements[part_++];
      ++pos_;
      part_ = 0;
    }
    return nullptr;
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
  uint8_t part_ = 0;
};

int Sign(int d) {
  return (d > 0) - (d < 0);
}

// Compares the element streams on one level. A text whose elements run out first sorts first;
// on the minor levels both streams have the same length once the primary level is equal.
template <typename Weight>
int CompareLevel(std::string_view a, std::string_view b, Weight weight) {
  ElementCursor ca(a), cb(b);
  for (;;) {
    const SortElement* ea = ca.Next();
    const SortElement* eb = cb.Next();
    if (ea == nullptr || eb == nullptr) return (ea != nullptr) - (eb != nullptr);
    if (int d = weight(*ea) - weight(*eb); d != 0) return Sign(d);
  }
}

// Walks the bytes that weigh only at the last level. Each counts by its place (an earlier place,
// i.e. fewer primary elements before it, weighs more) and then by its own weight.
class SpecialCursor {
 public:
  explicit SpecialCursor(std::string_view s) : s_(s) {}
  bool Next(uint32_t& key) {
    while (pos_ < s_.size()) {
      const cp1252::SortWeight& w = WeightOf(s_[pos_++]);
      if (w.special != 0) {
        key = static_cast<uint32_t>(static_cast<uint16_t>(0xFFFF - primaries_)) << 16 | w.special;
        primaries_ += w.count;
        return true;
      }
      primaries_ += w.count;
    }
    return false;
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
  size_t primaries_ = 0;
};

int CompareSpecials(std::string_view a, std::string_view b) {
  SpecialCursor ca(a), cb(b);
  for (;;) {
    uint32_t ka = 0, kb = 0;
    bool ha = ca.Next(ka), hb = cb.Next(kb);
    if (!ha || !hb) return ha - hb;
    if (ka != kb) return ka < kb ? -1 : 1;
  }
}

template <size_t N>
std::string MapBytes(std::string_view s, const std::array<uint8_t, N>& table) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(table[static_cast<uint8_t>(c)]);
  return r;
}

// Converts byte by byte; walks backwards when dst starts inside src so that an overlapping
// buffer is read before it is overwritten.
void Convert(const char* src, char* dst, size_t n, const std::array<uint8_t, 256>& table) {
  auto map = [&](size_t i) { dst[i] = static_cast<char>(table[static_cast<uint8_t>(src[i])]); };
  std::less<const char*> before;
  if (before(src, dst) && before(dst, src + n)) {
    for (size_t i = n; i-- > 0;) map(i);
  } else {
    for (size_t i = 0; i < n; ++i) map(i);
  }
}

}  // namespace

void TableLocale::ConvertAnsiToOem(const char* src, char* dst, size_t n) {
  Convert(src, dst, n, cp1252::kAnsiToOem);
}

void TableLocale::ConvertOemToAnsi(const char* src, char* dst, size_t n) {
  Convert(src, dst, n, cp1252::kOemToAnsi);
}

int TableLocale::CompareText(std::string_view a, std::string_view b) {
  if (int r = CompareLevel(a, b, [](const SortElement& e) { return int{e.primary}; }); r != 0)
    return r;
  if (int r = CompareLevel(a, b, [](const SortElement& e) { return int{e.diacritic}; }); r != 0)
    return r;
  if (int r = CompareLevel(a, b, [](const SortElement& e) { return int{e.variant}; }); r != 0)
    return r;
  return CompareSpecials(a, b);
}

std::string TableLocale::UpperCase(std::string_view s) {
  return MapBytes(s, cp1252::kUpper);
}

std::string TableLocale::LowerCase(std::string_view s) {
  return MapBytes(s, cp1252::kLower);
}

std::string TableLocale::ShortMonthName(int month) {
  if (month < 1 || month > 12) return {};
  return cp1252::kShortMonthNames[month - 1];
}

char TableLocale::DecimalSeparator() {
  return ',';
}

}  // namespace qrv::platform
