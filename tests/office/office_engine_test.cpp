// The engine on a real LibreOffice: cells, entries, sheets and workbooks as the month
// calculation uses them, on a workbook converted at test time from workbook_template.fods.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/posix/posix_spreadsheets.h"

namespace qrv::platform {
namespace {

namespace fs = std::filesystem;

class OfficeEngineTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    factory_ = new PosixSpreadsheetFactory({QRV_PLUGIN_DIR});
    engine_ = factory_->Create().release();
    if (engine_ == nullptr) return;
    folder_ = fs::temp_directory_path() / ("quorvane-office-test-" + std::to_string(getpid()));
    fs::create_directories(folder_);
    // A profile of its own, so the converter never meets the engine's office.
    const std::string command = "soffice --headless --norestore -env:UserInstallation=file://" +
                                folder_.string() + "/profile --convert-to xls --outdir " +
                                folder_.string() + " " + QRV_WORKBOOK_SOURCE + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) converted_ = false;
    fs::remove_all(folder_ / "profile");
  }
  static void TearDownTestSuite() {
    delete engine_;
    engine_ = nullptr;
    delete factory_;
    if (!folder_.empty()) fs::remove_all(folder_);
  }
  void SetUp() override {
    if (engine_ == nullptr) GTEST_SKIP() << "no spreadsheet engine: " << factory_->Missing();
    ASSERT_TRUE(converted_) << "soffice --convert-to xls failed";
  }

  static std::string Template() { return (folder_ / "workbook_template.xls").string(); }
  static Spreadsheet& Engine() { return *engine_; }

  // The workbook loaded afresh, with "Eingabe" current.
  void LoadTemplate() {
    ASSERT_EQ(0, Engine().LoadWorkbook(Template()));
    ASSERT_EQ(2, Engine().NumSheets());
    ASSERT_EQ("Eingabe", Engine().GetSheetTitle(1));
    ASSERT_EQ("Rechnung", Engine().GetSheetTitle(2));
    Engine().SetSheet(1);
  }

  static inline PosixSpreadsheetFactory* factory_ = nullptr;
  static inline Spreadsheet* engine_ = nullptr;
  static inline fs::path folder_;
  static inline bool converted_ = true;
};

TEST_F(OfficeEngineTest, TemplateFormulasComputeFromWrittenCells) {
  LoadTemplate();
  // Cached values in the file are stale: what is read is computed.
  Engine().SetSheet(2);
  EXPECT_EQ(7.0, Engine().GetCellNumber(1, 1));
  EXPECT_EQ("Ergebnis", Engine().GetCellText(5, 1));

  Engine().SetSheet(1);
  Engine().SetCellNumber(1, 1, 1.5);
  Engine().SetCellEntry(2, 1, "12,5");
  Engine().SetCellEntry(3, 1, "-1.000,25");
  Engine().SetCellNumber(1, 2, 4);
  Engine().SetSheet(2);
  EXPECT_EQ(-986.25, Engine().GetCellNumber(1, 1));
  EXPECT_EQ("-986,25", Engine().GetCellText(1, 1));
  EXPECT_EQ(8.0, Engine().GetCellNumber(2, 1));

  // A second round of writes is computed again before the next read.
  Engine().SetSheet(1);
  Engine().SetCellNumber(1, 2, 5.25);
  Engine().SetSheet(2);
  EXPECT_EQ(10.5, Engine().GetCellNumber(2, 1));
  EXPECT_EQ("10,5", Engine().GetCellText(2, 1));
}

TEST_F(OfficeEngineTest, FormulaErrorShowsAndIsNoNumber) {
  LoadTemplate();
  Engine().SetSheet(2);
  EXPECT_EQ("#DIV/0!", Engine().GetCellText(3, 1));
  EXPECT_THROW(Engine().GetCellNumber(3, 1), SpreadsheetError);
  Engine().SetSheet(1);
  Engine().SetCellNumber(1, 3, 4);
  Engine().SetSheet(2);
  EXPECT_EQ(0.25, Engine().GetCellNumber(3, 1));
}

TEST_F(OfficeEngineTest, TextOutsideCodePageReadsAsQuestionMark) {
  LoadTemplate();
  Engine().SetSheet(2);
  EXPECT_EQ("?x", Engine().GetCellText(4, 1));  // an omega, then x
}

TEST_F(OfficeEngineTest, EntriesAreTakenAsTyped) {
  LoadTemplate();
  struct Case {
    const char* entry;
    const char* shown;
    double number;  // 0 for a text
  };
  const Case cases[] = {
      {"12,5", "12,5", 12.5},
      {"-3", "-3", -3},
      {"1.234.567,5", "1234567,5", 1234567.5},
      {"2E3", "2000", 2000},
      {"0012", "12", 12},
      {"'0012", "0012", 0},
      {"12.5", "12.5", 0},
      {"1,2,3", "1,2,3", 0},
      {"Name", "Name", 0},
      {"\xC4pfel \x80", "\xC4pfel \x80", 0},
      {"   *  *", "   *  *", 0},
      {"=", "=", 0},
  };
  int32_t row = 1;
  for (const auto& c : cases) Engine().SetCellEntry(row++, 5, c.entry);
  row = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_EQ(c.shown, Engine().GetCellText(row, 5));
    EXPECT_EQ(c.number, Engine().GetCellNumber(row, 5));
    ++row;
  }
}

