// The demo's settings file, its registry file and its holiday files.
#include <string>

#include "config/mem_ini.h"
#include "demo_parts.h"
#include "holidays/feiertage.h"
#include "platform/files.h"
#include "platform/reg_store.h"
#include "util/errors.h"
#include "util/fileprobe.h"

namespace qrv::tool {

namespace {

// The default set of built-in holidays, and 31 October on.
constexpr TFeiertypen kFeiertageStandardDemo = kFeiertageStandard | (1u << ftReformationstag);

// The error of a failed file call, with the path for the reader.
[[noreturn]] void Fail(platform::OsError e, const std::string& path) {
  EInOutError error = MakeInOutError(static_cast<int>(e));
  error.SetMessage(error.Message() + " (" + path + ")");
  throw error;
}

void CreateFolder(platform::FileSystem& files, const std::string& path) {
  const platform::OsError e = files.CreateFolders(path);
  if (e != platform::kOk) Fail(e, path);
}

void WriteTextFile(platform::FileSystem& files, const std::string& path, const std::string& text) {
  std::unique_ptr<platform::File> f;
  platform::OsError e = files.Open(path, platform::OpenMode::kCreate, &f);
  if (e == platform::kOk) e = f->WriteAt(0, text.data(), text.size());
  if (e == platform::kOk) e = f->Close();
  if (e != platform::kOk) Fail(e, path);
}

void WriteInstallation(TMemIniFile& ini, const DemoOptions& o) {
  const char s[] = "Installation";
  ini.WriteInteger(s, "AuswOffset", 10000);
  ini.WriteInteger(s, "AufOffset", 500000);
  ini.WriteInteger(s, "VerwJahreMin", DemoFirstYear(o));
  // From October on the library keeps the next year too; written so, the file stays as it is.
  ini.WriteInteger(s, "VerwJahreMax", DemoLastYear(o) + (MonthOfDate(o.today) >= 10 ? 1 : 0));
  ini.WriteInteger(s, "IsKlMonat", 0);
  ini.WriteInteger(s, "BarCheck", 1);
  ini.WriteString("Freitexte", "Persstamm1", "Abteilung");
  ini.WriteString("Freitexte", "Persstamm2", "Kostenstelle");
  ini.WriteString("Freitexte", "Persstamm3", "Telefon");
  ini.WriteString("Freitexte", "Persstamm4", "Geb\xE4ude");
}

// Flexitime, overtime, a weekly, a monthly and a sum account besides the fixed ones.
void WriteAccounts(TMemIniFile& ini) {
  const char s[] = "KontoDefs";
  ini.WriteInteger(s, "MaxKontoDef", 5);
  ini.WriteString(s, "Konto-7", "Kranktage;;;3;10");
  ini.WriteString(s, "Konto-6", "Resturlaub;;;3;30");
  ini.WriteString(s, "Konto0", "Gleitzeit;;;0");
  ini.WriteString(s, "Konto1",
                  "\xDC"
                  "berstunden;2;\xDC;0");
  ini.WriteString(s, "Konto2", "Wochenstunden;4;W;0");
  ini.WriteString(s, "Konto3", "Monatsstunden;5;M;1");
  ini.WriteString(s, "Konto4", "Mehrarbeit gesamt;8;S;0");
  ini.WriteString(s, "KontoSum4", "1;1;1;2");
  ini.WriteString(s, "Konto5", "Zuschlag Nacht;6;N;0");
}

void WriteAbsences(TMemIniFile& ini) {
  const char s[] = "Fehlzeiten";
  ini.WriteString(s, "Fehlzeiten", "KSU");
  ini.WriteString(s, "Fehlzeit", "Normal");
  ini.WriteString(s, "FehlzeitK", "Krank;8:00");
  ini.WriteString(s, "FehlzeitS", "Schule");
  ini.WriteString(s, "FehlzeitU", "Urlaub;8:00");
}

void WriteRegistryFile(DemoContext& ctx) {
  platform::FileSystem& files = *ctx.Plattform().files;
  const std::string folder = WithBackslash(DemoRegistryDir(ctx.Dir()));
  CreateFolder(files, folder);
  platform::RegFileStore store(files, nullptr, folder + "user.reg", folder + "machine.reg");
  const std::string key = "Software\\Quorvane\\Installation";
  const platform::RegValue path{platform::kRegSz, ctx.Dir() + '\0'};
  platform::OsError e = store.CreateKey(platform::RegRoot::kCurrentUser, key);
  if (e == platform::kOk)
    e = store.SetValue(platform::RegRoot::kCurrentUser, key, "DataPath", path);
  if (e != platform::kOk) Fail(e, folder + "user.reg");
}

}  // namespace

void WriteDemoSettings(DemoContext& ctx) {
  platform::FileSystem& files = *ctx.Plattform().files;
  CreateFolder(files, ctx.Dir() + "KONFIG");
  // The person file is never created by the library; an empty one holds no persons yet.
  WriteTextFile(files, ctx.Dir() + "KONFIG" + platform::kPathSeparator + "PERSONEN.DAT", "");
  TMemIniFile ini(files, ctx.Dir() + "QUORVANE.INI");
  WriteInstallation(ini, ctx.Options());
  WriteAccounts(ini);
  WriteAbsences(ini);
  ini.UpdateFile();
  WriteRegistryFile(ctx);
}

// The default set of built-in holidays with 31 October on, and own holidays: one switched on, one
// switched off, and one only in the later year.
void WriteDemoHolidays(DemoContext& ctx) {
  platform::FileSystem& files = *ctx.Plattform().files;
  for (int32_t jahr = DemoFirstYear(ctx.Options()); jahr <= DemoLastYear(ctx.Options()); ++jahr) {
    const bool later = jahr == DemoLastYear(ctx.Options());
    std::string text = std::to_string(kFeiertageStandardDemo) + "\r\n";
    text += later ? "3\r\n" : "2\r\n";
    text += "8 8 1 Friedensfest\r\n";
    text += "24 6 0 Betriebsausflug\r\n";
    if (later) text += "1 7 1 Firmenjubil\xE4um\r\n";
    const std::string folder = ctx.Dir() + std::to_string(jahr);
    CreateFolder(files, folder);
    WriteTextFile(files, WithBackslash(folder) + "FEIERTG.DAT", text);
  }
}

}  // namespace qrv::tool
