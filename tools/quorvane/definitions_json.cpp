#include "definitions_json.h"

#include "output.h"

namespace qrv::tool {

using nlohmann::ordered_json;

ordered_json KontenJson(const TKontoDefs& defs) {
  ordered_json list = ordered_json::array();
  for (int i = kKontoMin; i <= kKontoMax; ++i) {
    const KontoDef& d = defs[i];
    ordered_json k;
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
  return list;
}

ordered_json FehlzeitenJson(const TFehlzeiten& defs) {
  ordered_json all;
  for (int code = kFehlzeitMin; code <= kFehlzeitMax; ++code) {
    const FehlzeitDef& d = defs[code];
    ordered_json f;
    f["Name"] = Utf8(d.Name);
    f["Zeit"] = DurationText(d.Zeit);
    f["OhneZeit"] = d.OhneZeit;
    f["Option"] = d.Option;
    all[code == kFehlzeitNormal ? std::string("Normal") : std::string(1, char(code - 32))] = f;
  }
  return all;
}

namespace {

ordered_json TerminalJson(const TTerminalDef& t) {
  ordered_json j;
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

ordered_json StationsJson(const TStationList& stations) {
  ordered_json list = ordered_json::array();
  for (int i = 0; i < stations.Count(); ++i) {
    const TStation& s = stations[i];
    ordered_json j;
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
    ordered_json terminals = ordered_json::array();
    for (int t = 0; t < s.Terminals.Count(); ++t) terminals.push_back(TerminalJson(s.Terminals[t]));
    j["Terminals"] = terminals;
    list.push_back(j);
  }
  return list;
}

}  // namespace qrv::tool
