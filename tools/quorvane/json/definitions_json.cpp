#include "definitions_json.h"

namespace qrv {

using tool::DurationText;
using tool::Json;
using tool::Utf8;

void to_json(Json& list, const TKontoDefs& defs) {
  list = Json::array();
  for (int i = kKontoMin; i <= kKontoMax; ++i) {
    const KontoDef& d = defs[i];
    Json k;
    k["Nummer"] = i;
    k["Name"] = Utf8(d.Name);
    k["Art"] = d.Art;
    k["ArtName"] = Utf8(KontoArtName(d.Art));
    k["Zeichen"] = Utf8(std::string(1, d.Zeichen));
    k["Wert"] = d.Wert;
    k["Format"] = d.Format;
    k["FormatName"] = Utf8(KontoFormatName(d.Format));
    k["SumKonto"] = d.SumKonto;
    k["SumFaktor"] = d.SumFaktor;
    list.push_back(k);
  }
}

void to_json(Json& all, const TFehlzeiten& defs) {
  all = Json::object();
  for (int code = kFehlzeitMin; code <= kFehlzeitMax; ++code) {
    const FehlzeitDef& d = defs[code];
    Json f;
    f["Name"] = Utf8(d.Name);
    f["Zeit"] = DurationText(d.Zeit);
    f["OhneZeit"] = d.OhneZeit;
    f["Option"] = d.Option;
    all[code == kFehlzeitNormal ? std::string("Normal") : std::string(1, char(code - 32))] = f;
  }
}

namespace {

Json TerminalJson(const TTerminalDef& t) {
  Json j = Json::object();
  j["Typ"] = t.Typ;
  j["Modell"] = Utf8(TerminalModelName(t.Typ));
  j["Buchstabe"] = std::string(1, t.Buchstabe);
  j["Port"] = t.Port;
  j["Netz"] = t.Netz;
  j["Bezeichnung"] = Utf8(t.Bezeichnung);
  j["Text5"] = Utf8(t.Text5);
  j["Text6"] = Utf8(t.Text6);
  j["Wert7"] = t.Wert7;
  j["Text8"] = Utf8(t.Text8);
  j["Text9"] = Utf8(t.Text9);
  j["Zeit10"] = DurationText(t.Zeit10);
  j["Zeit11"] = DurationText(t.Zeit11);
  j["Wert12"] = t.Wert12;
  j["Wert13"] = t.Wert13;
  return j;
}

}  // namespace

void to_json(Json& list, const TStationList& stations) {
  list = Json::array();
  for (int i = 0; i < stations.Count(); ++i) {
    const TStation& s = stations[i];
    Json j;
    j["Nummer"] = s.Nummer;
    j["Name"] = Utf8(s.Name);
    j["Verzeichnis1"] = Utf8(s.Verzeichnis1);
    j["Verzeichnis2"] = Utf8(s.Verzeichnis2);
    j["Intervall"] = DurationText(s.Intervall);
    j["Aktiv1"] = s.Aktiv1;
    j["Aktiv2"] = s.Aktiv2;
    j["Anzahl"] = s.Anzahl;
    j["Zusatz"] = s.Zusatz;
    j["Zeit1"] = DurationText(s.Zeit1);
    j["Zeit2"] = DurationText(s.Zeit2);
    j["Zeit3"] = DurationText(s.Zeit3);
    Json terminals = Json::array();
    for (int t = 0; t < s.Terminals.Count(); ++t) terminals.push_back(TerminalJson(s.Terminals[t]));
    j["Terminals"] = terminals;
    list.push_back(j);
  }
}

}  // namespace qrv
