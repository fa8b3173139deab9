#include "diag/map_tables.h"
#include "util/text_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/doubles.h"

namespace qrv {
namespace {

std::vector<std::string> Lines(std::initializer_list<const char*> l) {
  return std::vector<std::string>(l.begin(), l.end());
}

TEST(LineListTest, ReadsTwentyCharacterEntriesOfEverySection) {
  TLineList list;
  list.Load(Lines({"Detailed map of segments", "", "Line numbers for UMain(Main) segment .text", "",
                   "   123 0001:00001A2C   124 0001:00001A40",
                   "    17 0002:00000010",  // no code-segment address: skipped
                   "", "Line numbers for UUtil(Util) segment .text", "", "     9 0001:00000100", "",
                   "end"}));
  ASSERT_EQ(list.Items().size(), 3u);
  EXPECT_EQ(list.Items()[0].Adresse, 6700u);
  EXPECT_EQ(list.Items()[0].Unit, "Main");
  EXPECT_EQ(list.Items()[0].Zeile, 123);
  EXPECT_EQ(list.Items()[1].Adresse, 6720u);
  EXPECT_EQ(list.Items()[1].Zeile, 124);
  EXPECT_EQ(list.Items()[2].Unit, "Util");
  EXPECT_EQ(list.Items()[2].Adresse, 256u);
}

TEST(LineListTest, DamagedLineEndsTheTableKeepingWhatWasRead) {
  TLineList list;
  list.Load(Lines({"Line numbers for Main(MAIN.PAS)", "", "     1 0001:00000010",
                   "    xx 0001:00000020", "     3 0001:00000030", "", ""}));
  ASSERT_EQ(list.Items().size(), 1u);
  EXPECT_EQ(list.Items()[0].Zeile, 1);
}

TEST(LineListTest, DataLineCountsOnlyWhileMoreOfTheFileFollows) {
  TLineList list;
  list.Load(Lines(
      {"Line numbers for Main(MAIN.PAS)", "", "     1 0001:00000010", "     2 0001:00000020"}));
  ASSERT_EQ(list.Items().size(), 1u);
  TLineList truncated;
  truncated.Load(Lines({"Line numbers for Main(MAIN.PAS)"}));
  EXPECT_TRUE(truncated.Items().empty());
}

TEST(FuncListTest, ReadsTheFirstPublicsSectionOnly) {
  TFuncList list;
  list.Load(
      Lines({"  Address         Publics by Name", "", " 0001:00000020       Zzz", "",
             "  Address         Publics by Value", "", " 0001:00000010       Main.Start",
             " 0002:00000000       Data.X", " 0001:0000FFFF       Main.Ende", "",
             "  Address         Publics by Value", "", " 0001:00000001       Later", "", ""}));
  ASSERT_EQ(list.Items().size(), 2u);
  EXPECT_EQ(list.Items()[0].Adresse, 16u);
  EXPECT_EQ(list.Items()[0].Name, "Main.Start");
  EXPECT_EQ(list.Items()[1].Adresse, 0xFFFFu);
  EXPECT_EQ(list.Items()[1].Name, "Main.Ende");
}

TEST(FuncListTest, GarbageNeverCrashes) {
  TFuncList list;
  list.Load(Lines({"Publics by Value", "", "0001:", " 0001:zzzzzzzz x", " 0001:00000001 y", ""}));
  // A line too short for its address reads as address 0; a bad address ends the table.
  ASSERT_EQ(list.Items().size(), 1u);
  EXPECT_EQ(list.Items()[0].Adresse, 0u);
  EXPECT_EQ(list.Items()[0].Name, "");
  TLineList lines;
  lines.Load(Lines({"Line numbers for (", "", "0001:", "x", ""}));
  EXPECT_TRUE(lines.Items().empty());
}

TEST(SplitLinesTest, CrLfAndLf) {
  EXPECT_EQ(SplitLines("a\r\nb\nc"), Lines({"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), Lines({"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

class MapFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir.Path() + name, std::ios::binary) << text;
  }
  testing::TempFolder dir;
  testing::TestPlatform tp;
};

TEST_F(MapFileTest, HostWithoutMapFileGivesEmptyTables) {
  Write("zeit.exe", "MZ");
  tp.host.exePath = dir.Path() + "zeit.exe";
  TMapTables tables(tp.Get());
  EXPECT_TRUE(tables.FuncList.Items().empty());
  EXPECT_TRUE(tables.LineList.Items().empty());
}

TEST_F(MapFileTest, MapFileOfTheSameBuildIsRead) {
  Write("zeit.exe", "MZ");
  Write("zeit.MAP",
        "  Address         Publics by Value\r\n\r\n 0001:00000010       Main.Start\r\n\r\n"
        "Line numbers for UMain(Main) segment .text\r\n\r\n"
        "   123 0001:00001A2C   124 0001:00001A40\r\n\r\n");
  tp.host.exePath = dir.Path() + "zeit.exe";
  TMapTables tables(tp.Get());
  ASSERT_EQ(tables.FuncList.Items().size(), 1u);
  EXPECT_EQ(tables.FuncList.Items()[0].Name, "Main.Start");
  EXPECT_EQ(tables.LineList.Items().size(), 2u);
}

TEST_F(MapFileTest, StaleMapFileIsIgnored) {
  Write("zeit.exe", "MZ");
  Write("zeit.map", "  Address         Publics by Value\n\n 0001:00000010       Main.Start\n\n");
  std::string exe = dir.Path() + "zeit.exe";
  // Two minutes apart: 60 units of the packed stamp (two-second steps).
  ASSERT_EQ(std::system(("touch -d '2026-01-01 10:00:00' '" + exe + "'").c_str()), 0);
  ASSERT_EQ(std::system(("touch -d '2026-01-01 10:02:00' '" + dir.Path() + "zeit.map'").c_str()),
            0);
  tp.host.exePath = exe;
  EXPECT_TRUE(TMapTables(tp.Get()).FuncList.Items().empty());
  ASSERT_EQ(std::system(("touch -d '2026-01-01 10:00:40' '" + dir.Path() + "zeit.map'").c_str()),
            0);
  EXPECT_EQ(TMapTables(tp.Get()).FuncList.Items().size(), 1u);
}

}  // namespace
}  // namespace qrv
