// Text and locale facilities of the platform layer, over 8-bit ANSI text (code page 1252).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qrv::platform {

class Locale {
 public:
  virtual ~Locale() = default;
  // ANSI (1252) to OEM (850) and back, n bytes; src and dst may be the same buffer.
  virtual void ConvertAnsiToOem(const char* src, char* dst, size_t n) = 0;
  virtual void ConvertOemToAnsi(const char* src, char* dst, size_t n) = 0;
  // The locale's comparison of two texts without regard to case: <0, 0 or >0.
  virtual int CompareText(std::string_view a, std::string_view b) = 0;
  // Upper and lower case of ANSI text as the locale forms them.
  virtual std::string UpperCase(std::string_view s) = 0;
  virtual std::string LowerCase(std::string_view s) = 0;
  // The locale's short name of month 1..12 (before the start-up adjustment of March).
  virtual std::string ShortMonthName(int month) = 0;
  // The character between the whole part and the fraction of a number in the locale's format
  // ("1,5" in the German locale): decimal numbers in the settings are written with it.
  virtual char DecimalSeparator() = 0;
};

}  // namespace qrv::platform
