// The POSIX file layer against a real folder: names found without regard to case, backslashes,
// Windows error numbers, wildcard search, rename, truncation and a full device.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/posix/posix_errno.h"
#include "platform/posix/posix_files.h"
#include "support/doubles.h"

namespace qrv::platform {
namespace {

namespace fs = std::filesystem;
using testing::FolderListing;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class PosixFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root + "konfig/Sub");
    WriteFileBytes(root + "konfig/Personen.dat", "persons");
  }

  std::string ReadAll(const std::string& path, OsError* err) {
    std::unique_ptr<File> file;
    *err = files.Open(path, OpenMode::kRead, &file);
    if (*err != kOk) return std::string();
    std::string text(64, '\0');
    size_t got = 0;
    *err = file->ReadAt(0, text.data(), text.size(), &got);
    text.resize(got);
    return text;
  }

  testing::TempFolder temp;
  const std::string root = temp.Path();
  PosixFileSystem files;
};

TEST_F(PosixFilesTest, FindsNamesWithoutRegardToCaseAndReadsBackslashes) {
  const char* paths[] = {"konfig/Personen.dat", "KONFIG\\PERSONEN.DAT", "Konfig/personen.DAT",
                         "konfig\\sub\\..\\Personen.dat"};
  for (const char* path : paths) {
    SCOPED_TRACE(path);
    OsError err = kOk;
    EXPECT_EQ(ReadAll(root + path, &err), "persons");
    EXPECT_EQ(err, kOk);
  }
}

TEST_F(PosixFilesTest, CreateUsesExistingNamesAndWritesNewOnesAsGiven) {
  std::unique_ptr<File> file;
  ASSERT_EQ(files.Open(root + "KONFIG\\SUB\\Neu.DAT", OpenMode::kCreate, &file), kOk);
  ASSERT_EQ(file->WriteAt(0, "x", 1), kOk);
  ASSERT_EQ(file->Close(), kOk);
  EXPECT_EQ(FolderListing(root + "konfig/Sub"), std::vector<std::string>{"Neu.DAT"});

  // Creating an existing file in other case empties that file instead of adding a second one.
  ASSERT_EQ(files.Open(root + "KONFIG\\PERSONEN.DAT", OpenMode::kCreate, &file), kOk);
  file.reset();
  EXPECT_EQ(FolderListing(root + "konfig"), (std::vector<std::string>{"Personen.dat", "Sub"}));
  EXPECT_EQ(ReadFileBytes(root + "konfig/Personen.dat"), "");
}

