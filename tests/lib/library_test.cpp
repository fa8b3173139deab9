#include "lib/library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "accounting/mon_abrech.h"
#include "config/konfig.h"
#include "queries/abfrage.h"
#include "quorvane.h"
#include "report/monats_rechnung.h"
#include "support/doubles.h"

namespace qrv {
namespace {

using platform::RegRoot;

class LibraryTest : public ::testing::Test {
 protected:
  void SetDataPath(const std::string& path) {
    tp.registry.CreateKey(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    tp.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DataPath",
                         {platform::kRegSz, path + '\0'});
  }
  ~LibraryTest() override { StopLibrary(); }

  std::string Exported() {
    char buffer[1024];
    std::memset(buffer, 'x', sizeof buffer);
    GetDataPath(buffer);
    return buffer;
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
};

TEST_F(LibraryTest, StartedLibraryAnswersTheDataPath) {
  std::ofstream(data.Path() + "QUORVANE.INI") << "[Installation]\nAuswOffset=0\n";
  SetDataPath(data.Path().substr(0, data.Path().size() - 1));
  ASSERT_TRUE(StartLibrary(tp.Get()));
  ASSERT_NE(CurrentLibrary(), nullptr);
  EXPECT_EQ(Exported(), data.Path());
  EXPECT_EQ(CurrentLibrary()->ShortMonthNames()[2], "Mrz");
  EXPECT_EQ(CurrentLibrary()->ShortMonthNames()[4], "Mai");
}

TEST_F(LibraryTest, EveryAccountingGetsTheProcesssOneSpreadsheetCalculation) {
  std::ofstream(data.Path() + "QUORVANE.INI") << "[Installation]\nAuswOffset=0\n";
  SetDataPath(data.Path());
  TBibliothek lib(tp.Get());
  TMonatsTabelle* tabelle = lib.Abrechnung().Tabelle;
  EXPECT_NE(dynamic_cast<TMonatsRechnung*>(tabelle), nullptr);
  EXPECT_EQ(lib.Abrechnung().Tabelle, tabelle);
  EXPECT_EQ(lib.Abfrage().Abrechnung.Tabelle, tabelle);
}

TEST_F(LibraryTest, FailedStartUpIsReportedAndExportsAnswerEmpty) {
  SetDataPath(data.Path() + "fehlt");
  EXPECT_FALSE(StartLibrary(tp.Get()));
  EXPECT_EQ(CurrentLibrary(), nullptr);
  EXPECT_EQ(Exported(), "");
  ASSERT_FALSE(tp.ui.calls.empty());
  EXPECT_EQ(tp.ui.calls.back().kind, "ShowException");
  EXPECT_EQ(tp.ui.calls.back().text,
            "Ung\xFC"
            "ltiger Datenpfad: \r\nBitte neu einstellen!");
}

TEST_F(LibraryTest, ObjectsCanBeBuiltManyTimesInOneProcess) {
  testing::TempFolder other;
  for (const auto* folder : {&data, &other})
    std::ofstream(folder->Path() + "QUORVANE.INI") << "[Installation]\nAuswOffset=0\n";
  for (int i = 0; i < 3; ++i) {
    testing::TestPlatform p;
    p.registry.CreateKey(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    std::string path = i == 1 ? other.Path() : data.Path();
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DataPath",
                        {platform::kRegSz, path + '\0'});
    TBibliothek lib(p.Get());
    EXPECT_EQ(lib.Konfig().DataPath, path);
  }
}

}  // namespace
}  // namespace qrv
