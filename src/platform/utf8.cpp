#include "platform/utf8.h"

#include <array>
#include <cstdint>

namespace qrv::platform {

namespace {

// 0x80..0x9F of code page 1252.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at s[i]; answers its length, 0 when it is not valid UTF-8
// (overlong forms and surrogates included).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t* cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  size_t len = 0;
  char32_t value = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, value = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, value = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, value = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    value = (value << 6) | (b & 0x3F);
  }
  if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *cp = value;
  return len;
}

}  // namespace

char32_t AnsiToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kHighControls[c - 0x80];
  return c;
}

char UnicodeToAnsi(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == cp) return static_cast<char>(0x80 + k);
  }
  return '?';
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (char c : ansi) AppendUtf8(AnsiToUnicode(static_cast<unsigned char>(c)), &out);
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp = 0;
    const size_t len = DecodeUtf8(utf8, i, &cp);
    if (len == 0) {
      out.push_back(utf8[i]);
      ++i;
    } else {
      out.push_back(UnicodeToAnsi(cp));
      i += len;
    }
  }
  return out;
}

std::string Utf16LeToAnsi(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t unit = static_cast<unsigned char>(bytes[i]) |
                          (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const auto next = static_cast<unsigned char>(bytes[i + 3]);
      if (next >= 0xDC && next <= 0xDF) i += 2;  // the pair stands for one character
    }
    out.push_back(UnicodeToAnsi(unit));
  }
  return out;
}

std::string AnsiToUtf16Le(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (char c : ansi) {
    const char32_t cp = AnsiToUnicode(static_cast<unsigned char>(c));
    out.push_back(static_cast<char>(cp & 0xFF));
    out.push_back(static_cast<char>(cp >> 8));
  }
  return out;
}

char FoldAnsiCase(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
      return static_cast<char>(b + 0x10);
    case 0x9F:
      return static_cast<char>(0xFF);
    default:
      return c;
  }
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAnsiCase(a[i]) != FoldAnsiCase(b[i])) return false;
  }
  return true;
}

}  // namespace qrv::platform