TEST_F(PosixFilesTest, AnswersWindowsErrorNumbers) {
  std::unique_ptr<File> file;
  std::vector<FileInfo> found;
  struct Case {
    const char* label;
    OsError got;
    OsError want;
  } cases[] = {
      {"open missing file", files.Open(root + "konfig/fehlt.dat", OpenMode::kRead, &file),
       kFileNotFound},
      {"open in missing folder", files.Open(root + "fehlt/x.dat", OpenMode::kReadWrite, &file),
       kPathNotFound},
      {"create in missing folder", files.Open(root + "fehlt\\x.dat", OpenMode::kCreate, &file),
       kPathNotFound},
      {"file used as folder", files.Open(root + "konfig/Personen.dat/x", OpenMode::kRead, &file),
       kPathNotFound},
      {"open a folder", files.Open(root + "konfig", OpenMode::kRead, &file), kAccessDenied},
      {"find nothing", files.Find(root + "konfig/*.xyz", &found), kFileNotFound},
      {"find missing name", files.Find(root + "konfig/fehlt.dat", &found), kFileNotFound},
      {"find in missing folder", files.Find(root + "fehlt/*.*", &found), kPathNotFound},
      {"remove missing", files.Remove(root + "konfig/fehlt.dat"), kFileNotFound},
      {"remove a folder", files.Remove(root + "konfig/sub"), kAccessDenied},
      {"rename missing", files.Rename(root + "fehlt.dat", root + "neu.dat"), kFileNotFound},
      {"rename into missing folder",
       files.Rename(root + "konfig/Personen.dat", root + "fehlt/neu.dat"), kPathNotFound},
      {"folder where a file is", files.CreateFolders(root + "konfig/Personen.dat/x"),
       kAlreadyExists},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.label;
  EXPECT_EQ(file, nullptr);
}

TEST(PosixErrnoTest, MapsEachErrnoOnce) {
  testing::TempFolder temp;
  const std::string inFolder = temp.Path() + "x";
  const std::string inMissing = temp.Path() + "fehlt/x";
  struct Case {
    const char* label;
    int err;
    IoDirection direction;
    const std::string& path;
    OsError want;
  } cases[] = {
      {"ENOENT, folder exists", ENOENT, IoDirection::kRead, inFolder, kFileNotFound},
      {"ENOENT, folder missing", ENOENT, IoDirection::kRead, inMissing, kPathNotFound},
      {"ENOTDIR", ENOTDIR, IoDirection::kRead, inFolder, kPathNotFound},
      {"EACCES", EACCES, IoDirection::kWrite, inFolder, kAccessDenied},
      {"EPERM", EPERM, IoDirection::kWrite, inFolder, kAccessDenied},
      {"EISDIR", EISDIR, IoDirection::kWrite, inFolder, kAccessDenied},
      {"EMFILE", EMFILE, IoDirection::kRead, inFolder, kTooManyOpenFiles},
      {"ENFILE", ENFILE, IoDirection::kRead, inFolder, kTooManyOpenFiles},
      {"ENOSPC", ENOSPC, IoDirection::kWrite, inFolder, kDiskFull},
      {"EEXIST", EEXIST, IoDirection::kWrite, inFolder, kFileExists},
      {"ENAMETOOLONG", ENAMETOOLONG, IoDirection::kRead, inFolder, 206},
      {"EBUSY", EBUSY, IoDirection::kWrite, inFolder, kSharingViolation},
      {"EIO reading", EIO, IoDirection::kRead, inFolder, kReadFault},
      {"EIO writing", EIO, IoDirection::kWrite, inFolder, kWriteFault},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OsErrorFromErrno(c.err, c.direction, c.path), c.want) << c.label;
  }
}

TEST_F(PosixFilesTest, FindMatchesWildcardsWithoutRegardToCase) {
  WriteFileBytes(root + "konfig/B.DAT", "12345");
  WriteFileBytes(root + "konfig/a.dat", "1");
  WriteFileBytes(root + "konfig/c.txt", "");
  auto names = [this](const std::string& pattern) {
    std::vector<FileInfo> found;
    files.Find(root + pattern, &found);
    std::vector<std::string> result;
    for (const FileInfo& f : found) result.push_back(f.name);
    return result;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(names("konfig/*.DAT"), (Names{"a.dat", "B.DAT", "Personen.dat"}));
  EXPECT_EQ(names("KONFIG\\?.dat"), (Names{"a.dat", "B.DAT"}));
  EXPECT_EQ(names("konfig/*"), (Names{"a.dat", "B.DAT", "c.txt", "Personen.dat", "Sub"}));
  EXPECT_EQ(names("konfig/*.*"), names("konfig/*"));
  EXPECT_EQ(names("konfig/p*n*.d?t"), (Names{"Personen.dat"}));
  EXPECT_EQ(names("KONFIG/PERSONEN.DAT"), (Names{"Personen.dat"}));

  std::vector<FileInfo> found;
  ASSERT_EQ(files.Find(root + "konfig/s*", &found), kOk);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_TRUE(found[0].directory);
  ASSERT_EQ(files.Find(root + "konfig/b.dat", &found), kOk);
  EXPECT_EQ(found[0].size, 5);
  EXPECT_FALSE(found[0].directory);
}

TEST_F(PosixFilesTest, FindAnswersTheLocalLastWriteTime) {
  using namespace std::chrono;
  const std::string path = root + "konfig/Personen.dat";
  // 15 March 2021, 13:14:15.250 UTC
  const sys_time<milliseconds> written = sys_days(2021y / March / 15) + 13h + 14min + 15s + 250ms;
  fs::last_write_time(path, file_clock::from_sys(written));

  const std::time_t seconds = system_clock::to_time_t(written);
  std::tm local{};
  local = *std::localtime(&seconds);
  const double days = (sys_days(year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday) -
                       sys_days(1899y / December / 30))
                          .count();
  const double want =
      days + ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec + 0.25) / 86400.0;

  std::vector<FileInfo> found;
  ASSERT_EQ(files.Find(path, &found), kOk);
  EXPECT_NEAR(found[0].lastWrite, want, 1e-9);
}

