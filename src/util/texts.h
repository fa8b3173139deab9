// Number texts, choices and the barcode text of identity cards. Texts are ANSI (1252).
#pragma once

#include <cstdint>
#include <string>

namespace qrv {

// Integer text as the host runtime reads it: an optional sign, then decimal digits, or hex digits
// after "$" or "0x". No blanks, nothing after the digits. A decimal value outside the 32-bit range
// fails; a hex value may use all 32 bits ("$FFFFFFFF" is -1) and fails beyond them.
bool TryStrToInt(const std::string& text, int32_t* out);
int32_t StrToIntDef(const std::string& text, int32_t def);

// Floating-point text in the locale's format: an optional sign, digits with decimalSeparator
// between the whole part and the fraction, and an optional exponent ("1,5", "-2", ",5", "1,5E3"
// with the German ','). Any other separator fails (with ',', "1.5" does); so do blanks, thousands
// separators, "inf" and "nan". A value beyond the double range fails.
bool TryStrToFloat(const std::string& text, char decimalSeparator, double* out);

// The decimal digits of number, zero-padded on the left to width and cut to the last width
// digits; a negative number gives "-" and the last width - 1 digits of its absolute value. The
// width is taken as 0..10.
std::string ZeroPad(int32_t number, int width);

// Hex digits (either case) to a 32-bit value, wrapping beyond 32 bits; empty gives 0. Raises
// EConvertError "Ung\xFCltige Hexadezimalzahl" on any other character.
int32_t HexToInt(const std::string& text);

// text without the blanks and control characters (every byte up to ' ') at both ends.
std::string Trim(const std::string& text);

// "name, F." for a first name "Fritz"; name alone when first is empty.
std::string NameWithInitial(const std::string& name, const std::string& first);

// The text that prints number as an interleaved 2-of-5 barcode in the card printer's barcode
// font: a start character, one character per digit pair, a stop character. The digits are
// ZeroPad(number, width); withCheck appends the weighted (3, 1, 3, ...) check digit. A "-" of a
// negative number is drawn as a 0 digit.
std::string BarcodeText(int32_t number, int width, bool withCheck);

// The prefix of a record's name when it was created as a copy of the installation's first record
// of its kind (a model, a plan template or a calculation template that was missing).
inline constexpr char kAutoKopieVon[] = "AutoKopie von ";

inline int32_t IfInt(bool flag, int32_t a, int32_t b) {
  return flag ? a : b;
}
inline double IfFloat(bool flag, double a, double b) {
  return flag ? a : b;
}
inline std::string IfStr(bool flag, const std::string& a, const std::string& b) {
  return flag ? a : b;
}
inline int32_t BoolToInt(bool flag) {
  return flag ? 1 : 0;
}
inline std::string BoolToTF(bool flag) {
  return flag ? "T" : "F";
}
// The first character of the two-character pair when flag is set, else the second; a missing
// character of a shorter pair is a blank.
char BoolChar(bool flag, const std::string& pair);

}  // namespace qrv
