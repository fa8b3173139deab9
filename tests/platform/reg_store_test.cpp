// The registry stores: the tree semantics (through the in-memory double) and the .reg file store
// with its atomic rewrite, its reload after another writer and its failures.
#include <gtest/gtest.h>

// GCC 12 at -O3 reports the strings of the constant case tables below as maybe uninitialized
// (a known false positive of its string inlining); clang and lower levels see nothing.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/posix/posix_files.h"
#include "platform/posix/posix_system.h"
#include "platform/reg_store.h"
#include "platform/reg_text.h"
#include "support/doubles.h"

namespace qrv::platform {
namespace {

namespace fs = std::filesystem;
using testing::FolderListing;
using testing::MemRegistry;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

constexpr RegRoot kUser = RegRoot::kCurrentUser;
constexpr RegRoot kMachine = RegRoot::kLocalMachine;
const std::string kKey = "Software\\Quorvane\\Installation";

RegValue Sz(const std::string& text) {
  return RegValue{kRegSz, text + '\0'};
}

std::string QueryText(Registry& reg, RegRoot root, const std::string& path,
                      const std::string& name) {
  RegValue v;
  if (reg.QueryValue(root, path, name, &v) != kOk) return "<missing>";
  return v.data;
}

TEST(RegTreeRegistryTest, KeysAndValues) {
  FixedClock clock;
  clock.SetNow(100.25);
  MemRegistry reg(&clock);
  EXPECT_EQ(reg.OpenKey(kUser, "Software\\Quorvane"), kFileNotFound);
  EXPECT_EQ(reg.SetValue(kUser, kKey, "DataPath", Sz("D:\\")), kFileNotFound);
  ASSERT_EQ(reg.CreateKey(kUser, kKey), kOk);
  EXPECT_EQ(reg.OpenKey(kUser, "\\SOFTWARE\\quorvane"), kOk);
  EXPECT_EQ(reg.OpenKey(kMachine, "Software\\Quorvane"), kFileNotFound);

  ASSERT_EQ(reg.SetValue(kUser, kKey, "DataPath", Sz("D:\\Daten")), kOk);
  ASSERT_EQ(reg.SetValue(kUser, kKey, "", Sz("default")), kOk);
  ASSERT_EQ(reg.SetValue(kUser, kKey, "Zahl", RegValue{kRegDword, std::string("\x07\0\0\0", 4)}),
            kOk);
  ASSERT_EQ(reg.SetValue(kUser, kKey, "DATAPATH", Sz("E:\\")), kOk);  // replaces, keeps name
  EXPECT_EQ(QueryText(reg, kUser, "software\\QUORVANE\\installation", "datapath"),
            std::string("E:\\\0", 4));
  std::vector<std::string> names;
  ASSERT_EQ(reg.EnumValues(kUser, kKey, &names), kOk);
  EXPECT_EQ(names, (std::vector<std::string>{"DataPath", "", "Zahl"}));

  ASSERT_EQ(reg.CreateKey(kUser, "Software\\Quorvane\\Anzeige"), kOk);
  ASSERT_EQ(reg.EnumKeys(kUser, "Software\\Quorvane", &names), kOk);
  EXPECT_EQ(names, (std::vector<std::string>{"Installation", "Anzeige"}));

  RegKeyInfo info;
  ASSERT_EQ(reg.QueryKeyInfo(kUser, kKey, &info), kOk);
  EXPECT_EQ(info.subKeys, 0u);
  EXPECT_EQ(info.values, 3u);
  EXPECT_EQ(info.maxValueNameLen, 8u);
  EXPECT_EQ(info.maxValueLen, 8u);  // "default" and its zero
  EXPECT_EQ(info.lastWrite, 100.25);
  ASSERT_EQ(reg.QueryKeyInfo(kUser, "Software\\Quorvane", &info), kOk);
  EXPECT_EQ(info.subKeys, 2u);
  EXPECT_EQ(info.maxSubKeyLen, 12u);

  EXPECT_EQ(reg.DeleteValue(kUser, kKey, "fehlt"), kFileNotFound);
  EXPECT_EQ(reg.DeleteValue(kUser, kKey, "zahl"), kOk);
  EXPECT_EQ(QueryText(reg, kUser, kKey, "Zahl"), "<missing>");
  EXPECT_EQ(reg.DeleteKey(kUser, "Software\\Quorvane"), kAccessDenied);  // has subkeys
  EXPECT_EQ(reg.DeleteKey(kUser, kKey), kOk);
  EXPECT_EQ(reg.DeleteKey(kUser, kKey), kFileNotFound);
  EXPECT_EQ(reg.DeleteKey(kUser, ""), kAccessDenied);
  EXPECT_EQ(reg.Flush(kUser, "Software\\Quorvane"), kOk);
}

TEST(RegTreeRegistryTest, ARefusedWriteLeavesTheRootAsItWas) {
  MemRegistry reg;
  ASSERT_EQ(reg.CreateKey(kMachine, "Software"), kOk);
  reg.DenyWrites(kMachine);
  EXPECT_EQ(reg.CreateKey(kMachine, "Software\\Quorvane"), kAccessDenied);
  EXPECT_EQ(reg.OpenKey(kMachine, "Software\\Quorvane"), kFileNotFound);
  EXPECT_EQ(reg.CreateKey(kMachine, "Software"), kOk);  // nothing to change
  EXPECT_EQ(reg.CreateKey(kUser, "Software\\Quorvane"), kOk);
}

class RegFileStoreTest : public ::testing::Test {
 protected:
  RegFileStoreTest() { clock.SetNow(46000.5); }