TEST_F(PosixFilesTest, RenameReplacesTheTarget) {
  WriteFileBytes(root + "neu.tmp", "new");
  ASSERT_EQ(files.Rename(root + "NEU.TMP", root + "KONFIG\\personen.DAT"), kOk);
  EXPECT_EQ(ReadFileBytes(root + "konfig/Personen.dat"), "new");
  EXPECT_EQ(FolderListing(root + "konfig"), (std::vector<std::string>{"Personen.dat", "Sub"}));

  // A rename that changes only the case takes the new name.
  ASSERT_EQ(files.Rename(root + "konfig/Personen.dat", root + "konfig/PERSONEN.DAT"), kOk);
  EXPECT_EQ(FolderListing(root + "konfig"), (std::vector<std::string>{"PERSONEN.DAT", "Sub"}));
}

TEST_F(PosixFilesTest, WritesReadsAndTruncatesAtOffsets) {
  std::unique_ptr<File> file;
  ASSERT_EQ(files.Open(root + "konfig/Personen.dat", OpenMode::kCreate, &file), kOk);
  int64_t size = -1;
  ASSERT_EQ(file->Size(&size), kOk);
  EXPECT_EQ(size, 0);  // create empties an existing file
  ASSERT_EQ(file->WriteAt(4, "abcd", 4), kOk);
  ASSERT_EQ(file->Size(&size), kOk);
  EXPECT_EQ(size, 8);
  char buffer[16] = {};
  size_t got = 0;
  ASSERT_EQ(file->ReadAt(2, buffer, sizeof buffer, &got), kOk);
  EXPECT_EQ(std::string(buffer, got), std::string("\0\0abcd", 6));
  ASSERT_EQ(file->Truncate(5), kOk);
  ASSERT_EQ(file->ReadAt(0, buffer, sizeof buffer, &got), kOk);
  EXPECT_EQ(got, 5u);
  ASSERT_EQ(file->Truncate(7), kOk);
  ASSERT_EQ(file->Size(&size), kOk);
  EXPECT_EQ(size, 7);
  EXPECT_EQ(file->Close(), kOk);
  EXPECT_EQ(file->ReadAt(0, buffer, 1, &got), kInvalidHandle);
}

TEST(PosixFilesDeviceTest, AFullDeviceAnswersDiskFull) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  PosixFileSystem files;
  std::unique_ptr<File> file;
  ASSERT_EQ(files.Open("/dev/full", OpenMode::kReadWrite, &file), kOk);
  EXPECT_EQ(file->WriteAt(0, "abc", 3), kDiskFull);
}

TEST_F(PosixFilesTest, CreateFoldersBuildsChainsAlongExistingNames) {
  ASSERT_EQ(files.CreateFolders(root + "KONFIG\\SUB\\a\\b"), kOk);
  EXPECT_TRUE(fs::is_directory(root + "konfig/Sub/a/b"));
  EXPECT_EQ(files.CreateFolders(root + "konfig/sub/A/"), kOk);  // existing: success
  EXPECT_EQ(FolderListing(root + "konfig/Sub"), std::vector<std::string>{"a"});
  const std::string tempDir = files.TempDir();
  EXPECT_EQ(tempDir.back(), '/');
  EXPECT_TRUE(fs::is_directory(tempDir));
}

}  // namespace
}  // namespace qrv::platform
