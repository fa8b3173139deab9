// Time texts and delimited setting values come from settings files anyone can edit: the parsers
// must answer a value or their conversion error for every input, and the field readers must never
// raise at all.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "util/datetime.h"
#include "util/errors.h"
#include "util/fields.h"
#include "util/texts.h"

namespace {

void CheckTimeText(const std::string& text) {
  try {
    if (!std::isfinite(qrv::StrToTimeSpan(text))) std::abort();
  } catch (const qrv::EConvertError&) {
  }
  try {
    qrv::HexToInt(text);
  } catch (const qrv::EConvertError&) {
  }
}

// The first byte picks the separator and the field number; the rest is the setting value.
void CheckFields(const std::string& value, char separator, int n) {
  qrv::GetFieldDef(value, n, separator, "x");
  qrv::GetFieldBool(value, n, separator, true);
  qrv::GetFieldInt(value, n, separator, -1);
  if (!std::isfinite(qrv::GetFieldTime(value, n, separator, 0))) std::abort();
  double f = qrv::GetFieldFloat(value, n, separator, 0, n % 2 == 0 ? ',' : '.');
  if (std::isnan(f)) std::abort();
  qrv::LeftChars(value, n);
  qrv::RightChars(value, n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  CheckTimeText(text);
  if (size == 0) return 0;
  const char separators[] = {';', ',', ':', '|'};
  char separator = separators[data[0] & 3];
  int n = (data[0] >> 2) % 8;
  CheckFields(text.substr(1), separator, n);
  return 0;
}
