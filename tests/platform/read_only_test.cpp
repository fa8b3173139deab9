// The forwarding wrappers of the platform layer and the read-only views built on them: a wrapper
// that overrides one call still reaches the wrapped object with every other, and the read-only
// views refuse every change while reads pass.
#include "platform/read_only.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/doubles.h"

namespace qrv::platform {
namespace {

using testing::MemRegistry;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::TreeOf;
using testing::WriteFileBytes;

constexpr RegRoot kUser = RegRoot::kCurrentUser;
const std::string kKey = "Software\\Quorvane\\Installation";

RegValue Sz(const std::string& text) {
  return RegValue{kRegSz, text + '\0'};
}

// Overrides one call only: removing fails.
class NoRemove final : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  OsError Remove(const std::string&) override { return kSharingViolation; }
};

TEST(FileSystemWrapperTest, ASubclassChangesOneCallAndEveryOtherReachesTheTarget) {
  TempFolder temp;
  testing::FaultyFileSystem target;  // counts what reaches it
  NoRemove fs(target);
  const std::string folder = temp.Path() + "A" + kPathSeparator + "B" + kPathSeparator;
  EXPECT_EQ(fs.CreateFolders(folder), kOk);
  std::unique_ptr<File> file;
  ASSERT_EQ(fs.Open(folder + "x.dat", OpenMode::kCreate, &file), kOk);
  EXPECT_EQ(file->WriteAt(0, "abc", 3), kOk);
  EXPECT_EQ(file->Close(), kOk);
  EXPECT_EQ(fs.Rename(folder + "x.dat", folder + "y.dat"), kOk);
  std::vector<FileInfo> found;
  ASSERT_EQ(fs.Find(folder + "*.dat", &found), kOk);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "y.dat");
  EXPECT_EQ(found[0].size, 3);
  EXPECT_EQ(fs.TempDir(), target.TempDir());
  EXPECT_FALSE(fs.ReadOnly());
  // CreateFolders, Open, WriteAt, Close, Rename, Find: six operations reached the target.
  EXPECT_EQ(target.Operations(), 6);
  EXPECT_EQ(fs.Remove(folder + "y.dat"), kSharingViolation);
  EXPECT_EQ(target.Operations(), 6);
  EXPECT_EQ(ReadFileBytes(folder + "y.dat"), "abc");
}

// Overrides one call only: every value reads as "fest".
class FixedValues final : public RegistryWrapper {
 public:
  using RegistryWrapper::RegistryWrapper;
  OsError QueryValue(RegRoot, const std::string&, const std::string&, RegValue* out) override {
    *out = Sz("fest");
    return kOk;
  }
};

TEST(RegistryWrapperTest, ASubclassChangesOneCallAndEveryOtherReachesTheTarget) {
  MemRegistry target;
  FixedValues reg(target);
  EXPECT_EQ(reg.CreateKey(kUser, kKey + "\\Sub"), kOk);
  EXPECT_EQ(reg.OpenKey(kUser, kKey), kOk);
  EXPECT_EQ(reg.SetValue(kUser, kKey, "DataPath", Sz("/daten")), kOk);
  EXPECT_EQ(reg.SetValue(kUser, kKey, "Weg", Sz("x")), kOk);
  EXPECT_EQ(reg.DeleteValue(kUser, kKey, "Weg"), kOk);
  std::vector<std::string> names;
  EXPECT_EQ(reg.EnumValues(kUser, kKey, &names), kOk);
  EXPECT_EQ(names, std::vector<std::string>{"DataPath"});
  EXPECT_EQ(reg.EnumKeys(kUser, kKey, &names), kOk);
  EXPECT_EQ(names, std::vector<std::string>{"Sub"});
  RegKeyInfo info;
  EXPECT_EQ(reg.QueryKeyInfo(kUser, kKey, &info), kOk);
  EXPECT_EQ(info.values, 1u);
  EXPECT_EQ(info.subKeys, 1u);
  EXPECT_EQ(reg.DeleteKey(kUser, kKey + "\\Sub"), kOk);
  EXPECT_EQ(target.OpenKey(kUser, kKey + "\\Sub"), kFileNotFound);
  EXPECT_EQ(reg.Flush(kUser, kKey), kOk);
  EXPECT_FALSE(reg.ReadOnly());
  RegValue v;
  EXPECT_EQ(reg.QueryValue(kUser, kKey, "DataPath", &v), kOk);
  EXPECT_EQ(v.data, Sz("fest").data);
  EXPECT_EQ(target.QueryValue(kUser, kKey, "DataPath", &v), kOk);
  EXPECT_EQ(v.data, Sz("/daten").data);
}

