#include "config/konfig.h"

#include <array>

#include "config/qregistry.h"
#include "platform/files.h"
#include "util/errors.h"
#include "util/fields.h"
#include "util/fileprobe.h"
#include "util/paths.h"
#include "util/texts.h"

namespace qrv {

using platform::RegRoot;

namespace {

const char kRegistryKey[] = "Software\\Quorvane";
const char kInstallation[] = "Installation";
const char kAnzeige[] = "Anzeige";
const char kIniName[] = "QUORVANE.INI";
const char kFreitexte[] = "Freitexte";
// Read in place of a missing AuswOffset: no installation sets this offset.
constexpr int32_t kMissingMarker = 123456789;
// A watchdog that is on checks at most every 15 seconds.
constexpr int32_t kMinWatchdog = 15;
const char kInvalidPath[] =
    "Ung\xFC"
    "ltiger Datenpfad: ";
const char kPleaseReset[] = "\r\nBitte neu einstellen!";

constexpr uint8_t kViewFlagPersView = 4;

// Built-in passwords, kept scrambled like the stored ones.
const char kDefaultWS[] = "ZEI";
const char kDefaultWX[] = "SYSTEM";
constexpr std::array<uint8_t, 4> kScrambleKey = {0x5A, 0x13, 0x6C, 0x2E};

// The station switch "S:<n>" on the host's command line makes this workstation that station.
bool IsStationParameter(const std::string& upper) {
  return upper.rfind("S:", 0) == 0;
}

}  // namespace

TKonfig::TKonfig(const platform::Platform& platform, bool& invalidPathReported)
    : platform_(platform),
      invalidPathReported_(invalidPathReported),
      iniFile_(std::make_unique<TMemIniFile>()) {
  userView_ =
      std::make_unique<TRegistryIniFile>(*platform_.registry, RegRoot::kCurrentUser, kRegistryKey);
  installView_ =
      std::make_unique<TRegistryIniFile>(*platform_.registry, RegRoot::kCurrentUser, kRegistryKey);
  if (userView_->ReadBool("", "Install_Local_Machine", false)) SwitchToMachine();
}

TKonfig::~TKonfig() = default;

void TKonfig::SwitchToMachine() {
  // A machine that is switched over takes the user's installation tree along, once: a machine
  // tree that already exists is never overwritten.
  const std::string tree = std::string("\\") + kRegistryKey + "\\" + kInstallation;
  TQRegistry reg(*platform_.registry, kKeyAllAccess);
  reg.SetRootKey(RegRoot::kLocalMachine);
  const bool machineTree = reg.GetKey(tree).has_value();
  reg.SetRootKey(RegRoot::kCurrentUser);
  const bool move = !machineTree && reg.GetKey(tree).has_value();
  // A read-only registry cannot take the tree along: the values are read where they are.
  if (move && platform_.registry->ReadOnly()) return;
  installView_ =
      std::make_unique<TRegistryIniFile>(*platform_.registry, RegRoot::kLocalMachine, kRegistryKey);
  if (move) {
    reg.MoveKeyBetweenRoots(RegRoot::kCurrentUser, RegRoot::kLocalMachine, true, tree, tree);
  }
}

std::string TKonfig::ScramblePassword(const std::string& text) {
  std::string out(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    uint8_t c = static_cast<uint8_t>(text[i]);
    if (c == 128) c = 0;
    c ^= kScrambleKey[(i + 1) % 4];
    out[i] = static_cast<char>(c == 0 ? 128 : c);
  }
  return out;
}

void TKonfig::Load() {
  struct Hourglass {
    platform::UserInterface& ui;
    explicit Hourglass(platform::UserInterface& u) : ui(u) { ui.SetHourglass(true); }
    ~Hourglass() { ui.SetHourglass(false); }
  } hourglass(*platform_.ui);
  ReadRegistry();
  ReadIniFile();
  if (!Loading) DerivePaths();
}

void TKonfig::ReadRegistry() {
  const TRegistryIniFile& reg = *installView_;
  const std::string s = kInstallation;
  platform_.ui->SelectPrinter(reg.ReadString(s, "Drucker", ""));
  WSPasswort = reg.ReadString(s, "WSPasswort", ScramblePassword(kDefaultWS));
  WBPasswort = reg.ReadString(s, "WBPasswort", ScramblePassword(""));
  WXPasswort = reg.ReadString(s, "WXPasswort", ScramblePassword(kDefaultWX));
  NetUser = reg.ReadString(s, "NetUser", "");
  DataPath = WithBackslash(reg.ReadString(s, "DataPath", ""));
  NetStationNumber = reg.ReadInteger(s, "NetStationNumber", 0);
  std::string param = platform_.locale->UpperCase(platform_.host->FirstParameter());
  if (IsStationParameter(param)) {
    StationNo = StrToIntDef(GetField(param, 2, ':'), 1);
    DCF77AtStart = DCF77Active = false;
    DCF77Start = DCF77Time = 0;
    DCFComPort = 0;
  } else {
    StationNo = NetStationNumber;
    ReadRadioClock(reg);
  }
  if (DCF77Time == 0) DCF77Time = MinutesToTime(60);
  ServerAutostart = reg.ReadBool(s, "ServerAutostart", false);
  ServerAutostartTime = reg.ReadInteger(s, "ServerAutostartTime", 10);
  ServerMinTaskbar = reg.ReadBool(s, "ServerMinTaskbar", false);
  ServerTermInitAll = reg.ReadBool(s, "ServerTermInitAll", false);
  ServerTermInitStart = reg.ReadBool(s, "ServerTermInitStart", true);
  PollIntv = SecondsToTime(reg.ReadInteger(s, "PollIntv", 10));
  SyncStart = MinutesToTime(reg.ReadInteger(s, "SyncStart", 55));
  SyncTime = MinutesToTime(reg.ReadInteger(s, "SyncTime", 60));
  SyncAtStart = reg.ReadBool(s, "SyncAtStart", true);
  TermTimeWarn = reg.ReadBool(s, "TermTimeWarn", true);
  TermDebug = reg.ReadBool(s, "TermDebug", false);
  TermKommGeh = reg.ReadBool(s, "TermKommGeh", false);
  TermAllowTurbo = reg.ReadBool(s, "TermAllowTurbo", true);
  MaxTermTimeDiff = MinutesToTime(reg.ReadInteger(s, "MaxTermTimeDiff", 45));
  ViewFlags = static_cast<uint8_t>(userView_->ReadInteger(kAnzeige, "ViewFlags", 11) & 0xFF);
  ViewFlags &= static_cast<uint8_t>(~(1u << kViewFlagPersView));
  if (param == "-PERSVIEW") ViewFlags |= static_cast<uint8_t>(1u << kViewFlagPersView);
  PersChkTime = userView_->ReadInteger(kAnzeige, "PersChkTime", 10);
  BrokerAutostart = reg.ReadBool(s, "BrokerAutostart", false);
  BrokerAutostartTime = reg.ReadInteger(s, "BrokerAutostartTime", 10);
  BrokerMinTaskbar = reg.ReadBool(s, "BrokerMinTaskbar", false);
}

void TKonfig::ReadRadioClock(const TRegistryIniFile& reg) {
  const std::string s = kInstallation;
  DCF77AtStart = reg.ReadBool(s, "DCF77AtStart", true);
  DCF77Active = reg.ReadBool(s, "DCF77Active", false);
  DCF77Start = MinutesToTime(reg.ReadInteger(s, "DCF77Start", 55));
  DCF77Time = MinutesToTime(reg.ReadInteger(s, "DCF77Time", 60));
  DCFComPort = reg.ReadInteger(s, "DCFComPort", 1);
}

void TKonfig::ReadIniFile() {
  ValidateDataPath();
  iniFile_ = std::make_unique<TMemIniFile>(*platform_.files, DataPath + kIniName);
  ReadInstallation(*iniFile_);
  CorrectYears(*iniFile_);
  ReadCaptions(*iniFile_);
  KontoDefs.SetLimits(IsKlMonat);
  Watchdog = iniFile_->ReadInteger(kInstallation, "Watchdog", -1);
  if (Watchdog >= 0 && Watchdog < kMinWatchdog) Watchdog = kMinWatchdog;
  KontoDefs.Read(*iniFile_, *platform_.locale);
  Fehlzeiten.Read(*iniFile_);
  stations_.Read(*iniFile_);
  Loading = false;
}

void TKonfig::ReadInstallation(const TMemIniFile& ini) {
  const std::string s = kInstallation;
  AuswOffset = ini.ReadInteger(s, "AuswOffset", kMissingMarker);
  if (AuswOffset == kMissingMarker) {
    // Without a badge number offset the installation is not set up: the load ends here.
    AuswOffset = -1;
    DataPath.clear();
    throw Exception("");
  }
  const int32_t year = YearOfDate(platform_.clock->Now());
  VerwJahreMin = ini.ReadInteger(s, "VerwJahreMin", year);
  VerwJahreMax = ini.ReadInteger(s, "VerwJahreMax", year);
  ExcelUsage = static_cast<uint8_t>(ini.ReadInteger(s, "ExcelUsage", 0) & 0xFF);
  BarCheck = ini.ReadBool(s, "BarCheck", false);
  DoppelBuch = ini.ReadInteger(s, "DoppelBuch", 2);
  AufOffset = ini.ReadInteger(s, "AufOffset", 0);
  IsKlMonat = ini.ReadInteger(s, "IsKlMonat", 0) == 1;
  ASCIIFormat = ini.ReadBool(s, "ASCIIFormat", true);
  NFilialFormat = ini.ReadBool(s, "NFilialFormat", false);
  NFilialPersons = ini.ReadBool(s, "NFilialPersons", false);
  BuchStart = MinutesToTime(ini.ReadInteger(s, "BuchStart", 0));
  BuchIntv = MinutesToTime(ini.ReadInteger(s, "BuchIntv", 5));
  RuheStart = MinutesToTime(ini.ReadInteger(s, "RuheStart", 0));
  RuheIntv = MinutesToTime(ini.ReadInteger(s, "RuheIntv", 0));
  UpdIntv = MinutesToTime(ini.ReadInteger(s, "UpdIntv", 30));
  ZutTage = ini.ReadInteger(s, "ZutTage", 360);
  BuchMsg = ini.ReadBool(s, "BuchMsg", true);
  AuswInit = ini.ReadBool(s, "AuswInit", AuswOffset < 0);
}

// The managed years reach from at most this year to this year, and into the next one from
// October on, so that plans for the coming year can be made.
void TKonfig::CorrectYears(TMemIniFile& ini) {
  const TDateTime today = platform_.clock->Now();
  const int32_t year = YearOfDate(today);
  const int32_t month = MonthOfDate(today);
  bool corrected = false;
  auto set = [&corrected](int32_t& field, int32_t value) {
    field = value;
    corrected = true;
  };
  if (VerwJahreMin > year) set(VerwJahreMin, year);
  if (VerwJahreMax < year) set(VerwJahreMax, year);
  if (VerwJahreMax == year && month >= 10) set(VerwJahreMax, year + 1);
  if (VerwJahreMax > year + 1) set(VerwJahreMax, year + 1);
  if (!corrected) return;
  ini.WriteInteger(kInstallation, "VerwJahreMin", VerwJahreMin);
  ini.WriteInteger(kInstallation, "VerwJahreMax", VerwJahreMax);
  // Read only, the corrected range holds in memory and the file stays as it is.
  if (!platform_.files->ReadOnly()) ini.UpdateFile();
}

void TKonfig::ReadCaptions(const TMemIniFile& ini) {
  for (int i = 1; i <= 2; ++i)
    Freitexte[static_cast<size_t>(i - 1)] = LeftChars(
        ini.ReadString(kFreitexte, "Sonstige" + std::to_string(i), "Sonstiges"), kCaptionLength);
  for (int n = 1; n <= 20; ++n)
    Freitexte[static_cast<size_t>(n + 1)] =
        LeftChars(ini.ReadString(kFreitexte, "Persstamm" + std::to_string(n), ""), kCaptionLength);
}

const std::string& TKonfig::SonstigeTexte(int n) const {
  static const std::string kNone;
  return n >= 1 && n <= 2 ? Freitexte[static_cast<size_t>(n - 1)] : kNone;
}

const std::string& TKonfig::PersstammTexte(int n) const {
  static const std::string kNone;
  return n >= 1 && n <= 20 ? Freitexte[static_cast<size_t>(n + 1)] : kNone;
}

void TKonfig::ValidateDataPath() {
  Loading = true;
  const std::string iniName = DataPath + kIniName;
  try {
    IniFileDate = FileDateOf(*platform_.files, iniName, true);
  } catch (EInOutError& e) {
    IniFileDate = -1;
    if (e.ErrorCode == 53) e.SetMessage("Keine Netzwerkverbindung (" + DataPath + ")");
    platform_.ui->ShowException(e.Message());
  }
  if (!invalidPathReported_ && IniFileDate < 0 && !DataPath.empty()) {
    invalidPathReported_ = true;
    platform_.ui->ErrorBox(kInvalidPath + DataPath + kPleaseReset);
    DataPath.clear();
    throw Exception(kInvalidPath + DataPath + kPleaseReset);
  }
  invalidPathReported_ = true;
}

void TKonfig::DerivePaths() {
  TDateTime start, end;
  if (TryEncodeDate(VerwJahreMin, 1, 1, &start) && TryEncodeDate(VerwJahreMax, 12, 31, &end)) {
    VerwStart = start;
    VerwEnd = end;
  }
  ProgramDir = WithBackslash(ExtractFilePath(platform_.host->ExecutablePath()));
  DataPath = WithBackslash(DataPath);
  const std::string sep(1, platform::kPathSeparator);
  PhotoDir = DataPath + "FOTO" + sep;
  KonfigDir = DataPath + "KONFIG" + sep;
  ChooseStation();
}

std::string TKonfig::DefaultStationDir() const {
  return ExtractFilePath(ExcludeTrailingSeparator(ProgramDir)) + "DATA";
}

void TKonfig::ChooseStation() {
  CurrentStation = nullptr;
  StationName.clear();
  StationDataDir.clear();
  int chosen = -1;
  for (int i = 0; i < stations_.Count(); ++i) {
    TStation& st = stations_[i];
    if (st.Nummer == StationNo) chosen = i;
    if (st.Verzeichnis1.empty()) st.Verzeichnis1 = DefaultStationDir();
    if (st.Verzeichnis2.empty()) st.Verzeichnis2 = DefaultStationDir();
  }
  if (chosen < 0 && stations_.Count() > 0) chosen = 0;
  if (chosen < 0) {
    StationNo = 0;
    return;
  }
  CurrentStation = &stations_[chosen];
  StationNo = CurrentStation->Nummer;
  StationName = CurrentStation->Name;
  StationDataDir = CurrentStation->Verzeichnis2;
}

}  // namespace qrv
