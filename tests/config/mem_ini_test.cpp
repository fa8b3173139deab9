#include "config/mem_ini.h"

#include <gtest/gtest.h>

#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

class MemIniTest : public ::testing::Test {
 protected:
  std::string Name() const { return dir.Path() + "QUORVANE.INI"; }
  TMemIniFile Load(const std::string& text) {
    WriteFileBytes(Name(), text);
    return TMemIniFile(tp.files, Name());
  }
  testing::TempFolder dir;
  testing::TestPlatform tp;
};

TEST_F(MemIniTest, ReadsWithoutRegardToCaseAndTrimsValues) {
  TMemIniFile ini = Load(
      "; Kommentar\r\n[installation]\r\n  auswoffset =  5 \r\nAuswOffset=7\r\nLeer=\r\n"
      "Hex=$1F\r\nText= a b \r\n[Installation]\r\nAufOffset=9\r\n");
  EXPECT_EQ(ini.ReadInteger("Installation", "AuswOffset", -1), 5);  // the first key counts
  EXPECT_EQ(ini.ReadInteger("INSTALLATION", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadString("Installation", "Text", "x"), "a b");
  EXPECT_EQ(ini.ReadString("Installation", "Leer", "x"), "");
  EXPECT_EQ(ini.ReadInteger("Installation", "Leer", 4), 4);
  EXPECT_EQ(ini.ReadInteger("Installation", "Text", 4), 4);
  EXPECT_EQ(ini.ReadInteger("Installation", "AufOffset", 0), 0);  // a second section is not read
  EXPECT_TRUE(ini.ValueExists("Installation", "leer"));
  EXPECT_FALSE(ini.ValueExists("Fehlt", "Leer"));
  EXPECT_TRUE(ini.ReadBool("Installation", "Hex", false));
  EXPECT_FALSE(ini.ReadBool("Installation", "Missing", false));
}

TEST_F(MemIniTest, MissingFileReadsAsEmpty) {
  TMemIniFile ini(tp.files, dir.Path() + "fehlt.ini");
  EXPECT_FALSE(ini.SectionExists("Installation"));
  EXPECT_EQ(ini.ReadString("Installation", "AuswOffset", "d"), "d");
}

TEST_F(MemIniTest, WritingBackKeepsEveryOtherLine) {
  const std::string original =
      "; Quorvane\r\n[Installation]\r\nAuswOffset=0\r\nverwjahremax = 2003\r\n\r\n"
      "[Freitexte]\r\nPersstamm1=Telefon\r\n";
  TMemIniFile ini = Load(original);
  ini.WriteInteger("Installation", "VerwJahreMin", 2005);
  ini.WriteInteger("Installation", "VerwJahreMax", 2006);
  ini.WriteString("Neu", "A", "1");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()),
            "; Quorvane\r\n[Installation]\r\nAuswOffset=0\r\nverwjahremax=2006\r\n"
            "VerwJahreMin=2005\r\n\r\n[Freitexte]\r\nPersstamm1=Telefon\r\n\r\n[Neu]\r\nA=1\r\n");
  EXPECT_EQ(testing::FolderListing(dir.Path()), std::vector<std::string>{"QUORVANE.INI"});
  EXPECT_EQ(TMemIniFile(tp.files, Name()).ReadInteger("installation", "VerwJahreMax", 0), 2006);
}

TEST_F(MemIniTest, LineFeedFilesStayLineFeedFiles) {
  TMemIniFile ini = Load("[A]\nx=1\n");
  ini.WriteInteger("A", "x", 2);
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()), "[A]\nx=2\n");
}

// Every step of the write-back failed in turn (once, for good, and as a half-written write):
// the error is raised, nothing stays open, and the file on disk is the old one, whole.
TEST_F(MemIniTest, FailedWriteBackRaisesAndLeavesTheFile) {
  const std::string original = "[Installation]\r\nVerwJahreMax=2003\r\n";
  enum Fault { kOnce, kPersistent, kShort };
  for (Fault fault : {kOnce, kPersistent, kShort}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("fault " + std::to_string(fault) + " at operation " + std::to_string(n));
      TMemIniFile ini = Load(original);
      ini.WriteInteger("Installation", "VerwJahreMax", 2006);
      const int injectedBefore = tp.files.InjectedFaults();
      if (fault == kShort)
        tp.files.ShortWrite(n);
      else
        tp.files.FailOperation(n, platform::kAccessDenied, fault == kPersistent);
      bool raised = false;
      try {
        ini.UpdateFile();
      } catch (const EInOutError&) {
        raised = true;
      }
      const bool injected = tp.files.InjectedFaults() > injectedBefore;
      tp.files.ClearFaults();
      EXPECT_EQ(tp.files.OpenFiles(), 0);
      if (!injected) {  // the write-back got through before the fault's turn
        EXPECT_FALSE(raised);
        EXPECT_EQ(TMemIniFile(tp.files, Name()).ReadInteger("Installation", "VerwJahreMax", 0),
                  2006);
        break;
      }
      EXPECT_TRUE(raised);
      EXPECT_EQ(ReadFileBytes(Name()), original);
      // A persistent fault also stops the removal of the temporary file.
      if (fault != kPersistent) {
        EXPECT_EQ(testing::FolderListing(dir.Path()), std::vector<std::string>{"QUORVANE.INI"});
      }
    }
  }
}

}  // namespace
}  // namespace qrv