TEST(ReadOnlyFileSystemTest, RefusesEveryChangeAndLeavesTheFolderAsItWas) {
  TempFolder temp;
  const std::string dir = temp.Path();
  WriteFileBytes(dir + "a.dat", "alt");
  FileSystem& system = *SystemPlatform().files;
  ASSERT_EQ(system.CreateFolders(dir + "sub"), kOk);
  ReadOnlyFileSystem fs(system);
  const auto before = TreeOf(dir);
  struct Case {
    const char* label;
    std::function<OsError()> change;
  };
  auto open = [&fs](const std::string& path, OpenMode mode) {
    std::unique_ptr<File> file;
    const OsError error = fs.Open(path, mode, &file);
    EXPECT_EQ(file, nullptr);
    return error;
  };
  auto onOpenFile = [&fs, dir](const std::function<OsError(File&)>& change) {
    std::unique_ptr<File> file;
    EXPECT_EQ(fs.Open(dir + "a.dat", OpenMode::kRead, &file), kOk);
    return change(*file);
  };
  const Case cases[] = {
      {"create a new file", [&] { return open(dir + "neu.dat", OpenMode::kCreate); }},
      {"create over an existing file", [&] { return open(dir + "a.dat", OpenMode::kCreate); }},
      {"open for writing", [&] { return open(dir + "a.dat", OpenMode::kReadWrite); }},
      {"rename", [&] { return fs.Rename(dir + "a.dat", dir + "b.dat"); }},
      {"remove", [&] { return fs.Remove(dir + "a.dat"); }},
      {"create folders", [&] { return fs.CreateFolders(dir + "x" + kPathSeparator + "y"); }},
      {"create an existing folder", [&] { return fs.CreateFolders(dir + "sub"); }},
      {"write to a file open for reading",
       [&] { return onOpenFile([](File& f) { return f.WriteAt(0, "neu", 3); }); }},
      {"truncate a file open for reading",
       [&] { return onOpenFile([](File& f) { return f.Truncate(0); }); }},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.change(), kAccessDenied) << c.label;
    EXPECT_EQ(TreeOf(dir), before) << c.label;
  }
  EXPECT_TRUE(fs.ReadOnly());
}

TEST(ReadOnlyFileSystemTest, ReadsPassThrough) {
  TempFolder temp;
  WriteFileBytes(temp.Path() + "a.dat", "abcdef");
  ReadOnlyFileSystem fs(*SystemPlatform().files);
  std::unique_ptr<File> file;
  ASSERT_EQ(fs.Open(temp.Path() + "A.DAT", OpenMode::kRead, &file), kOk);
  char buffer[4] = {};
  size_t got = 0;
  EXPECT_EQ(file->ReadAt(2, buffer, 4, &got), kOk);
  EXPECT_EQ(std::string(buffer, got), "cdef");
  int64_t size = 0;
  EXPECT_EQ(file->Size(&size), kOk);
  EXPECT_EQ(size, 6);
  EXPECT_EQ(file->Close(), kOk);
  std::vector<FileInfo> found;
  EXPECT_EQ(fs.Find(temp.Path() + "*", &found), kOk);
  EXPECT_EQ(found.size(), 1u);
  EXPECT_EQ(fs.Open(temp.Path() + "fehlt.dat", OpenMode::kRead, &file), kFileNotFound);
  // A wrapper over the read-only view says so too.
  EXPECT_TRUE(FileSystemWrapper(static_cast<FileSystem&>(fs)).ReadOnly());
}

TEST(ReadOnlyRegistryTest, RefusesEveryChangeAndOpensWhatExists) {
  MemRegistry target;
  ASSERT_EQ(target.CreateKey(kUser, kKey + "\\Sub"), kOk);
  ASSERT_EQ(target.SetValue(kUser, kKey, "DataPath", Sz("/daten")), kOk);
  ReadOnlyRegistry reg(target);
  struct Case {
    const char* label;
    std::function<OsError()> change;
    OsError want;
  };
  const Case cases[] = {
      {"create a missing key", [&] { return reg.CreateKey(kUser, kKey + "\\Neu"); }, kAccessDenied},
      {"set a value", [&] { return reg.SetValue(kUser, kKey, "DataPath", Sz("/x")); },
       kAccessDenied},
      {"add a value", [&] { return reg.SetValue(kUser, kKey, "Neu", Sz("1")); }, kAccessDenied},
      {"delete a value", [&] { return reg.DeleteValue(kUser, kKey, "DataPath"); }, kAccessDenied},
      {"delete a key", [&] { return reg.DeleteKey(kUser, kKey + "\\Sub"); }, kAccessDenied},
      {"create an existing key", [&] { return reg.CreateKey(kUser, kKey); }, kOk},
      {"flush", [&] { return reg.Flush(kUser, kKey); }, kOk},
  };
  for (const Case& c : cases) EXPECT_EQ(c.change(), c.want) << c.label;
  EXPECT_EQ(target.OpenKey(kUser, kKey + "\\Neu"), kFileNotFound);
  EXPECT_EQ(target.OpenKey(kUser, kKey + "\\Sub"), kOk);
  std::vector<std::string> names;
  EXPECT_EQ(reg.EnumValues(kUser, kKey, &names), kOk);
  EXPECT_EQ(names, std::vector<std::string>{"DataPath"});
  RegValue v;
  EXPECT_EQ(reg.QueryValue(kUser, kKey, "DataPath", &v), kOk);
  EXPECT_EQ(v.data, Sz("/daten").data);
  EXPECT_TRUE(reg.ReadOnly());
  EXPECT_TRUE(RegistryWrapper(static_cast<Registry&>(reg)).ReadOnly());
}

}  // namespace
}  // namespace qrv::platform