  RegFileStore Store(FileSystem& fs) { return RegFileStore(fs, &clock, userFile, machineFile); }

  TempFolder temp;
  const std::string userFile = temp.Path() + "cfg/quorvane/user.reg";
  const std::string machineFile = temp.Path() + "etc/machine.reg";
  PosixFileSystem files;
  FixedClock clock;
};

TEST_F(RegFileStoreTest, MissingFileIsAnEmptyRootAndReadsCreateNothing) {
  RegFileStore store = Store(files);
  EXPECT_EQ(store.OpenKey(kUser, "Software"), kFileNotFound);
  std::vector<std::string> keys;
  EXPECT_EQ(store.EnumKeys(kUser, "", &keys), kOk);
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(store.CreateKey(kUser, ""), kOk);
  EXPECT_TRUE(FolderListing(temp.Path()).empty());
}

TEST_F(RegFileStoreTest, WritesTheWholeFileAtomically) {
  RegFileStore store = Store(files);
  ASSERT_EQ(store.CreateKey(kUser, kKey), kOk);
  ASSERT_EQ(store.SetValue(kUser, kKey, "DataPath", Sz("D:\\Gr\xFC\xDF")), kOk);
  ASSERT_EQ(store.SetValue(kUser, kKey, "Nr", RegValue{kRegDword, std::string("\x0A\0\0\0", 4)}),
            kOk);
  EXPECT_EQ(FolderListing(temp.Path() + "cfg/quorvane"), std::vector<std::string>{"user.reg"});
  EXPECT_FALSE(fs::exists(machineFile));
  EXPECT_EQ(ReadFileBytes(userFile),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Quorvane]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Quorvane\\Installation]\r\n"
            "\"DataPath\"=\"D:\\\\Gr\xC3\xBC\xC3\x9F\"\r\n"
            "\"Nr\"=dword:0000000a\r\n\r\n");
}

