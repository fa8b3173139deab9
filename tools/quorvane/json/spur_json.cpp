#include "spur_json.h"

#include <algorithm>
#include <cctype>

#include "json/abrech_tag_json.h"

namespace qrv::tool {

namespace {

bool StartsWith(const std::string& s, const char* prefix) {
  return s.rfind(prefix, 0) == 0;
}

bool IstZahl(const std::string& s) {
  return !s.empty() && s.size() <= 2 &&
         std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(uint8_t(c)) != 0; });
}

}  // namespace

SpurEinheit EinheitVon(const std::string& position, double wert) {
  // A kind is a byte, a time of the list a date-time of these centuries.
  if (StartsWith(position, "Paare[")) {
    return wert > 255 ? SpurEinheit::kZeitpunkt : SpurEinheit::kZahl;
  }
  if (IstZahl(position)) {
    const int pos = std::stoi(position);
    return pos >= 1 && pos <= 60 ? SpurEinheit::kDauer : SpurEinheit::kZahl;
  }
  // The day accounts, break rules, balances and weekly sums are times; shares, counters, the
  // list's length and the status word are numbers.
  for (const char* zeit : {"TagKonto", "Regel[", "MonSaldo", "MonTagKonto", "MonKonto",
                           "WochenLauf", "WochenSumme", "TagErgebnis"}) {
    if (StartsWith(position, zeit)) return SpurEinheit::kDauer;
  }
  return SpurEinheit::kZahl;
}

Json SpurWertJson(const std::string& position, double wert) {
  switch (EinheitVon(position, wert)) {
    case SpurEinheit::kDauer:
      return DurationText(wert);
    case SpurEinheit::kZeitpunkt:
      return ZeitpunktText(wert);
    case SpurEinheit::kZahl:
      break;
  }
  return wert;
}

}  // namespace qrv::tool

namespace qrv {

void to_json(tool::Json& j, const TSpurEintrag& e) {
  j = tool::Json::object();
  j["Schritt"] = e.Schritt;
  j["Position"] = tool::Utf8(e.Position);
  j["Wert"] = tool::SpurWertJson(e.Position, e.Wert);
  j["Regel"] = tool::Utf8(e.Regel);
}

}  // namespace qrv