TEST_F(OfficeEngineTest, FormulaEntriesUseTheControlsSyntax) {
  LoadTemplate();
  Engine().SetCellNumber(1, 6, 2);
  Engine().SetCellNumber(2, 6, 3);
  struct Case {
    const char* entry;
    const char* shown;
  };
  const Case cases[] = {
      {"=SUM(F1,F2)", "5"},
      {"=SUM(F1;F2)", "5"},
      {"=IF(F1>1,\"gro\xDF, ja\",\"klein\")", "gro\xDF, ja"},
      {"=ROUND(F2/F1*1.5,1)", "2,3"},
      {"=Rechnung!A5&\"!\"", "Ergebnis!"},
      {"=SUM(Eingabe!F1:F2,'Eingabe'!A1)", "12"},
  };
  int32_t row = 1;
  for (const auto& c : cases) Engine().SetCellEntry(row++, 7, c.entry);
  row = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_EQ(c.shown, Engine().GetCellText(row++, 7));
  }
  // Taken literally, a formula is a text.
  Engine().SetCellText(1, 8, "=F1+F2");
  EXPECT_EQ("=F1+F2", Engine().GetCellText(1, 8));
  EXPECT_EQ(0.0, Engine().GetCellNumber(1, 8));
}

TEST_F(OfficeEngineTest, SheetsAreAddedTitledAndChecked) {
  LoadTemplate();
  Engine().AddSheets(3, 2);
  ASSERT_EQ(4, Engine().NumSheets());
  Engine().SetSheetTitle(4,
                         "Gr\xFC\xDF"
                         "e");
  EXPECT_EQ(
      "Gr\xFC\xDF"
      "e",
      Engine().GetSheetTitle(4));
  Engine().AddSheets(1, 1);  // before the first
  EXPECT_EQ(5, Engine().NumSheets());
  EXPECT_EQ("Eingabe", Engine().GetSheetTitle(2));
  EXPECT_EQ(
      "Gr\xFC\xDF"
      "e",
      Engine().GetSheetTitle(5));

  // The current number names the sheet now at that place.
  Engine().SetSheet(2);
  EXPECT_EQ(7.0, Engine().GetCellNumber(1, 1));
  Engine().SetRow(7);
  EXPECT_EQ(7, Engine().Row());
  EXPECT_EQ(2, Engine().Sheet());

  EXPECT_THROW(Engine().SetSheet(0), SpreadsheetError);
  EXPECT_THROW(Engine().SetSheet(6), SpreadsheetError);
  EXPECT_THROW(Engine().GetSheetTitle(6), SpreadsheetError);
  EXPECT_THROW(Engine().AddSheets(7, 1), SpreadsheetError);
  EXPECT_THROW(Engine().GetCellText(0, 1), SpreadsheetError);
  EXPECT_EQ(2, Engine().Sheet());
}

TEST_F(OfficeEngineTest, ClearingEmptiesOnlyTheCurrentSheet) {
  LoadTemplate();
  Engine().SetCellEntry(2, 2, "Text");
  Engine().SetCellNumber(3, 3, 4);
  Engine().ClearSheetRange(-1, -1, -1, -1, 3);
  EXPECT_EQ("", Engine().GetCellText(1, 1));
  EXPECT_EQ("", Engine().GetCellText(2, 2));
  EXPECT_EQ(0.0, Engine().GetCellNumber(3, 3));
  Engine().SetSheet(2);
  EXPECT_EQ(0.0, Engine().GetCellNumber(1, 1));  // its formulas stay, on an empty sheet
  EXPECT_EQ("Ergebnis", Engine().GetCellText(5, 1));
}

TEST_F(OfficeEngineTest, ReloadingDropsWhatWasWritten) {
  LoadTemplate();
  Engine().SetCellNumber(1, 1, 100);
  Engine().AddSheets(3, 1);
  Engine().SetRow(9);
  // Written as the library names it on a data folder copied from Windows.
  std::string upper = Template();
  upper.replace(upper.rfind('/'), std::string::npos, "\\WORKBOOK_TEMPLATE.XLS");
  EXPECT_EQ(0, Engine().LoadWorkbook(upper));
  EXPECT_EQ(2, Engine().NumSheets());
  EXPECT_EQ(1, Engine().Sheet());
  EXPECT_EQ(1, Engine().Row());
  Engine().SetSheet(2);
  EXPECT_EQ(7.0, Engine().GetCellNumber(1, 1));
  // The template is read, never locked nor written.
  for (const auto& entry : fs::directory_iterator(folder_)) {
    EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".~lock"));
  }
}

TEST_F(OfficeEngineTest, MissingWorkbookFailsAndKeepsTheOneHeld) {
  LoadTemplate();
  Engine().SetCellNumber(1, 1, 3);
  EXPECT_THROW(Engine().LoadWorkbook((folder_ / "none.xls").string()), SpreadsheetError);
  EXPECT_EQ(2, Engine().NumSheets());
  Engine().SetSheet(2);
  EXPECT_EQ(3.0, Engine().GetCellNumber(1, 1));
}

TEST_F(OfficeEngineTest, ModuleFoundThroughThePluginFolderVariable) {
  ASSERT_EQ(0, setenv("QUORVANE_PLUGIN_DIR", QRV_PLUGIN_DIR, 1));
  PosixSpreadsheetFactory factory;
  const auto engine = factory.Create();
  unsetenv("QUORVANE_PLUGIN_DIR");
  ASSERT_NE(nullptr, engine) << factory.Missing();
  EXPECT_EQ("", factory.Missing());
  // A workbook of its own, on the same office.
  engine->SetCellEntry(1, 1, "2,5");
  EXPECT_EQ(2.5, engine->GetCellNumber(1, 1));
  Engine().SetCellNumber(1, 1, 9);
  EXPECT_EQ(2.5, engine->GetCellNumber(1, 1));
}

}  // namespace
}  // namespace qrv::platform
