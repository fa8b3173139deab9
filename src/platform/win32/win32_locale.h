// The Windows build's locale: the system's own code pages, case mappings, comparison and month
// names, over ANSI (1252) text.
#pragma once

#include "platform/nls.h"

namespace qrv::platform {

class Win32Locale final : public Locale {
 public:
  void ConvertAnsiToOem(const char* src, char* dst, size_t n) override;
  void ConvertOemToAnsi(const char* src, char* dst, size_t n) override;
  int CompareText(std::string_view a, std::string_view b) override;
  std::string UpperCase(std::string_view s) override;
  std::string LowerCase(std::string_view s) override;
  std::string ShortMonthName(int month) override;
  // The first character of the user's LOCALE_SDECIMAL; ',' when the locale gives none.
  char DecimalSeparator() override;
};

}  // namespace qrv::platform
