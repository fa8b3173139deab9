#include "util/fields.h"

#include <string_view>

#include "util/datetime.h"
#include "util/errors.h"
#include "util/texts.h"

namespace qrv {

std::string GetField(const std::string& text, int n, char separator) {
  if (n < 1) return {};
  size_t start = 0;
  for (int field = 1; field < n; ++field) {
    size_t next = text.find(separator, start);
    if (next == std::string::npos) return {};
    start = next + 1;
  }
  size_t end = text.find(separator, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string GetFieldDef(const std::string& text, int n, char separator, const std::string& def) {
  std::string field = GetField(text, n, separator);
  return field.empty() ? def : field;
}

bool GetFieldBool(const std::string& text, int n, char separator, bool def) {
  std::string field = GetFieldDef(text, n, separator, BoolToTF(def));
  return std::string_view("jJyYtTwW1").find(field[0]) != std::string_view::npos;
}

int32_t GetFieldInt(const std::string& text, int n, char separator, int32_t def) {
  return StrToIntDef(GetField(text, n, separator), def);
}

double GetFieldFloat(const std::string& text, int n, char separator, double def,
                     char decimalSeparator) {
  double value = 0;
  return TryStrToFloat(GetField(text, n, separator), decimalSeparator, &value) ? value : def;
}

double GetFieldTime(const std::string& text, int n, char separator, double def) {
  std::string field = GetField(text, n, separator);
  if (field.empty()) return def;
  try {
    return StrToTimeSpan(field);
  } catch (const EConvertError&) {
    return def;
  }
}

std::string LeftChars(const std::string& text, int n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<size_t>(n));
}

std::string RightChars(const std::string& text, int n) {
  if (n <= 0) return {};
  size_t count = static_cast<size_t>(n);
  return count >= text.size() ? text : text.substr(text.size() - count);
}

}  // namespace qrv
