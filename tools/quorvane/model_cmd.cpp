// quorvane model M [--date YYYY-MM-DD]: every version of a model with all profile fields, or
// with --date the version and profile that hold on that date. Loading a model that does not
// exist yet creates it from model 1, as the library does.
#include "model_cmd.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "holidays/feiertag_file.h"
#include "master/modell.h"
#include "output.h"
#include "plans/planvorlage.h"

namespace qrv::tool {

namespace {

using nlohmann::ordered_json;

ordered_json Window(bool on, double von, double bis) {
  return {{"Aktiv", on}, {"Von", DurationText(von)}, {"Bis", DurationText(bis)}};
}

void AddTimes(const Tagesprofil& t, ordered_json& j) {
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

void AddWindows(const Tagesprofil& t, ordered_json& j) {
  j["RundFrei"] = Window(t.RundFrei, t.RundFreiVon, t.RundFreiBis);
  j["Rahmen"] = Window(t.HatRahmen, t.RahmenVon, t.RahmenBis);
  j["Kernzeit"] = Window(t.HatKernzeit, t.KernBeginn, t.KernEnde);
  j["Spanne"] = Window(t.HatSpanne, t.SpanneVon, t.SpanneBis);
  j["Fenster4"] = Window(t.HatFenster4, t.Fenster4Von, t.Fenster4Bis);
  ordered_json pausen = ordered_json::array();
  for (const TZeitfenster& p : t.Pausen) pausen.push_back(Window(p.Aktiv, p.Von, p.Bis));
  j["Pausen"] = pausen;
  ordered_json regeln = ordered_json::array();
  for (int i = 0; i < kRegelAnzahl; ++i) {
    const TPausenRegel r = t.Regeln[i];
    regeln.push_back({{"Typ", r.Typ},
                      {"Von", DurationText(r.Von)},
                      {"Bis", DurationText(r.Bis)},
                      {"RegelSchwelle", DurationText(t.RegelSchwelle[i])},
                      {"RegelMinuten", DurationText(t.RegelMinuten[i])}});
  }
  j["Regeln"] = regeln;
  ordered_json c = ordered_json::array();
  for (const TFensterC& f : t.FensterC) {
    c.push_back({{"Param1", f.Param1},
                 {"Param2", f.Param2},
                 {"Von", DurationText(f.Von)},
                 {"Bis", DurationText(f.Bis)}});
  }
  j["FensterC"] = c;
  ordered_json konten = ordered_json::array();
  for (const TKontofenster& k : t.Kontofenster) {
    konten.push_back({{"Von", DurationText(k.Von)},
                      {"Bis", DurationText(k.Bis)},
                      {"Art", k.Art},
                      {"Minuten", DurationText(k.Minuten)}});
  }
  j["Kontofenster"] = konten;
}

ordered_json ProfilJson(const Tagesprofil& t) {
  ordered_json j;
  AddTimes(t, j);
  AddWindows(t, j);
  return j;
}

ordered_json VersionJson(const ModellVersion& v) {
  ordered_json j;
  j["Name"] = Utf8(ModellName(v));
  j["Nummer"] = v.Nummer;
  j["SortDatum"] = DateText(v.SortDatum);
  j["StartDatum"] = DateText(v.StartDatum);
  j["JedesJahr"] = v.JedesJahr;
  ordered_json profile = ordered_json::array();
  for (const Tagesprofil& t : v.Profil) profile.push_back(ProfilJson(t));
  j["Profil"] = profile;
  return j;
}

TDateTime ParseDate(const std::string& text) {
  int y = 0, m = 0, d = 0;
  char rest = 0;
  TDateTime out = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &rest) != 3 ||
      !TryEncodeDate(y, m, d, &out)) {
    throw std::runtime_error("--date: no date of the form YYYY-MM-DD: " + text);
  }
  return out;
}

void Run(const Options& options, int nummer, const std::string& date) {
  const TDateTime datum = date.empty() ? 0 : ParseDate(date);
  Installation inst(options);
  TModell modell(inst.Lib().ModellFile(), inst.Lib().FeiertagKalender(), inst.Lib().PlanvorlFile());
  modell.Load(nummer);
  ordered_json j;
  j["Modell"] = nummer;
  if (date.empty()) {
    ordered_json versionen = ordered_json::array();
    for (int32_t i = 0; i < modell.VersionCount(); ++i)
      versionen.push_back(VersionJson(modell.Version(i)));
    j["Versionen"] = versionen;
  } else {
    const TModellTag tag = modell.ProfilFuerDatum(datum);
    j["Datum"] = DateText(datum);
    j["Version"] = Utf8(ModellName(*tag.Version));
    j["Nummer"] = tag.Version->Nummer;
    j["ProfilNr"] = tag.ProfilNr;
    j["Profil"] = ProfilJson(tag.Profil());
  }
  Print(options, j);
}

}  // namespace

void AddModelCommand(CLI::App& app, const Options& options) {
  auto* cmd = app.add_subcommand("model", "a working-time model's versions and day profiles");
  auto nummer = std::make_shared<int>(0);
  auto date = std::make_shared<std::string>();
  cmd->add_option("M", *nummer, "the model number (1-999, 9000)")
      ->required()
      ->check(CLI::Range(1, 9999));
  cmd->add_option("--date", *date, "show only the version and profile of this date (YYYY-MM-DD)");
  cmd->callback([&options, nummer, date] { Run(options, *nummer, *date); });
}

}  // namespace qrv::tool
