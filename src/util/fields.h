// Readers of delimited setting values ("Name;7:30;J;N"). Fields count from 1; a field that is
// missing or empty reads as the default, and none of the typed readers ever raises.
#pragma once

#include <cstdint>
#include <string>

namespace qrv {

// The n-th field of text split at separator; empty when text has fewer fields (field 2 of "a;;c"
// is empty too).
std::string GetField(const std::string& text, int n, char separator);
std::string GetFieldDef(const std::string& text, int n, char separator, const std::string& def);
// True when the field (def standing for "T" or "F") starts with one of "jJyYtTwW1".
bool GetFieldBool(const std::string& text, int n, char separator, bool def);
// The field as an integer (TryStrToInt); def when it is empty or does not convert.
int32_t GetFieldInt(const std::string& text, int n, char separator, int32_t def);
// The field as a number in the locale's format, decimalSeparator being the locale's (TryStrToFloat:
// "1,5" with the German ','); def when it does not convert.
double GetFieldFloat(const std::string& text, int n, char separator, double def,
                     char decimalSeparator);
// The field as a time text (StrToTimeSpan); def when it is empty or does not parse.
double GetFieldTime(const std::string& text, int n, char separator, double def);

// The first or last n characters; the whole text when it is shorter, empty for n <= 0.
std::string LeftChars(const std::string& text, int n);
std::string RightChars(const std::string& text, int n);

}  // namespace qrv
