// TKonfig: the library's one settings object. Built at start-up before any data file is touched;
// every other unit takes the data folder, the year range and the definitions from it.
//
// Load reads the installation's values from the registry key \Software\Quorvane, validates the
// data folder (it must hold QUORVANE.INI), reads the settings file and derives the folders and the
// current station.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "config/fehlzeiten.h"
#include "config/konto_defs.h"
#include "config/mem_ini.h"
#include "config/reg_ini.h"
#include "config/stations.h"
#include "platform/platform.h"
#include "util/datetime.h"

namespace qrv {

class TKonfig {
 public:
  // Opens the registry views and performs the machine-wide switch. Reads no settings.
  // invalidPathReported is the process-wide flag that keeps the invalid-data-path box to one
  // showing per process.
  TKonfig(const platform::Platform& platform, bool& invalidPathReported);
  ~TKonfig();
  TKonfig(const TKonfig&) = delete;
  TKonfig& operator=(const TKonfig&) = delete;

  // Registry, then the settings file, then the derived values (only when the settings file was
  // read completely). Exceptions propagate; the cursor is restored in every case.
  void Load();

  // The three passwords are kept scrambled; the routine is its own inverse.
  static std::string ScramblePassword(const std::string& text);

  // Values of the registry.
  TDateTime IniFileDate = -1;
  std::string ProgramDir;
  std::string DataPath;
  std::string PhotoDir;
  std::string KonfigDir;
  TDateTime VerwStart = 0;
  TDateTime VerwEnd = 0;
  TStation* CurrentStation = nullptr;
  std::string StationName;
  std::string StationDataDir;
  int32_t StationNo = 0;
  std::string NetUser;
  std::string WSPasswort, WBPasswort, WXPasswort;
  int32_t NetStationNumber = 0;
  bool DCF77AtStart = false, DCF77Active = false;
  double DCF77Start = 0, DCF77Time = 0;
  int32_t DCFComPort = 0;
  bool ServerAutostart = false, ServerMinTaskbar = false;
  bool ServerTermInitAll = false, ServerTermInitStart = false;
  int32_t ServerAutostartTime = 0;
  double PollIntv = 0;
  double SyncStart = 0, SyncTime = 0;
  bool SyncAtStart = false, TermTimeWarn = false, TermDebug = false, TermKommGeh = false;
  bool TermAllowTurbo = false;
  double MaxTermTimeDiff = 0;
  bool BrokerAutostart = false, BrokerMinTaskbar = false;
  int32_t BrokerAutostartTime = 0;
  uint8_t ViewFlags = 0;
  int32_t PersChkTime = 0;
  bool Loading = false;

  // Values of the settings file.
  int32_t AuswOffset = -1;
  int32_t AufOffset = 0;
  bool AuswInit = false;
  bool IsKlMonat = false;
  int32_t VerwJahreMin = 0;
  int32_t VerwJahreMax = 0;
  bool BarCheck = false;
  uint8_t ExcelUsage = 0;
  int32_t DoppelBuch = 0;
  bool ASCIIFormat = false, NFilialFormat = false, NFilialPersons = false;
  double BuchStart = 0, BuchIntv = 0, RuheStart = 0, RuheIntv = 0, UpdIntv = 0;
  int32_t ZutTage = 0;
  bool BuchMsg = false;
  int32_t Watchdog = -1;

  // The captions of the free fields: the two "other" captions, then the twenty of the person
  // record, in one table (entry 2 + n is person caption n).
  static constexpr int kCaptionLength = 30;
  std::array<std::string, 22> Freitexte;
  // Caption 1..2 of the other fields and 1..20 of the person record; empty outside the range.
  const std::string& SonstigeTexte(int n) const;
  const std::string& PersstammTexte(int n) const;

  TKontoDefs KontoDefs;
  TFehlzeiten Fehlzeiten;

  TStationList& Stations() { return stations_; }
  const TStationList& Stations() const { return stations_; }
  // The settings file as read (empty before Load); it stays in memory for the process.
  const TMemIniFile& IniFile() const { return *iniFile_; }
  const TRegistryIniFile& InstallationView() const { return *installView_; }
  const TRegistryIniFile& UserView() const { return *userView_; }

 private:
  void SwitchToMachine();
  void ReadRegistry();
  void ReadRadioClock(const TRegistryIniFile& reg);
  void ReadIniFile();
  void ValidateDataPath();
  void ReadInstallation(const TMemIniFile& ini);
  void CorrectYears(TMemIniFile& ini);
  void ReadCaptions(const TMemIniFile& ini);
  void DerivePaths();
  void ChooseStation();
  std::string DefaultStationDir() const;

  platform::Platform platform_;
  bool& invalidPathReported_;
  std::unique_ptr<TMemIniFile> iniFile_;
  std::unique_ptr<TRegistryIniFile> installView_;
  std::unique_ptr<TRegistryIniFile> userView_;
  TStationList stations_;
};

}  // namespace qrv
