#include "util/fileprobe.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace qrv {
namespace {

using platform::FileInfo;
using platform::OsError;

// Answers every search with the given entries or error and counts the searches.
class FakeFileSystem : public platform::FileSystem {
 public:
  OsError Open(const std::string&, platform::OpenMode, std::unique_ptr<platform::File>*) override {
    return platform::kAccessDenied;
  }
  OsError Find(const std::string& pattern, std::vector<FileInfo>* out) override {
    ++finds;
    lastPattern = pattern;
    if (error == platform::kOk) *out = entries;
    return error;
  }
  OsError Rename(const std::string&, const std::string&) override { return platform::kOk; }
  OsError Remove(const std::string&) override { return platform::kOk; }
  OsError CreateFolders(const std::string&) override { return platform::kOk; }
  std::string TempDir() override { return "/tmp/x/"; }

  std::vector<FileInfo> entries;
  OsError error = platform::kOk;
  int finds = 0;
  std::string lastPattern;
};

class FileProbeTest : public ::testing::Test {
 protected:
  void Found(int64_t size, double lastWrite) {
    fs_.entries = {FileInfo{"PERSONEN.DAT", size, lastWrite, false}};
  }
  FakeFileSystem fs_;
};

TEST_F(FileProbeTest, FoundEntryAnswersItsSizeAndDate) {
  Found(1592 * 3, 45368.5);
  EXPECT_TRUE(FileFound(fs_, "K/PERSONEN.DAT", true));
  EXPECT_EQ(FileSizeOf(fs_, "K/PERSONEN.DAT", true), 1592 * 3);
  EXPECT_EQ(FileDateOf(fs_, "K/PERSONEN.DAT", true), 45368.5);
  EXPECT_EQ(fs_.lastPattern, "K/PERSONEN.DAT");
}

TEST_F(FileProbeTest, UnconvertibleStoredTimeGivesZero) {
  for (double stored : {std::numeric_limits<double>::quiet_NaN(), 1e9, -1e9}) {
    Found(10, stored);
    EXPECT_EQ(FileDateOf(fs_, "x", true), 0) << stored;
  }
}

TEST_F(FileProbeTest, EmptyPathIsNotFoundWithoutSearching) {
  Found(10, 45000);
  EXPECT_FALSE(FileFound(fs_, "", true));
  EXPECT_EQ(FileSizeOf(fs_, "", true), -1);
  EXPECT_EQ(FileDateOf(fs_, "", true), -1);
  EXPECT_EQ(fs_.finds, 0);
}

TEST_F(FileProbeTest, SearchWithoutEntriesIsNotFound) {
  fs_.entries.clear();
  EXPECT_FALSE(FileFound(fs_, "x", true));
  EXPECT_EQ(FileSizeOf(fs_, "x", true), -1);
}

TEST_F(FileProbeTest, NotFoundCodesNeverRaise) {
  for (OsError code : {platform::kFileNotFound, platform::kPathNotFound, platform::kNoMoreFiles}) {
    fs_.error = code;
    for (bool raising : {true, false}) {
      EXPECT_FALSE(FileFound(fs_, "x", raising)) << code;
      EXPECT_EQ(FileSizeOf(fs_, "x", raising), -1) << code;
      EXPECT_EQ(FileDateOf(fs_, "x", raising), -1) << code;
    }
  }
}

TEST_F(FileProbeTest, OtherCodesRaiseOnlyWhenAsked) {
  const struct {
    OsError code;
    const char* message;
  } cases[] = {{platform::kAccessDenied, "Dateizugriff verweigert"},
               {platform::kSharingViolation, "E/A-Fehler 32"},
               {platform::kBadNetPath, "E/A-Fehler 53"}};
  for (const auto& c : cases) {
    fs_.error = c.code;
    EXPECT_FALSE(FileFound(fs_, "x", false)) << c.code;
    EXPECT_EQ(FileSizeOf(fs_, "x", false), -1) << c.code;
    EXPECT_EQ(FileDateOf(fs_, "x", false), -1) << c.code;
    for (auto probe : {+[](FakeFileSystem& fs) { FileFound(fs, "x", true); },
                       +[](FakeFileSystem& fs) { FileSizeOf(fs, "x", true); },
                       +[](FakeFileSystem& fs) { FileDateOf(fs, "x", true); }}) {
      try {
        probe(fs_);
        ADD_FAILURE() << "no error for code " << c.code;
      } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, static_cast<int>(c.code));
        EXPECT_EQ(std::string(e.what()), c.message);
      }
    }
  }
}

TEST(InOutErrorTest, MessagesOfTheResultCodes) {
  const struct {
    int code;
    const char* message;
  } cases[] = {
      {2, "Datei nicht gefunden"},
      {3, "Ung\xFCltiger Dateiname"},
      {4,
       "Zu viele ge\xF6"
       "ffnete Dateien"},
      {5, "Dateizugriff verweigert"},
      {100, "Versuch hinter dem Dateiende zu lesen"},
      {101, "Zu wenig Speicherplatz"},
      {106, "Ung\xFCltige numerische Eingabe"},
      {1234, "E/A-Fehler 1234"},
      {0, "E/A-Fehler 0"},
      {-5, "E/A-Fehler -5"},
  };
  for (const auto& c : cases) {
    EInOutError e = MakeInOutError(c.code);
    EXPECT_EQ(std::string(e.what()), c.message) << c.code;
    EXPECT_EQ(e.ErrorCode, c.code);
  }
  try {
    RaiseInOutError(103);
    ADD_FAILURE() << "RaiseInOutError returned";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 103);
    EXPECT_EQ(std::string(e.what()), "E/A-Fehler 103");
  }
}

TEST(IsBlankRecordTest, BlankLinesAndNulRecords) {
  using namespace std::string_literals;
  const struct {
    const char* label;
    std::string bytes;
    bool blank;
  } cases[] = {
      {"three blanks CR LF", "   \r\n", true},
      {"two blanks, x, CR LF", "  x\r\n", false},
      {"six NULs", std::string(6, '\0'), true},
      {"CR LF alone", "\r\n", true},
      {"two NULs", "\0\0"s, true},
      {"one byte", " ", false},
      {"empty", "", false},
      {"NULs ending in CR LF", "\0\0\r\n"s, false},
      {"blanks ending in NULs", "  \0\0"s, false},
      {"NUL record with a byte set", "\0\x01\0\0"s, false},
      {"LF CR", "  \n\r", false},
      {"tab", " \t\r\n", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsBlankRecord(c.bytes.data(), c.bytes.size()), c.blank) << c.label;
  }
}

TEST(PathTextTest, SeparatorAppendedOnce) {
  const std::string sep(1, platform::kPathSeparator);
  EXPECT_EQ(WithBackslash(""), "");
  EXPECT_EQ(AppendBackslash(""), sep);
  EXPECT_EQ(WithBackslash("daten"), "daten" + sep);
  EXPECT_EQ(AppendBackslash("daten"), "daten" + sep);
  EXPECT_EQ(WithBackslash("daten" + sep), "daten" + sep);
  EXPECT_EQ(AppendBackslash("daten" + sep), "daten" + sep);
}

}  // namespace
}  // namespace qrv
