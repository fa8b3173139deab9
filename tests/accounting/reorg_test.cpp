// The reorganisation request line and its file.
#include "accounting/reorg.h"

#include <gtest/gtest.h>

#include "support/doubles.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

TEST(ReorgZeile, NamesThePersonAndTheMonthsFirstDayAndTheNextOnes) {
  EXPECT_EQ(ReorgZeile(7, 2004, 3), "7;01.03.2004 00:00;01.04.2004 00:00\r\n");
  EXPECT_EQ(ReorgZeile(12345, 2004, 12), "12345;01.12.2004 00:00;01.01.2005 00:00\r\n");
}

class ReorgDateiTest : public ::testing::Test {
 protected:
  std::string Datei() const { return data.Path() + kReorgDatei; }
  testing::TempFolder data;
  testing::TestPlatform tp;
};

TEST_F(ReorgDateiTest, LinesAreAppendedToTheFileWhichIsCreatedWhenMissing) {
  ReorgAnfordern(tp.files, data.Path(), 7, 2004, 3);
  EXPECT_EQ(ReadFileBytes(Datei()), "7;01.03.2004 00:00;01.04.2004 00:00\r\n");
  WriteFileBytes(Datei(), "alt\r\n");
  // A data path without its trailing separator names the same folder.
  ReorgAnfordern(tp.files, data.Path().substr(0, data.Path().size() - 1), 8, 2005, 1);
  EXPECT_EQ(ReadFileBytes(Datei()), "alt\r\n8;01.01.2005 00:00;01.02.2005 00:00\r\n");
  EXPECT_EQ(tp.files.OpenFiles(), 0);
}

TEST_F(ReorgDateiTest, FailuresAreSwallowed) {
  WriteFileBytes(Datei(), "alt\r\n");
  for (int op = 1; op <= 3; ++op) {
    tp.files.FailOperation(op, platform::kAccessDenied);
    ReorgAnfordern(tp.files, data.Path(), 7, 2004, 3);
    tp.files.ClearFaults();
    EXPECT_EQ(ReadFileBytes(Datei()), "alt\r\n") << op;
    EXPECT_EQ(tp.files.OpenFiles(), 0) << op;
  }
  tp.files.ShortWrite(1);
  ReorgAnfordern(tp.files, data.Path(), 7, 2004, 3);
  EXPECT_EQ(ReadFileBytes(Datei()), "alt\r\n");  // no half line stays behind
  // A missing folder and no data path at all write nothing anywhere.
  ReorgAnfordern(tp.files, data.Path() + "fehlt", 7, 2004, 3);
  ReorgAnfordern(tp.files, "", 7, 2004, 3);
  EXPECT_EQ(testing::FolderListing(data.Path()), std::vector<std::string>{kReorgDatei});
}

}  // namespace
}  // namespace qrv
