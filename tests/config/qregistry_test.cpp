#include "config/qregistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "config/konfig.h"
#include "platform/reg_store.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using platform::kOk;
using platform::RegRoot;
using platform::RegValue;
using testing::MemRegistry;
using namespace std::string_literals;

constexpr RegRoot kUser = RegRoot::kCurrentUser;
constexpr RegRoot kMachine = RegRoot::kLocalMachine;
const char kTree[] = "Software\\Quorvane\\Installation";
const char kTreeFromRoot[] = "\\Software\\Quorvane\\Installation";

RegValue Value(uint32_t type, std::string data) {
  return {type, std::move(data)};
}

RegValue Dword(uint32_t v) {
  std::string d(4, '\0');
  for (int i = 0; i < 4; ++i) d[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return {platform::kRegDword, d};
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  return out;
}

// Every key and value below path as "subpath|name|type|bytes" lines (keys alone as "subpath"),
// in enumeration order, so two trees compare as wholes and a difference reads plainly.
void DumpInto(platform::Registry& reg, RegRoot root, const std::string& path,
              const std::string& rel, std::vector<std::string>* out) {
  out->push_back("[" + rel + "]");
  std::vector<std::string> names;
  reg.EnumValues(root, path, &names);
  for (const std::string& name : names) {
    RegValue v;
    reg.QueryValue(root, path, name, &v);
    out->push_back(rel + "|" + name + "|" + std::to_string(v.type) + "|" + Hex(v.data));
  }
  reg.EnumKeys(root, path, &names);
  for (const std::string& sub : names) {
    DumpInto(reg, root, path + "\\" + sub, rel.empty() ? sub : rel + "\\" + sub, out);
  }
}

std::vector<std::string> Dump(platform::Registry& reg, RegRoot root, const std::string& path) {
  std::vector<std::string> out;
  if (reg.OpenKey(root, path) == kOk) DumpInto(reg, root, path, "", &out);
  return out;
}

// Both roots whole.
std::vector<std::string> DumpAll(platform::Registry& reg) {
  std::vector<std::string> all = Dump(reg, kUser, "");
  for (const std::string& line : Dump(reg, kMachine, "")) all.push_back("HKLM " + line);
  return all;
}

// An installation tree with two levels of subkeys and every kind of value the copy treats
// differently: the default value, string, integer, binary, expandable string, types the class has
// no data type for (a multi-string, a 64-bit number, a value of type 0) and an empty binary.
void WriteInstallationTree(platform::Registry& reg, RegRoot root) {
  const std::string t = kTree;
  reg.CreateKey(root, t + "\\Anzeige\\Spalten");
  reg.CreateKey(root, t + "\\Leer");
  reg.SetValue(root, t, "", Value(platform::kRegSz, "Standard\0"s));
  reg.SetValue(root, t, "DataPath", Value(platform::kRegSz, "D:\\Daten\xFC\0"s));
  reg.SetValue(root, t, "NetStationNumber", Dword(0x12345678));
  reg.SetValue(root, t,
               "Schl\xFC"
               "ssel",
               Value(platform::kRegBinary, "\x00\xFF\x10\x80"s));
  reg.SetValue(root, t, "Pfad", Value(platform::kRegExpandSz, "%TEMP%\\x\0"s));
  reg.SetValue(root, t, "Liste", Value(platform::kRegMultiSz, "ab\0cd\0\0"s));
  reg.SetValue(root, t, "Gross", Value(11, "\x01\x02\x03\x04\x05\x06\x07\x08"s));
  reg.SetValue(root, t, "Roh", Value(platform::kRegNone, "\xFE\x00"s));
  reg.SetValue(root, t, "Nichts", Value(platform::kRegBinary, ""));
  reg.SetValue(root, t + "\\Anzeige", "ViewFlags", Dword(11));
  reg.SetValue(root, t + "\\Anzeige\\Spalten", "Breite", Value(platform::kRegBinary, "\x01"s));
  reg.SetValue(root, t + "\\Anzeige\\Spalten", "Titel", Value(platform::kRegSz, "Name\0"s));
}

// The tree as it must arrive: every value with its own type and bytes, the empty binary left out.
std::vector<std::string> ExpectedCopy(std::vector<std::string> source) {
  std::vector<std::string> out;
  for (const std::string& line : source) {
    if (line != "|Nichts|3|") out.push_back(line);
  }
  return out;
}

class QRegistryTest : public ::testing::Test {
 protected:
  MemRegistry reg;
};

TEST_F(QRegistryTest, MoveReproducesTheTreeUnderTheTargetRootAndDeletesTheSource) {
  WriteInstallationTree(reg, kUser);
  reg.SetValue(kUser, "Software\\Quorvane", "Install_Local_Machine", Dword(1));
  const std::vector<std::string> source = Dump(reg, kUser, kTree);
  ASSERT_EQ(source.size(), 16u);

  TQRegistry r(reg);
  r.MoveKeyBetweenRoots(kUser, kMachine, true, kTreeFromRoot, kTreeFromRoot);

  const std::vector<std::string> copy = Dump(reg, kMachine, kTree);
  EXPECT_EQ(copy, ExpectedCopy(source));
  for (const char* line :
       {"|Liste|7|61620063640000", "|Gross|11|0102030405060708", "|Roh|0|fe00", "|Pfad|2|"}) {
    EXPECT_TRUE(std::any_of(copy.begin(), copy.end(), [&](const std::string& l) {
      return l.rfind(line, 0) == 0;
    })) << line;
  }
  EXPECT_EQ(reg.OpenKey(kUser, kTree), platform::kFileNotFound);
  // Only the tree moves: its parent and the parent's values stay with the user.
  RegValue flag;
  EXPECT_EQ(reg.QueryValue(kUser, "Software\\Quorvane", "Install_Local_Machine", &flag), kOk);
  EXPECT_EQ(r.RootKey(), kUser);
}

// The Linux registry: the moved tree is written to machine.reg and read back from it by another
// store with every value's type and bytes.
TEST_F(QRegistryTest, TheFileStoreKeepsEveryMovedValueWithItsType) {
  testing::TempFolder folder;
  testing::TestPlatform tp;
  platform::FileSystem& files = tp.files;
  const std::string user = folder.Path() + "user.reg";
  const std::string machine = folder.Path() + "machine.reg";
  std::vector<std::string> source;
  {
    platform::RegFileStore store(files, nullptr, user, machine);
    WriteInstallationTree(store, kUser);
    source = Dump(store, kUser, kTree);
    TQRegistry r(store);
    r.MoveKeyBetweenRoots(kUser, kMachine, true, kTreeFromRoot, kTreeFromRoot);
  }
  platform::RegFileStore later(files, nullptr, user, machine);
  EXPECT_EQ(Dump(later, kMachine, kTree), ExpectedCopy(source));
  EXPECT_EQ(later.OpenKey(kUser, kTree), platform::kFileNotFound);
  const std::string text = testing::ReadFileBytes(machine);
  for (const char* line :
       {"\"Liste\"=hex(7):61,00,62,00,00,00,63,00,64,00,00,00,00,00\r\n",
        "\"Gross\"=hex(b):01,02,03,04,05,06,07,08\r\n", "\"Roh\"=hex(0):fe,00\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
}

TEST_F(QRegistryTest, MoveWithoutDeleteKeepsTheSourceAndMayRenameTheTree) {
  WriteInstallationTree(reg, kUser);
  const std::vector<std::string> source = Dump(reg, kUser, kTree);

  TQRegistry r(reg);
  r.MoveKeyBetweenRoots(kUser, kMachine, false, "\\Software\\Kopie", kTreeFromRoot);

  EXPECT_EQ(Dump(reg, kUser, kTree), source);
  EXPECT_EQ(Dump(reg, kMachine, "Software\\Kopie"), ExpectedCopy(source));
}

TEST_F(QRegistryTest, MovesThatMustNotHappenLeaveBothRootsAsTheyWere) {
  struct Case {
    const char* label;
    RegRoot targetRoot;
    std::string target;
    std::string source;
  };
  const Case cases[] = {
      {"missing source", kMachine, kTreeFromRoot, "\\Software\\Fehlt"},
      {"target is the source", kUser, kTreeFromRoot, kTreeFromRoot},
      {"target below the source", kUser, "\\software\\QUORVANE\\installation\\Anzeige\\Neu",
       kTreeFromRoot},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    MemRegistry fresh;
    WriteInstallationTree(fresh, kUser);
    const std::vector<std::string> before = DumpAll(fresh);
    TQRegistry r(fresh);
    r.MoveKeyBetweenRoots(kUser, c.targetRoot, true, c.target, c.source);
    EXPECT_EQ(DumpAll(fresh), before);
  }
}

TEST_F(QRegistryTest, FailuresEndTheMoveAndDeleteNothing) {
  struct Case {
    const char* label;
    bool targetExists;  // an existing key is opened without a write, so the first value fails
    std::string message;
  };
  const Case cases[] = {
      {"target cannot be created", false,
       "Erzeugung von Schl\xFC"
       "ssel \\Software\\Quorvane\\Installation mi\xDF"
       "lungen"},
      {"value cannot be written", true,
       "Fehler beim Setzen der Daten f\xFC"
       "r ''"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    MemRegistry fresh;
    WriteInstallationTree(fresh, kUser);
    if (c.targetExists) fresh.CreateKey(kMachine, kTree);
    fresh.DenyWrites(kMachine);
    const std::vector<std::string> before = DumpAll(fresh);
    TQRegistry r(fresh);
    try {
      r.MoveKeyBetweenRoots(kUser, kMachine, true, kTreeFromRoot, kTreeFromRoot);
      ADD_FAILURE() << "no exception";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(DumpAll(fresh), before);
  }
}

TEST_F(QRegistryTest, AKeyOpenedForReadingCannotTakeTheCopy) {
  WriteInstallationTree(reg, kUser);
  const std::vector<std::string> before = Dump(reg, kUser, kTree);
  TQRegistry r(reg, kKeyRead);
  EXPECT_THROW(r.MoveKeyBetweenRoots(kUser, kMachine, true, kTreeFromRoot, kTreeFromRoot),
               ERegistryException);
  EXPECT_EQ(Dump(reg, kUser, kTree), before);
  EXPECT_EQ(Dump(reg, kMachine, kTree), std::vector<std::string>{"[]"});
}

TEST_F(QRegistryTest, PathsStartAtTheRootOrAtTheCurrentKey) {
  TQRegistry r(reg);
  r.SetRootKey(kMachine);
  ASSERT_TRUE(r.OpenKey("Software\\Quorvane", true));
  EXPECT_EQ(r.CurrentPath(), "Software\\Quorvane");
  r.CreateKey("Installation\\Anzeige");  // below the current key
  r.CreateKey("\\Firma");                // from the root
  EXPECT_EQ(reg.OpenKey(kMachine, "Software\\Quorvane\\Installation\\Anzeige"), kOk);
  EXPECT_EQ(reg.OpenKey(kMachine, "Firma"), kOk);
  EXPECT_EQ(reg.OpenKey(kMachine, "Software\\Quorvane\\Firma"), platform::kFileNotFound);
  EXPECT_EQ(reg.OpenKey(kUser, "Firma"), platform::kFileNotFound);

  ASSERT_TRUE(r.GetKey("Installation").has_value());
  EXPECT_EQ(r.GetKey("Installation")->Path, "Software\\Quorvane\\Installation");
  EXPECT_FALSE(r.GetKey("\\Installation").has_value());
  EXPECT_FALSE(r.OpenKey("Fehlt", false));
  EXPECT_EQ(r.CurrentPath(), "Software\\Quorvane");  // a failed open keeps the current key

  r.SetRootKey(kUser);  // another root closes the current key
  EXPECT_FALSE(r.CurrentKey().has_value());
  EXPECT_EQ(r.CurrentPath(), "");
  EXPECT_FALSE(r.GetKey("Firma").has_value());
}

TEST_F(QRegistryTest, ValuesOfTheCurrentKey) {
  TQRegistry r(reg);
  ASSERT_TRUE(r.OpenKey("\\Software\\Quorvane", true));
  r.WriteData("Bin", "\x01\x00\x02"s, rdBinary);
  r.WriteData("Zahl", Dword(7).data, rdInteger);
  r.WriteData("Text", "abc\0"s, rdString);

  TRegDataInfo info;
  ASSERT_TRUE(r.GetDataInfo("Bin", &info));
  EXPECT_EQ(info.RegData, rdBinary);
  EXPECT_EQ(info.DataSize, 3u);
  EXPECT_EQ(r.GetDataSize("Text"), 4);
  EXPECT_EQ(r.GetDataSize("Fehlt"), -1);

  char buffer[4] = {};
  TRegDataType type = rdUnknown;
  EXPECT_EQ(r.ReadData("Zahl", buffer, &type), 4u);
  EXPECT_EQ(type, rdInteger);
  EXPECT_EQ(std::string(buffer, 4), Dword(7).data);
  char small[2] = {};
  EXPECT_THROW(r.ReadData("Bin", small, &type), ERegistryException);
  try {
    r.ReadData("Fehlt", buffer, &type);
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(),
              "Fehler beim Holen der Daten f\xFC"
              "r 'Fehlt'");
  }

  platform::RegKeyInfo keyInfo;
  r.CreateKey("Unter");
  ASSERT_TRUE(r.GetKeyInfo(&keyInfo));
  EXPECT_EQ(keyInfo.values, 3u);
  EXPECT_EQ(keyInfo.subKeys, 1u);

  r.CloseKey();
  EXPECT_FALSE(r.GetKeyInfo(&keyInfo));
  EXPECT_THROW(r.WriteData("Bin", "x", rdBinary), ERegistryException);
}

TEST_F(QRegistryTest, DeleteKeyRemovesTheWholeTreeButNeverARoot) {
  WriteInstallationTree(reg, kUser);
  TQRegistry r(reg);
  EXPECT_FALSE(r.DeleteKey("\\"));
  EXPECT_FALSE(r.DeleteKey(""));
  EXPECT_EQ(reg.OpenKey(kUser, kTree), kOk);
  EXPECT_FALSE(r.DeleteKey("\\Software\\Fehlt"));

  EXPECT_TRUE(r.DeleteKey("Software\\Quorvane"));
  EXPECT_EQ(reg.OpenKey(kUser, "Software\\Quorvane"), platform::kFileNotFound);
  EXPECT_EQ(reg.OpenKey(kUser, "Software"), kOk);
}

// The machine-wide switch of the settings object.
class MachineSwitchTest : public ::testing::Test {
 protected:
  MachineSwitchTest() {
    tp.host.exePath = "/opt/zeit/bin/zeit";
    std::ofstream(data.Path() + "QUORVANE.INI") << "[Installation]\r\nAuswOffset=0\r\n";
  }

  // A user tree naming the data folder; switched to the machine when machineWide.
  void SetUpUser(bool machineWide) {
    WriteInstallationTree(tp.registry, kUser);
    tp.registry.SetValue(kUser, kTree, "DataPath", Value(platform::kRegSz, DataFolder() + '\0'));
    if (machineWide) {
      tp.registry.SetValue(kUser, "Software\\Quorvane", "Install_Local_Machine", Dword(1));
    }
  }

  std::string DataFolder() const { return data.Path().substr(0, data.Path().size() - 1); }

  std::unique_ptr<TKonfig> Loaded() {
    auto k = std::make_unique<TKonfig>(tp.Get(), reported);
    k->Load();
    return k;
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
};

TEST_F(MachineSwitchTest, WithoutTheSwitchTheUserTreeServes) {
  SetUpUser(false);
  const std::vector<std::string> before = DumpAll(tp.registry);
  auto k = Loaded();
  EXPECT_EQ(k->InstallationView().Root(), kUser);
  EXPECT_EQ(k->DataPath, data.Path());
  EXPECT_EQ(k->NetStationNumber, 0x12345678);
  EXPECT_EQ(DumpAll(tp.registry), before);
}

TEST_F(MachineSwitchTest, TheUserTreeMovesToTheMachineOnce) {
  SetUpUser(true);
  const std::vector<std::string> user = Dump(tp.registry, kUser, kTree);

  auto k = Loaded();
  EXPECT_EQ(k->InstallationView().Root(), kMachine);
  EXPECT_EQ(k->DataPath, data.Path());
  EXPECT_EQ(k->NetStationNumber, 0x12345678);
  EXPECT_EQ(Dump(tp.registry, kMachine, kTree), ExpectedCopy(user));
  EXPECT_EQ(tp.registry.OpenKey(kUser, kTree), platform::kFileNotFound);

  // A second start finds the machine tree and moves nothing, even when the user has a tree
  // again.
  tp.registry.CreateKey(kUser, kTree);
  tp.registry.SetValue(kUser, kTree, "DataPath", Value(platform::kRegSz, "/anderswo\0"s));
  const std::vector<std::string> before = DumpAll(tp.registry);
  reported = false;
  auto again = Loaded();
  EXPECT_EQ(DumpAll(tp.registry), before);
  EXPECT_EQ(again->DataPath, data.Path());
}

TEST_F(MachineSwitchTest, AMachineKeyThatCannotBeCreatedFailsTheConstruction) {
  SetUpUser(true);
  tp.registry.DenyWrites(kMachine);
  const std::vector<std::string> before = DumpAll(tp.registry);
  try {
    TKonfig k(tp.Get(), reported);
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(),
              "Erzeugung von Schl\xFC"
              "ssel \\Software\\Quorvane\\Installation mi\xDF"
              "lungen");
  }
  EXPECT_EQ(DumpAll(tp.registry), before);
}

}  // namespace
}  // namespace qrv
