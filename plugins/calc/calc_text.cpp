#include "calc_text.h"

#include <rtl/ustrbuf.hxx>

#include <cctype>
#include <charconv>

#include "platform/utf8.h"

namespace qrv::calc {

OUString FromAnsi(std::string_view ansi) {
  rtl::OUStringBuffer out(static_cast<sal_Int32>(ansi.size()));
  for (char c : ansi) {
    out.append(static_cast<sal_Unicode>(platform::AnsiToUnicode(static_cast<unsigned char>(c))));
  }
  return out.makeStringAndClear();
}

std::string ToAnsi(const OUString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.getLength()));
  for (sal_Int32 i = 0; i < text.getLength(); ++i) {
    const sal_Unicode u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.getLength() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;  // one character outside the basic plane
      out.push_back('?');
      continue;
    }
    out.push_back(platform::UnicodeToAnsi(u));
  }
  return out;
}

namespace {

bool Digit(char c) {
  return c >= '0' && c <= '9';
}

// Digits, '.' only between groups of three after the first group.
bool IntegerPart(std::string_view s, std::string& plain) {
  size_t group = 0;
  bool grouped = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (Digit(s[i])) {
      plain.push_back(s[i]);
      ++group;
    } else if (s[i] == '.' && group > 0 && (grouped ? group == 3 : group <= 3)) {
      grouped = true;
      group = 0;
    } else {
      return false;
    }
  }
  return group > 0 && (!grouped || group == 3);
}

}  // namespace

std::optional<double> GermanNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string plain;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    if (text.front() == '-') plain.push_back('-');
    text.remove_prefix(1);
  }
  std::string_view exponent;
  const size_t e = text.find_first_of("eE");
  if (e != std::string_view::npos) {
    exponent = text.substr(e + 1);
    text = text.substr(0, e);
    size_t k = (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) ? 1 : 0;
    if (k == exponent.size()) return std::nullopt;
    for (; k < exponent.size(); ++k) {
      if (!Digit(exponent[k])) return std::nullopt;
    }
  }
  const size_t comma = text.find(',');
  const std::string_view integer = text.substr(0, comma);
  if (!integer.empty() && !IntegerPart(integer, plain)) return std::nullopt;
  if (comma != std::string_view::npos) {
    const std::string_view decimals = text.substr(comma + 1);
    if (decimals.empty() && integer.empty()) return std::nullopt;
    plain.push_back('.');
    for (char c : decimals) {
      if (!Digit(c)) return std::nullopt;
      plain.push_back(c);
    }
  } else if (integer.empty()) {
    return std::nullopt;
  }
  if (!exponent.empty()) plain.append("e").append(exponent);
  double value = 0;
  const char* end = plain.data() + plain.size();
  const auto [ptr, ec] = std::from_chars(plain.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string OfficeFormula(std::string_view formula) {
  std::string out(formula);
  bool text = false;   // inside "..."
  bool sheet = false;  // inside a quoted sheet name '...'
  for (char& c : out) {
    if (c == '"' && !sheet) text = !text;
    if (c == '\'' && !text) sheet = !sheet;
    if (text || sheet) continue;
    if (c == ',') c = ';';
    if (c == '!') c = '.';
  }
  return out;
}

}  // namespace qrv::calc
