#include "settings_json.h"

#include "json/definitions_json.h"

namespace qrv {

namespace {

using tool::DateJson;
using tool::DateTimeJson;
using tool::DurationText;
using tool::Json;
using tool::Utf8;

// The values of QUORVANE.INI: the installation section, captions, accounts, absences, stations.
void AddIniSettings(const TKonfig& k, Json& j) {
  j["AuswOffset"] = k.AuswOffset;
  j["AufOffset"] = k.AufOffset;
  j["AuswInit"] = k.AuswInit;
  j["IsKlMonat"] = k.IsKlMonat;
  j["VerwJahreMin"] = k.VerwJahreMin;
  j["VerwJahreMax"] = k.VerwJahreMax;
  j["VerwStart"] = DateJson(k.VerwStart);
  j["VerwEnd"] = DateJson(k.VerwEnd);
  j["BarCheck"] = k.BarCheck;
  j["ExcelUsage"] = k.ExcelUsage;
  j["DoppelBuch"] = k.DoppelBuch;
  j["ASCIIFormat"] = k.ASCIIFormat;
  j["NFilialFormat"] = k.NFilialFormat;
  j["NFilialPersons"] = k.NFilialPersons;
  j["BuchStart"] = DurationText(k.BuchStart);
  j["BuchIntv"] = DurationText(k.BuchIntv);
  j["RuheStart"] = DurationText(k.RuheStart);
  j["RuheIntv"] = DurationText(k.RuheIntv);
  j["UpdIntv"] = DurationText(k.UpdIntv);
  j["ZutTage"] = k.ZutTage;
  j["BuchMsg"] = k.BuchMsg;
  j["Watchdog"] = k.Watchdog;
  j["SonstigeTexte"] = {Utf8(k.SonstigeTexte(1)), Utf8(k.SonstigeTexte(2))};
  Json captions = Json::array();
  for (int n = 1; n <= 20; ++n) captions.push_back(Utf8(k.PersstammTexte(n)));
  j["PersstammTexte"] = captions;
  j["KontoAnzahl"] = k.KontoDefs.KontoAnzahl;
  j["KontoGrenze"] = k.KontoDefs.KontoGrenze;
  j["ZeitfensterAnzahl"] = k.KontoDefs.ZeitfensterAnzahl;
  j["Konten"] = k.KontoDefs;
  j["Fehlzeiten"] = k.Fehlzeiten;
  j["Stations"] = k.Stations();
}

}  // namespace

void to_json(Json& j, const TKonfig& k) {
  j = Json::object();
  j["DataPath"] = Utf8(k.DataPath);
  j["ProgramDir"] = Utf8(k.ProgramDir);
  j["PhotoDir"] = Utf8(k.PhotoDir);
  j["KonfigDir"] = Utf8(k.KonfigDir);
  j["IniFileDate"] = DateTimeJson(k.IniFileDate);
  j["StationNo"] = k.StationNo;
  j["StationName"] = Utf8(k.StationName);
  j["StationDataDir"] = Utf8(k.StationDataDir);
  j["NetUser"] = Utf8(k.NetUser);
  j["NetStationNumber"] = k.NetStationNumber;
  j["DCF77AtStart"] = k.DCF77AtStart;
  j["DCF77Active"] = k.DCF77Active;
  j["DCF77Start"] = DurationText(k.DCF77Start);
  j["DCF77Time"] = DurationText(k.DCF77Time);
  j["DCFComPort"] = k.DCFComPort;
  j["ServerAutostart"] = k.ServerAutostart;
  j["ServerAutostartTime"] = k.ServerAutostartTime;
  j["ServerMinTaskbar"] = k.ServerMinTaskbar;
  j["ServerTermInitAll"] = k.ServerTermInitAll;
  j["ServerTermInitStart"] = k.ServerTermInitStart;
  j["PollIntvSeconds"] = static_cast<int>(k.PollIntv * 86400 + 0.5);
  j["SyncStart"] = DurationText(k.SyncStart);
  j["SyncTime"] = DurationText(k.SyncTime);
  j["SyncAtStart"] = k.SyncAtStart;
  j["TermTimeWarn"] = k.TermTimeWarn;
  j["TermDebug"] = k.TermDebug;
  j["TermKommGeh"] = k.TermKommGeh;
  j["TermAllowTurbo"] = k.TermAllowTurbo;
  j["MaxTermTimeDiff"] = DurationText(k.MaxTermTimeDiff);
  j["BrokerAutostart"] = k.BrokerAutostart;
  j["BrokerAutostartTime"] = k.BrokerAutostartTime;
  j["BrokerMinTaskbar"] = k.BrokerMinTaskbar;
  j["ViewFlags"] = k.ViewFlags;
  j["PersChkTime"] = k.PersChkTime;
  AddIniSettings(k, j);
}

}  // namespace qrv