// Each registry type is written in the form regedit uses for it and read back by another store
// with its type and bytes unchanged; string types travel as UTF-16LE in the text.
TEST_F(RegFileStoreTest, EveryValueTypeRoundTripsThroughTheFile) {
  struct Case {
    const char* label;
    RegValue value;
    std::string line;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {"string", {kRegSz, "x\xFC\0"s}, "\"v\"=\"x\xC3\xBC\""},
      {"expandable string",
       {kRegExpandSz, "%A%\\\0"s},
       "\"v\"=hex(2):25,00,41,00,25,00,5c,00,00,00"},
      {"binary", {kRegBinary, "\x00\xFF"s}, "\"v\"=hex:00,ff"},
      {"integer", {kRegDword, "\x0A\0\0\x80"s}, "\"v\"=dword:8000000a"},
      {"multi-string",
       {kRegMultiSz, "ab\0\xFC\x80\x81\0\0"s},
       "\"v\"=hex(7):61,00,62,00,00,00,fc,00,ac,20,81,00,00,00,00,00"},
      {"64-bit number",
       {11, "\x01\x02\x03\x04\x05\x06\x07\x08"s},
       "\"v\"=hex(b):01,02,03,04,05,06,07,08"},
      {"type 0 with bytes", {kRegNone, "\x01\x00"s}, "\"v\"=hex(0):01,00"},
      {"type 0 empty", {kRegNone, ""}, "\"v\"=hex(0):"},
      {"resource list", {8, "\x7F"s}, "\"v\"=hex(8):7f"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    fs::remove(userFile);
    {
      RegFileStore store = Store(files);
      ASSERT_EQ(store.CreateKey(kUser, "K"), kOk);
      ASSERT_EQ(store.SetValue(kUser, "K", "v", c.value), kOk);
    }
    EXPECT_EQ(ReadFileBytes(userFile),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n" + c.line +
                  "\r\n\r\n");
    RegFileStore later = Store(files);
    RegValue back;
    ASSERT_EQ(later.QueryValue(kUser, "K", "v", &back), kOk);
    EXPECT_EQ(back.type, c.value.type);
    EXPECT_EQ(back.data, c.value.data);
  }
}

TEST_F(RegFileStoreTest, SeesWhatAnotherWriterChanged) {
  RegFileStore a = Store(files);
  RegFileStore b = Store(files);
  ASSERT_EQ(a.CreateKey(kUser, kKey), kOk);
  ASSERT_EQ(a.SetValue(kUser, kKey, "x", Sz("1")), kOk);
  EXPECT_EQ(QueryText(b, kUser, kKey, "x"), Sz("1").data);
  ASSERT_EQ(b.SetValue(kUser, kKey, "x", Sz("22")), kOk);
  EXPECT_EQ(QueryText(a, kUser, kKey, "x"), Sz("22").data);

  // A regedit export dropped in place of the file.
  std::ofstream(userFile, std::ios::binary)
      << std::string("\xFF\xFE[\0H\0K\0C\0U\0\\\0K\0]\0\n\0\"\0y\0\"\0=\0\"\0\xFC\0\"\0\n\0", 36);
  EXPECT_EQ(QueryText(a, kUser, "K", "y"), std::string("\xFC\0", 2));
  EXPECT_EQ(a.OpenKey(kUser, kKey), kFileNotFound);
  RegKeyInfo info;
  ASSERT_EQ(a.QueryKeyInfo(kUser, "K", &info), kOk);
  std::vector<FileInfo> found;
  ASSERT_EQ(files.Find(userFile, &found), kOk);
  EXPECT_EQ(info.lastWrite, found[0].lastWrite);  // loaded keys carry the file's time
  ASSERT_EQ(a.SetValue(kUser, "K", "z", Sz("")), kOk);
  ASSERT_EQ(a.QueryKeyInfo(kUser, "K", &info), kOk);
  EXPECT_EQ(info.lastWrite, 46000.5);  // a change carries the clock's
}

TEST_F(RegFileStoreTest, KeepsKeysOfTheOtherRootInAFile) {
  fs::create_directories(temp.Path() + "cfg/quorvane");
  std::ofstream(userFile) << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\M]\n\"m\"=\"1\"\n";
  RegFileStore store = Store(files);
  ASSERT_EQ(store.CreateKey(kUser, "U"), kOk);
  EXPECT_EQ(store.OpenKey(kMachine, "M"), kFileNotFound);  // the machine root has its own file
  RegDocument doc;
  ParseRegText(ReadFileBytes(userFile), &doc);
  EXPECT_NE(doc.currentUser.FindSubKey("U"), nullptr);
  ASSERT_NE(doc.localMachine.FindSubKey("M"), nullptr);
  EXPECT_EQ(doc.localMachine.FindSubKey("M")->values.size(), 1u);
}

TEST_F(RegFileStoreTest, ARootWhoseFolderCannotBeWrittenAnswersAccessDenied) {
  std::ofstream(temp.Path() + "etc") << "a file where the folder should be";
  RegFileStore store = Store(files);
  EXPECT_EQ(store.CreateKey(kMachine, "Software\\Quorvane"), kAccessDenied);
  EXPECT_EQ(store.OpenKey(kMachine, "Software"), kFileNotFound);
  EXPECT_EQ(store.CreateKey(kUser, "Software\\Quorvane"), kOk);
}

