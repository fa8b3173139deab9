// The German locale of the installations' machines, built from tables over code page 1252:
// ANSI 1252 <-> OEM 850 exactly as Windows converts every byte, the case mappings of 1252, and a
// case-insensitive comparison that agrees with the Windows user-locale comparison (umlauts after
// their base letter, sharp s equal to "ss", hyphen and apostrophe ignored unless all else is
// equal). The Linux build's locale and the test doubles use it.
#pragma once

#include "platform/nls.h"

namespace qrv::platform {

class TableLocale final : public Locale {
 public:
  void ConvertAnsiToOem(const char* src, char* dst, size_t n) override;
  void ConvertOemToAnsi(const char* src, char* dst, size_t n) override;
  int CompareText(std::string_view a, std::string_view b) override;
  std::string UpperCase(std::string_view s) override;
  std::string LowerCase(std::string_view s) override;
  std::string ShortMonthName(int month) override;
  // The German ','.
  char DecimalSeparator() override;
};

}  // namespace qrv::platform
