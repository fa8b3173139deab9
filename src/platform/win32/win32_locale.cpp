#include "platform/win32/win32_locale.h"

#include <algorithm>
#include <climits>

#include "platform/win32/win32_api.h"

namespace qrv::platform {
namespace {

// The conversion and case calls take a DWORD count; longer texts go piece by piece.
constexpr size_t kMaxPiece = 1u << 30;

template <typename Call>
void InPieces(size_t n, Call call) {
  for (size_t done = 0; done < n;) {
    const size_t piece = std::min(n - done, kMaxPiece);
    call(done, static_cast<DWORD>(piece));
    done += piece;
  }
}

int CompareLength(std::string_view text) {
  return static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
}

}  // namespace

void Win32Locale::ConvertAnsiToOem(const char* src, char* dst, size_t n) {
  InPieces(n, [&](size_t at, DWORD count) { CharToOemBuffA(src + at, dst + at, count); });
}

void Win32Locale::ConvertOemToAnsi(const char* src, char* dst, size_t n) {
  InPieces(n, [&](size_t at, DWORD count) { OemToCharBuffA(src + at, dst + at, count); });
}

int Win32Locale::CompareText(std::string_view a, std::string_view b) {
  const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.empty() ? "" : a.data(),
                                    CompareLength(a), b.empty() ? "" : b.data(), CompareLength(b));
  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3; 0 is a failed call.
  if (result != 0) return result - CSTR_EQUAL;
  return a.compare(b);
}

std::string Win32Locale::UpperCase(std::string_view s) {
  std::string result(s);
  InPieces(result.size(),
           [&](size_t at, DWORD count) { CharUpperBuffA(result.data() + at, count); });
  return result;
}

std::string Win32Locale::LowerCase(std::string_view s) {
  std::string result(s);
  InPieces(result.size(),
           [&](size_t at, DWORD count) { CharLowerBuffA(result.data() + at, count); });
  return result;
}

std::string Win32Locale::ShortMonthName(int month) {
  if (month < 1 || month > 12) return {};
  char name[80];
  const int length =
      GetLocaleInfoA(LOCALE_USER_DEFAULT, static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + month - 1),
                     name, sizeof name);
  return length > 0 ? std::string(name, static_cast<size_t>(length - 1)) : std::string();
}

char Win32Locale::DecimalSeparator() {
  char separator[8];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                    static_cast<int>(sizeof separator));
  return length > 1 ? separator[0] : ',';
}

}  // namespace qrv::platform
