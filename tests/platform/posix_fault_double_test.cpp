// The fault-injecting file double over the POSIX file layer: which call it fails, how a short
// write lands on disk, and the count of open files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/doubles.h"

namespace qrv::testing {
namespace {

using platform::File;
using platform::OpenMode;
using platform::OsError;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FaultDoubleTest : public ::testing::Test {
 protected:
  // Open, two writes, Size, Close: five operations. Answers the first error.
  OsError Sequence() {
    std::unique_ptr<File> file;
    OsError err = files.Open(path, OpenMode::kCreate, &file);
    if (err == platform::kOk) err = file->WriteAt(0, "abcd", 4);
    if (err == platform::kOk) err = file->WriteAt(4, "efgh", 4);
    int64_t size = 0;
    if (err == platform::kOk) err = file->Size(&size);
    if (err == platform::kOk) err = file->Close();
    return err;
  }

  TempFolder temp;
  const std::string path = temp.Path() + "f.dat";
  FaultyFileSystem files;
};

TEST_F(FaultDoubleTest, FailsTheNthOperationOnceOrForGood) {
  struct Case {
    const char* label;
    int n;
    bool persistent;
    std::string onDisk;
  } cases[] = {
      {"open", 1, false, ""},
      {"first write", 2, false, ""},
      {"second write", 3, false, "abcd"},
      {"size", 4, false, "abcdefgh"},
      {"close", 5, false, "abcdefgh"},
      {"size and after", 4, true, "abcdefgh"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::filesystem::remove(path);
    files.ClearFaults();
    const int before = files.InjectedFaults();
    files.FailOperation(c.n, platform::kAccessDenied, c.persistent);
    EXPECT_EQ(Sequence(), platform::kAccessDenied);
    EXPECT_EQ(files.InjectedFaults() - before, 1);
    if (c.persistent) {
      EXPECT_EQ(files.Remove(path), platform::kAccessDenied);
    }
    EXPECT_EQ(files.OpenFiles(), 0);  // a failed close still closes
    EXPECT_EQ(ReadText(path), c.onDisk);
  }
  files.ClearFaults();
  EXPECT_EQ(Sequence(), platform::kOk);
}

TEST_F(FaultDoubleTest, CountsWritesSeparately) {
  files.FailWrite(2, platform::kDiskFull);
  EXPECT_EQ(Sequence(), platform::kDiskFull);
  EXPECT_EQ(ReadText(path), "abcd");
  EXPECT_EQ(files.Writes(), 2);
  EXPECT_EQ(files.Operations(), 3);

  files.ShortWrite(2);
  EXPECT_EQ(Sequence(), platform::kDiskFull);
  EXPECT_EQ(ReadText(path), "abcdef");  // half of the second write landed
  EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(FaultDoubleTest, CountsFilesLeftOpen) {
  std::unique_ptr<File> a, b;
  ASSERT_EQ(files.Open(path, OpenMode::kCreate, &a), platform::kOk);
  ASSERT_EQ(files.Open(path, OpenMode::kRead, &b), platform::kOk);
  EXPECT_EQ(files.OpenFiles(), 2);
  EXPECT_EQ(b->Close(), platform::kOk);
  EXPECT_EQ(files.OpenFiles(), 1);
  a.reset();  // destroyed without Close
  EXPECT_EQ(files.OpenFiles(), 0);
}

TEST(TestPlatformTest, StartsFromKnownValues) {
  TestPlatform tp;
  const platform::Platform p = tp.Get();
  EXPECT_EQ(p.clock->Now(), kTestNow);
  tp.clock.SetTicks(0xFFFFFF00u);
  tp.clock.Advance(0x200);
  EXPECT_EQ(p.clock->Ticks(), 0x100u);
  EXPECT_DOUBLE_EQ(p.clock->Now(), kTestNow + 512 / 86400000.0);
  EXPECT_EQ(p.host->FirstParameter(), "");
  p.ui->SetHourglass(true);
  p.ui->SelectPrinter("Laser");
  EXPECT_EQ(tp.ui.calls, (std::vector<RecordingUi::Call>{{"Hourglass", ""}, {"Printer", "Laser"}}));
}

}  // namespace
}  // namespace qrv::testing
