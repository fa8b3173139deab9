#include "util/texts.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "util/errors.h"

namespace qrv {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Hex digits to a 32-bit pattern; false when empty, not hex or beyond 32 bits.
bool ParseHex32(const std::string& text, size_t pos, uint32_t* out) {
  if (pos >= text.size()) return false;
  uint64_t value = 0;
  for (size_t i = pos; i < text.size(); ++i) {
    int digit = HexDigit(text[i]);
    if (digit < 0) return false;
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > 0xFFFF'FFFFu) return false;
  }
  *out = static_cast<uint32_t>(value);
  return true;
}

// Decimal digits to a magnitude of at most limit.
bool ParseDecimal(const std::string& text, size_t pos, uint64_t limit, uint64_t* out) {
  if (pos >= text.size()) return false;
  uint64_t value = 0;
  for (size_t i = pos; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    if (value > limit) return false;
  }
  *out = value;
  return true;
}

bool HasHexPrefix(const std::string& text, size_t pos, size_t* digits) {
  if (pos < text.size() && text[pos] == '$') {
    *digits = pos + 1;
    return true;
  }
  if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    *digits = pos + 2;
    return true;
  }
  return false;
}

}  // namespace

bool TryStrToInt(const std::string& text, int32_t* out) {
  size_t pos = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    pos = 1;
  }
  size_t digits = 0;
  if (HasHexPrefix(text, pos, &digits)) {
    uint32_t pattern = 0;
    if (!ParseHex32(text, digits, &pattern)) return false;
    *out = static_cast<int32_t>(negative ? 0u - pattern : pattern);
    return true;
  }
  const uint64_t limit = negative ? 2'147'483'648u : 2'147'483'647u;
  uint64_t magnitude = 0;
  if (!ParseDecimal(text, pos, limit, &magnitude)) return false;
  *out = static_cast<int32_t>(negative ? 0 - magnitude : magnitude);
  return true;
}

int32_t StrToIntDef(const std::string& text, int32_t def) {
  int32_t value = 0;
  return TryStrToInt(text, &value) ? value : def;
}

namespace {

// Checks the locale's float syntax and gives the same number in the C notation from_chars reads.
bool ToCNotation(const std::string& text, char decimalSeparator, std::string* c) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') c->push_back('-');
    ++i;
  }
  size_t mantissaDigits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) c->push_back(text[i]);
  if (i < text.size() && text[i] == decimalSeparator) {
    c->push_back('.');
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) c->push_back(text[i]);
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    c->push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) c->push_back(text[i++]);
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) c->push_back(text[i]);
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

}  // namespace

bool TryStrToFloat(const std::string& text, char decimalSeparator, double* out) {
  std::string c;
  if (!ToCNotation(text, decimalSeparator, &c)) return false;
  double value = 0;
  auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), value);
  if (error != std::errc() || end != c.data() + c.size()) return false;
  *out = value;
  return true;
}

std::string ZeroPad(int32_t number, int width) {
  width = std::clamp(width, 0, 10);
  bool negative = number < 0;
  size_t count = static_cast<size_t>(negative && width > 0 ? width - 1 : width);
  std::string digits = std::to_string(std::llabs(static_cast<long long>(number)));
  if (digits.size() < count) digits.insert(0, count - digits.size(), '0');
  digits.erase(0, digits.size() - count);
  return negative && width > 0 ? "-" + digits : digits;
}

int32_t HexToInt(const std::string& text) {
  uint32_t value = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) throw EConvertError("Ung\xFCltige Hexadezimalzahl");
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

std::string Trim(const std::string& text) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

std::string NameWithInitial(const std::string& name, const std::string& first) {
  if (first.empty()) return name;
  return name + ", " + first[0] + ".";
}

namespace {

// The barcode font's character for a digit pair 0..99.
char PairChar(int v) {
  static constexpr unsigned char kHigh[6] = {252, 246, 176, 214, 220, 223};
  return static_cast<char>(v <= 93 ? v + 33 : kHigh[v - 94]);
}

int CheckDigit(const std::string& digits) {
  int sum = 0, weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it, weight = 4 - weight) {
    sum += (*it - '0') * weight;
  }
  return (10 - sum % 10) % 10;
}

}  // namespace

std::string BarcodeText(int32_t number, int width, bool withCheck) {
  std::string digits = ZeroPad(number, width);
  std::replace_if(
      digits.begin(), digits.end(), [](char c) { return !IsDigit(c); }, '0');
  if (withCheck) {
    if (digits.size() % 2 == 0) digits.insert(0, 1, '0');
    digits.push_back(static_cast<char>('0' + CheckDigit(digits)));
  } else if (digits.size() % 2 == 1) {
    digits.insert(0, 1, '0');
  }
  std::string text(1, '\xC4');
  for (size_t i = 0; i < digits.size(); i += 2) {
    text.push_back(PairChar((digits[i] - '0') * 10 + (digits[i + 1] - '0')));
  }
  text.push_back('\xE4');
  return text;
}

char BoolChar(bool flag, const std::string& pair) {
  size_t index = flag ? 0 : 1;
  return index < pair.size() ? pair[index] : ' ';
}

}  // namespace qrv
