// quorvane: looks into an installation's data and runs the library's calculations on it.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "config/konfig.h"
#include "data_override.h"
#include "definitions_json.h"
#include "lib/library.h"
#include "output.h"
#include "platform/utf8.h"

namespace {

using nlohmann::ordered_json;
using qrv::tool::Utf8;

struct Options {
  std::string data;
  std::string format = "json";
};

// Builds the library's objects on this system, with the data folder of --data when given.
std::unique_ptr<qrv::TBibliothek> OpenInstallation(const Options& opt,
                                                   std::unique_ptr<qrv::platform::Registry>* hold) {
  qrv::platform::Platform p = qrv::platform::SystemPlatform();
  if (!opt.data.empty()) {
    *hold = std::make_unique<qrv::tool::DataPathOverride>(*p.registry,
                                                          qrv::platform::Utf8ToAnsi(opt.data));
    p.registry = hold->get();
  }
  return std::make_unique<qrv::TBibliothek>(p);
}

// The values of QUORVANE.INI: the installation section, captions, accounts, absences, stations.
void AddIniSettings(const qrv::TKonfig& k, ordered_json& j) {
  j["AuswOffset"] = k.AuswOffset;
  j["AufOffset"] = k.AufOffset;
  j["AuswInit"] = k.AuswInit;
  j["IsKlMonat"] = k.IsKlMonat;
  j["VerwJahreMin"] = k.VerwJahreMin;
  j["VerwJahreMax"] = k.VerwJahreMax;
  j["VerwStart"] = qrv::tool::DateText(k.VerwStart);
  j["VerwEnd"] = qrv::tool::DateText(k.VerwEnd);
  j["BarCheck"] = k.BarCheck;
  j["ExcelUsage"] = k.ExcelUsage;
  j["DoppelBuch"] = k.DoppelBuch;
  j["ASCIIFormat"] = k.ASCIIFormat;
  j["NFilialFormat"] = k.NFilialFormat;
  j["NFilialPersons"] = k.NFilialPersons;
  j["BuchStart"] = qrv::tool::DurationText(k.BuchStart);
  j["BuchIntv"] = qrv::tool::DurationText(k.BuchIntv);
  j["RuheStart"] = qrv::tool::DurationText(k.RuheStart);
  j["RuheIntv"] = qrv::tool::DurationText(k.RuheIntv);
  j["UpdIntv"] = qrv::tool::DurationText(k.UpdIntv);
  j["ZutTage"] = k.ZutTage;
  j["BuchMsg"] = k.BuchMsg;
  j["Watchdog"] = k.Watchdog;
  j["SonstigeTexte"] = {Utf8(k.SonstigeTexte(1)), Utf8(k.SonstigeTexte(2))};
  ordered_json captions = ordered_json::array();
  for (int n = 1; n <= 20; ++n) captions.push_back(Utf8(k.PersstammTexte(n)));
  j["PersstammTexte"] = captions;
  j["KontoAnzahl"] = k.KontoDefs.KontoAnzahl;
  j["KontoGrenze"] = k.KontoDefs.KontoGrenze;
  j["ZeitfensterAnzahl"] = k.KontoDefs.ZeitfensterAnzahl;
  j["Konten"] = qrv::tool::KontenJson(k.KontoDefs);
  j["Fehlzeiten"] = qrv::tool::FehlzeitenJson(k.Fehlzeiten);
  j["Stations"] = qrv::tool::StationsJson(k.Stations());
}

ordered_json ConfigJson(const qrv::TKonfig& k) {
  ordered_json j;
  j["DataPath"] = Utf8(k.DataPath);
  j["ProgramDir"] = Utf8(k.ProgramDir);
  j["PhotoDir"] = Utf8(k.PhotoDir);
  j["KonfigDir"] = Utf8(k.KonfigDir);
  j["IniFileDate"] = qrv::tool::DateTimeText(k.IniFileDate);
  j["StationNo"] = k.StationNo;
  j["StationName"] = Utf8(k.StationName);
  j["StationDataDir"] = Utf8(k.StationDataDir);
  j["NetUser"] = Utf8(k.NetUser);
  j["NetStationNumber"] = k.NetStationNumber;
  j["DCF77AtStart"] = k.DCF77AtStart;
  j["DCF77Active"] = k.DCF77Active;
  j["DCF77Start"] = qrv::tool::DurationText(k.DCF77Start);
  j["DCF77Time"] = qrv::tool::DurationText(k.DCF77Time);
  j["DCFComPort"] = k.DCFComPort;
  j["ServerAutostart"] = k.ServerAutostart;
  j["ServerAutostartTime"] = k.ServerAutostartTime;
  j["ServerMinTaskbar"] = k.ServerMinTaskbar;
  j["ServerTermInitAll"] = k.ServerTermInitAll;
  j["ServerTermInitStart"] = k.ServerTermInitStart;
  j["PollIntvSeconds"] = static_cast<int>(k.PollIntv * 86400 + 0.5);
  j["SyncStart"] = qrv::tool::DurationText(k.SyncStart);
  j["SyncTime"] = qrv::tool::DurationText(k.SyncTime);
  j["SyncAtStart"] = k.SyncAtStart;
  j["TermTimeWarn"] = k.TermTimeWarn;
  j["TermDebug"] = k.TermDebug;
  j["TermKommGeh"] = k.TermKommGeh;
  j["TermAllowTurbo"] = k.TermAllowTurbo;
  j["MaxTermTimeDiff"] = qrv::tool::DurationText(k.MaxTermTimeDiff);
  j["BrokerAutostart"] = k.BrokerAutostart;
  j["BrokerAutostartTime"] = k.BrokerAutostartTime;
  j["BrokerMinTaskbar"] = k.BrokerMinTaskbar;
  j["ViewFlags"] = k.ViewFlags;
  j["PersChkTime"] = k.PersChkTime;
  AddIniSettings(k, j);
  return j;
}

void PrintConfig(const Options& opt) {
  std::unique_ptr<qrv::platform::Registry> hold;
  auto lib = OpenInstallation(opt, &hold);
  ordered_json j = ConfigJson(lib->Konfig());
  if (opt.format == "text") {
    for (auto& [key, value] : j.items())
      std::cout << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump())
                << "\n";
  } else {
    std::cout << j.dump(2) << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"quorvane - look into a time-and-attendance installation's data"};
  app.require_subcommand(1);
  Options opt;
  app.add_option("--data", opt.data, "the installation's data folder (default: the registry's)");
  app.add_option("--format", opt.format, "json or text")->check(CLI::IsMember({"json", "text"}));
  auto* config = app.add_subcommand("config", "the loaded settings");
  config->callback([&] { PrintConfig(opt); });
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const std::exception& e) {
    std::cerr << "quorvane: " << Utf8(e.what()) << "\n";
    return 1;
  }
  return 0;
}
