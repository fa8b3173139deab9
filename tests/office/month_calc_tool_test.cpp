// The spreadsheet month calculation through the tool on a real LibreOffice: a small demo
// installation whose calculation templates 3, 4 and 5 ask for it, with month templates converted
// at test time from the .fods beside this file. The month shown by account is the one the
// template computed; a template without a result sheet leaves the month; without the engine
// module the accounting carries on and says so once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "demo_gen.h"
#include "master/person.h"
#include "output/monatsblatt.h"
#include "platform/platform.h"
#include "platform/spreadsheet_plugin.h"
#include "run_quorvane.h"
#include "support/own_system_folders.h"
#include "support/temp_folder.h"
#include "tool.h"

namespace qrv::tool {
namespace {

namespace fs = std::filesystem;

// Calculation template 1 of the demo with the spreadsheet switch set, saved as template nr.
void TabellenVorlage(const std::string& data, int nr) {
  std::string bytes = testing::ReadFileBytes(data + "SCHPLAN/BVOR1.DAT");
  bytes.at(55) = static_cast<char>(bytes.at(55) | 0x80);
  testing::WriteFileBytes(data + "SCHPLAN/BVOR" + std::to_string(nr) + ".DAT", bytes);
}

void SetzeBerVor(const std::string& data, int32_t persNr, int32_t berVorNr) {
  Options o;
  o.data = data;
  Installation inst(o, Access::kWritable);
  TPerson person(&inst.Lib().PersonFile(), false);
  person.Load(persNr);
  person.Rec.BerVorNr = berVorNr;
  person.Save();
}

// The .fods of this folder as .xls under the template names; false when the office fails.
bool Vorlagen(const std::string& data) {
  const fs::path ziel = fs::path(data) / "REPORTS" / "VORLAGEN";
  fs::create_directories(ziel);
  const std::string quelle = QRV_OFFICE_TEST_DIR;
  // A profile of its own, so the converter never meets the engine's office.
  const std::string command = "soffice --headless --norestore -env:UserInstallation=file://" +
                              data + "profile --convert-to xls --outdir " + ziel.string() + " " +
                              quelle + "/moncalc3.fods " + quelle + "/moncalc.fods " + quelle +
                              "/moncalc_ohne.fods >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  fs::remove_all(data + "profile");
  for (const auto& [von, nach] : {std::pair{"moncalc3.xls", "MONCALC3.XLS"},
                                  {"moncalc.xls", "MONCALC.XLS"},
                                  {"moncalc_ohne.xls", "MONCALC5.XLS"}}) {
    if (!fs::exists(ziel / von)) return false;
    fs::rename(ziel / von, ziel / nach);
  }
  return true;
}

int TagesSumme(const Json& monat, const char* pos) {
  int sum = 0;
  for (const Json& t : monat["Tage"]) sum += DurationMinutes(t["TagErgebnis"][pos]);
  return sum;
}

// The tool runs on the system platform, here and in the child processes below.
const testing::OwnSystemFolders kOwnSystemFolders;

class MonthCalcThroughTool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QUORVANE_PLUGIN_DIR", QRV_PLUGIN_DIR, 1);
    folder = new testing::TempFolder;
    DemoOptions o;
    o.persons = 6;
    o.today = EncodeDate(2025, 3, 15);
    WriteDemo(folder->Path(), o);
    ohneTabelle = Account(5);
    for (int nr : {3, 4, 5}) TabellenVorlage(folder->Path(), nr);
    // Person 2 has a template of its own, 3 takes the general one, 5 one without results.
    SetzeBerVor(folder->Path(), 2, 3);
    SetzeBerVor(folder->Path(), 3, 4);
    SetzeBerVor(folder->Path(), 5, 5);
    converted = Vorlagen(folder->Path());
  }
  static void TearDownTestSuite() {
    delete folder;
    folder = nullptr;
  }
  void SetUp() override {
    if (!fs::exists(std::string(QRV_PLUGIN_DIR) + "/" + platform::kSpreadsheetPluginFile)) {
      GTEST_SKIP() << "no spreadsheet engine module built (LibreOffice SDK missing)";
    }
    if (!converted) GTEST_SKIP() << "LibreOffice (soffice --convert-to xls) not available";
  }