// Fails each file operation of a change in turn, once, persistently and as a half write, until
// the change goes through untouched: the file always holds the old or the new content, the
// store agrees with it, no file stays open and no temporary file is left behind.
TEST_F(RegFileStoreTest, EveryFailedWriteLeavesTheOldFile) {
  {
    RegFileStore setup = Store(files);
    ASSERT_EQ(setup.CreateKey(kUser, kKey), kOk);
    ASSERT_EQ(setup.SetValue(kUser, kKey, "v", Sz("alt")), kOk);
  }
  const std::string before = ReadFileBytes(userFile);
  enum Mode { kOnce, kPersistent, kShort };
  for (Mode mode : {kOnce, kPersistent, kShort}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(::testing::Message() << "mode " << mode << ", operation " << n);
      fs::remove_all(temp.Path() + "cfg/quorvane");
      fs::create_directories(temp.Path() + "cfg/quorvane");
      std::ofstream(userFile, std::ios::binary) << before;
      testing::FaultyFileSystem faulty(files);
      RegFileStore store = Store(faulty);
      ASSERT_EQ(store.OpenKey(kUser, kKey), kOk);  // loaded before the faults start
      if (mode == kShort) {
        faulty.ShortWrite(n);
      } else {
        faulty.FailOperation(n, kDiskFull, mode == kPersistent);
      }
      const OsError err = store.SetValue(kUser, kKey, "v", Sz("neu und l\xE4nger"));
      const bool injected = faulty.InjectedFaults() > 0;
      faulty.ClearFaults();
      EXPECT_EQ(faulty.OpenFiles(), 0);
      // With every operation failing, removing the temporary file fails as well.
      if (mode != kPersistent) {
        EXPECT_EQ(FolderListing(temp.Path() + "cfg/quorvane"),
                  std::vector<std::string>{"user.reg"});
      }
      RegFileStore fresh = Store(files);
      const std::string stored = QueryText(fresh, kUser, kKey, "v");
      EXPECT_EQ(stored, err == kOk ? Sz("neu und l\xE4nger").data : Sz("alt").data);
      EXPECT_EQ(QueryText(store, kUser, kKey, "v"), stored);
      EXPECT_TRUE(err == kOk || err == kDiskFull || err == kAccessDenied) << err;
      if (!injected) break;
    }
  }
}

TEST(RegistryFilesTest, FollowTheEnvironment) {
  struct Case {
    const char* label;
    std::map<std::string, std::string> env;
    RegistryFiles want;
  } cases[] = {
      {"moved",
       {{"QUORVANE_REGISTRY_DIR", "/srv/reg/"}, {"HOME", "/home/u"}},
       {"/srv/reg/user.reg", "/srv/reg/machine.reg"}},
      {"XDG",
       {{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}},
       {"/cfg/quorvane/user.reg", "/etc/quorvane/machine.reg"}},
      {"relative XDG ignored",
       {{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}},
       {"/home/u/.config/quorvane/user.reg", "/etc/quorvane/machine.reg"}},
      {"home only",
       {{"HOME", "/home/u"}},
       {"/home/u/.config/quorvane/user.reg", "/etc/quorvane/machine.reg"}},
  };
  for (const Case& c : cases) {
    const RegistryFiles got = RegistryFilesFrom([&c](const char* name) -> const char* {
      auto it = c.env.find(name);
      return it == c.env.end() ? nullptr : it->second.c_str();
    });
    EXPECT_EQ(got.user, c.want.user) << c.label;
    EXPECT_EQ(got.machine, c.want.machine) << c.label;
  }
}

TEST(RegistryFilesTest, AMovedRegistryKeepsBothRootsInTheFolder) {
  TempFolder temp;
  const std::string dir = temp.Path() + "reg";
  const RegistryFiles paths = RegistryFilesFrom([&dir](const char* name) -> const char* {
    return std::string(name) == "QUORVANE_REGISTRY_DIR" ? dir.c_str() : nullptr;
  });
  PosixFileSystem files;
  RegFileStore store(files, nullptr, paths.user, paths.machine);
  ASSERT_EQ(store.CreateKey(kUser, "U"), kOk);
  ASSERT_EQ(store.CreateKey(kMachine, "M"), kOk);
  EXPECT_EQ(FolderListing(dir), (std::vector<std::string>{"machine.reg", "user.reg"}));
}

}  // namespace
}  // namespace qrv::platform
