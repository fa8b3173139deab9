#include "abrech_tag_json.h"

#include <string>

#include "accounting/tag_ergebnis.h"
#include "master/tag_status.h"
#include "output/messages.h"

namespace qrv::tool {

std::string ZeitpunktText(TDateTime t) {
  // Seconds are dropped: the evaluated list holds whole minutes.
  const std::string s = DateTimeText(t);
  return s.substr(0, s.size() - 3);
}

Json TagErgebnisJson(const TMonatTag& tag, const std::vector<int>& konten) {
  Json j = Json::object();
  for (int pos = tpAnwesenheit; pos <= tpZusatz; ++pos) {
    j[std::to_string(pos)] = DurationText(Ergebnis(tag, pos));
  }
  for (int k : konten) {
    if (k >= tpKonto1 && k <= tpKonto40) j[std::to_string(k)] = DurationText(Ergebnis(tag, k));
  }
  return j;
}

namespace {

Json PaareJson(const TMonatTag& tag) {
  Json paare = Json::array();
  for (int i = 0; i < tag.Paarzahl(); ++i) {
    const TBuchung b = tag.Paare[i];
    paare.push_back({{"Zeit", ZeitpunktText(b.Zeit)}, {"Art", b.Art}, {"Code2", b.Code2}});
  }
  return paare;
}

Json StatusTextJson(uint16_t status) {
  Json lines = Json::array();
  for (const std::string& line : SplitLines(StatusText(status))) {
    if (!line.empty()) lines.push_back(Utf8(line));
  }
  return lines;
}

}  // namespace

void to_json(Json& j, const AbrechTagAnsicht& t) {
  const TMonatTag& tag = *t.Daten;
  const TTagRest rest = tag.TagRest;
  j = Json::object();
  j["Datum"] = DateText(t.Datum);
  j["Fehlzeit"] = tag.Fehlzeit > ' ' ? Utf8(std::string(1, tag.Fehlzeit)) : "";
  j["Paare"] = PaareJson(tag);
  j["Status"] = tag.Status;
  j["StatusText"] = StatusTextJson(tag.Status);
  j["TagErgebnis"] = TagErgebnisJson(tag, t.Konten);
  j["TagKontoErgebnis"] = DurationsJson(tag.TagKontoErgebnis, kTagKonten);
  j["AnteilA"] = rest.AnteilA;
  j["AnteilB"] = rest.AnteilB;
  j["Arbeitstag"] = rest.Arbeitstag;
  j["Feiertag"] = rest.Feiertag;
  j["WochenLauf"] = DurationText(rest.WochenLauf);
}

}  // namespace qrv::tool