  static Json Account(int32_t persNr) {
    const Outcome r =
        Quorvane({"--data", folder->Path(), "account", std::to_string(persNr), "2025", "2"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err.find("spreadsheet engine missing"), std::string::npos) << r.err;
    return r.code == 0 ? Json::parse(r.out) : Json();
  }

  static inline testing::TempFolder* folder = nullptr;
  static inline Json ohneTabelle;
  static inline bool converted = false;
};

// Each person's month is computed by the template of its calculation template: column 13 of the
// day rows holds the day's difference in hours, column 1 of the person row the person's number,
// column 26 its calculation template.
TEST_F(MonthCalcThroughTool, AccountShowsTheMonthTheTemplateComputed) {
  const struct {
    int32_t persNr;
    int faktor;       // of the days' differences
    int plusMinuten;  // added by the formula
    const char* tagKonto1;
  } cases[] = {
      {2, 1, 100 * 60, "3:00"},  // MONCALC3.XLS: differences + 100 hours
      {3, 2, -3 * 60, "4:00"},   // MONCALC.XLS: twice the differences less PersNr hours
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.persNr);
    const Json a = Account(c.persNr);
    ASSERT_FALSE(a.is_null());
    const int differenz = TagesSumme(a, "49");
    EXPECT_EQ(DurationMinutes(a["Monat"]["MonSaldo"]), c.faktor * differenz + c.plusMinuten)
        << a["Monat"].dump();
    EXPECT_EQ(a["Monat"]["MonTagKonto"][0], c.tagKonto1);
    // Cells the template leaves empty read back as 0.
    EXPECT_EQ(a["Monat"]["MonAnteilA"], 0.0);
  }
  // The text view shows the computed balance too.
  const Outcome text =
      Quorvane({"--data", folder->Path(), "--format", "text", "account", "2", "2025", "2"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_NE(text.out.find(Account(2)["Monat"]["MonSaldo"].get<std::string>()), std::string::npos)
      << text.out;
}

TEST_F(MonthCalcThroughTool, TemplateWithoutResultSheetLeavesTheMonth) {
  const Json a = Account(5);
  ASSERT_FALSE(a.is_null());
  ASSERT_FALSE(ohneTabelle.is_null());
  EXPECT_EQ(a["Monat"], ohneTabelle["Monat"]);
}

// The tool run in a process of its own, the module searched in an empty folder and beside a
// copy of the program: no engine, the accounting runs, one note per command.
TEST(MonthCalcWithoutEngine, AccountingCommandsSayItOnce) {
  testing::TempFolder leer, programm, data;
  DemoOptions o;
  o.persons = 6;
  o.today = EncodeDate(2025, 3, 15);
  WriteDemo(data.Path(), o);
  TabellenVorlage(data.Path(), 3);
  SetzeBerVor(data.Path(), 2, 3);
  SetzeBerVor(data.Path(), 3, 3);
  const std::string exe = programm.Path() + "quorvane";
  fs::copy_file(QRV_TOOL, exe);
  const std::string note =
      "quorvane: spreadsheet engine missing: " + std::string(platform::kSpreadsheetPluginFile) +
      " not found in " + leer.Path();
  for (const std::string& args : {std::string("account 2 2025 2"), std::string("day 2 2025-02-11"),
                                  std::string("recalc --all 2025-02-01 2025-02-28")}) {
    SCOPED_TRACE(args);
    const std::string err = programm.Path() + "err.txt";
    const std::string command = "QUORVANE_PLUGIN_DIR='" + leer.Path() + "' '" + exe + "' --data '" +
                                data.Path() + "' " + args + " >/dev/null 2>'" + err + "'";
    const int status = std::system(command.c_str());
    const std::string text = testing::ReadFileBytes(err);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;
    const size_t at = text.find(note);
    EXPECT_NE(at, std::string::npos) << text;
    EXPECT_EQ(text.find("spreadsheet engine missing", at + note.size()), std::string::npos) << text;
    fs::remove(err);
  }
}

}  // namespace
}  // namespace qrv::tool
