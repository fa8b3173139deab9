#include "accounting/abrech_text.h"

#include <cstdio>

#include "util/texts.h"

namespace qrv {

std::string ZahlText(double wert) {
  char text[48];
  std::snprintf(text, sizeof text, "%.4f", wert);
  std::string s = text;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string DatumText(TDateTime datum) {
  uint16_t jahr = 0;
  uint16_t monat = 0;
  uint16_t tag = 0;
  DecodeDate(datum, &jahr, &monat, &tag);
  return ZeroPad(tag, 2) + "." + ZeroPad(monat, 2) + "." + ZeroPad(jahr, 4);
}

}  // namespace qrv
