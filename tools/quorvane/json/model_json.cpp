#include "model_json.h"

#include "master/modell_record.h"

namespace qrv {

namespace {

using tool::DateJson;
using tool::DurationText;
using tool::Json;
using tool::Utf8;

Json Window(bool on, double von, double bis) {
  return {{"Aktiv", on}, {"Von", DurationText(von)}, {"Bis", DurationText(bis)}};
}

void AddTimes(const Tagesprofil& t, Json& j) {
  j["Mitternacht"] = t.Mitternacht;
  j["Soll"] = DurationText(t.Soll);
  j["HatTagWert1"] = t.HatTagWert1;
  j["TagWert1"] = DurationText(t.TagWert1);
  j["HatTagWert2"] = t.HatTagWert2;
  j["TagWert2"] = DurationText(t.TagWert2);
  j["HatFeiertagszeit"] = t.HatFeiertagszeit;
  j["Feiertagszeit"] = DurationText(t.Feiertagszeit);
  j["HatAutoKommen"] = t.HatAutoKommen;
  j["AutoKommen"] = DurationText(t.AutoKommen);
  j["HatTagesende"] = t.HatTagesende;
  j["Tagesende"] = DurationText(t.Tagesende);
  j["HatAbzug1"] = t.HatAbzug1;
  j["Abzug1"] = DurationText(t.Abzug1);
  j["HatAbzug2"] = t.HatAbzug2;
  j["Abzug2"] = DurationText(t.Abzug2);
  j["RundFlags"] = t.RundFlags;
  j["RundRaster"] = DurationText(t.RundRaster);
  j["RundGehen"] = DurationText(t.RundGehen);
  j["RundKommen"] = DurationText(t.RundKommen);
}

void AddWindows(const Tagesprofil& t, Json& j) {
  j["RundFrei"] = Window(t.RundFrei, t.RundFreiVon, t.RundFreiBis);
  j["Rahmen"] = Window(t.HatRahmen, t.RahmenVon, t.RahmenBis);
  j["Kernzeit"] = Window(t.HatKernzeit, t.KernBeginn, t.KernEnde);
  j["Spanne"] = Window(t.HatSpanne, t.SpanneVon, t.SpanneBis);
  j["Fenster4"] = Window(t.HatFenster4, t.Fenster4Von, t.Fenster4Bis);
  Json pausen = Json::array();
  for (const TZeitfenster& p : t.Pausen) pausen.push_back(Window(p.Aktiv, p.Von, p.Bis));
  j["Pausen"] = pausen;
  Json regeln = Json::array();
  for (int i = 0; i < kRegelAnzahl; ++i) {
    const TPausenRegel r = t.Regeln[i];
    regeln.push_back({{"Typ", r.Typ},
                      {"Von", DurationText(r.Von)},
                      {"Bis", DurationText(r.Bis)},
                      {"RegelSchwelle", DurationText(t.RegelSchwelle[i])},
                      {"RegelMinuten", DurationText(t.RegelMinuten[i])}});
  }
  j["Regeln"] = regeln;
  Json c = Json::array();
  for (const TFensterC& f : t.FensterC) {
    c.push_back({{"Param1", f.Param1},
                 {"Param2", f.Param2},
                 {"Von", DurationText(f.Von)},
                 {"Bis", DurationText(f.Bis)}});
  }
  j["FensterC"] = c;
  Json konten = Json::array();
  for (const TKontofenster& k : t.Kontofenster) {
    konten.push_back({{"Von", DurationText(k.Von)},
                      {"Bis", DurationText(k.Bis)},
                      {"Art", k.Art},
                      {"Minuten", DurationText(k.Minuten)}});
  }
  j["Kontofenster"] = konten;
}

}  // namespace

void to_json(Json& j, const Tagesprofil& t) {
  j = Json::object();
  AddTimes(t, j);
  AddWindows(t, j);
}

void to_json(Json& j, const ModellVersion& v) {
  j = Json::object();
  j["Name"] = Utf8(ModellName(v));
  j["Nummer"] = v.Nummer;
  j["SortDatum"] = DateJson(v.SortDatum);
  j["StartDatum"] = DateJson(v.StartDatum);
  j["JedesJahr"] = v.JedesJahr;
  Json profile = Json::array();
  for (const Tagesprofil& t : v.Profil) profile.push_back(t);
  j["Profil"] = profile;
}

}  // namespace qrv
