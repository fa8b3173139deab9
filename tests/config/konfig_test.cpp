#include "config/konfig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/read_only.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using platform::RegRoot;
using platform::RegValue;
using testing::TempFolder;
using testing::TestPlatform;

// A setting of v minutes is exactly v / 1440 of a day.
double Minuten(int v) {
  return v / 1440.0;
}

RegValue Dword(uint32_t v) {
  std::string d(4, '\0');
  for (int i = 0; i < 4; ++i) d[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return {platform::kRegDword, d};
}

RegValue Text(const std::string& s) {
  return {platform::kRegSz, s + '\0'};
}

class KonfigTest : public ::testing::Test {
 protected:
  KonfigTest() {
    tp.host.exePath = "/opt/zeit/bin/zeit";
    UseData(tp, "");
  }

  // Points p's registry at the data folder, whose settings file gets the extra lines.
  void UseData(TestPlatform& p, const std::string& extra) {
    std::ofstream(data.Path() + "QUORVANE.INI") << "[Installation]\r\nAuswOffset=0\r\n" << extra;
    p.registry.CreateKey(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DataPath",
                        Text(DataFolder()));
  }

  void SetInstallation(const std::string& name, const RegValue& v,
                       RegRoot root = RegRoot::kCurrentUser) {
    tp.registry.CreateKey(root, "Software\\Quorvane\\Installation");
    tp.registry.SetValue(root, "Software\\Quorvane\\Installation", name, v);
  }

  // The data folder as an installation stores it: without its trailing separator.
  std::string DataFolder() const { return data.Path().substr(0, data.Path().size() - 1); }

  std::unique_ptr<TKonfig> Loaded() {
    auto k = std::make_unique<TKonfig>(tp.Get(), reported);
    k->Load();
    return k;
  }

  TempFolder data;
  TestPlatform tp;
  bool reported = false;
};

// Without a data path the settings file is looked for in the current folder.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~CurrentFolder() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

TEST_F(KonfigTest, WithoutDataPathTheCurrentFolderCounts) {
  tp.registry.DeleteValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DataPath");
  TempFolder elsewhere;
  {
    CurrentFolder cd(elsewhere.Path());
    TKonfig k(tp.Get(), reported);
    EXPECT_THROW(k.Load(), Exception);  // no settings file there: no badge offset
    EXPECT_TRUE(k.Loading);
  }
  int boxes = 0;
  for (const auto& c : tp.ui.calls) boxes += c.kind == "ErrorBox";
  EXPECT_EQ(boxes, 0);
}

TEST_F(KonfigTest, EmptyRegistryGivesTheDefaults) {
  tp.registry.DeleteValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DataPath");
  CurrentFolder cd(data.Path());
  auto k = Loaded();
  EXPECT_EQ(k->DataPath, "");
  EXPECT_EQ(k->PhotoDir, "FOTO/");
  EXPECT_EQ(k->KonfigDir, "KONFIG/");
  EXPECT_TRUE(k->DCF77AtStart);
  EXPECT_FALSE(k->DCF77Active);
  EXPECT_EQ(k->DCF77Start, Minuten(55));
  EXPECT_EQ(k->DCF77Time, Minuten(60));
  EXPECT_EQ(k->DCFComPort, 1);
  EXPECT_EQ(k->ServerAutostartTime, 10);
  EXPECT_TRUE(k->ServerTermInitStart);
  EXPECT_EQ(k->PollIntv, 10 / 86400.0);
  EXPECT_EQ(k->SyncStart, Minuten(55));
  EXPECT_EQ(k->MaxTermTimeDiff, Minuten(45));
  EXPECT_TRUE(k->TermAllowTurbo);
  EXPECT_EQ(k->ViewFlags, 11);
  EXPECT_EQ(k->PersChkTime, 10);
  EXPECT_EQ(k->BrokerAutostartTime, 10);
  EXPECT_EQ(k->StationNo, 0);
  EXPECT_EQ(k->CurrentStation, nullptr);
  EXPECT_EQ(TKonfig::ScramblePassword(k->WSPasswort).size(), 3u);
  EXPECT_EQ(TKonfig::ScramblePassword(k->WXPasswort).size(), 6u);
  EXPECT_EQ(k->WBPasswort, "");
  EXPECT_FALSE(k->Loading);
  EXPECT_EQ(k->ProgramDir, "/opt/zeit/bin/");
}

TEST_F(KonfigTest, ValuesComeAsDwordsOrDecimalTexts) {
  SetInstallation("DCF77Start", Dword(30));
  SetInstallation("DCFComPort", Text("3"));
  SetInstallation("PollIntv", Text("kaputt"));  // not a number: the default
  SetInstallation("TermDebug", Dword(1));
  SetInstallation("NetUser", Text("zeit"));
  SetInstallation("WBPasswort", Dword(7));  // not a text: the default
  auto k = Loaded();
  EXPECT_EQ(k->DCF77Start, Minuten(30));
  EXPECT_EQ(k->DCFComPort, 3);
  EXPECT_EQ(k->PollIntv, 10 / 86400.0);
  EXPECT_TRUE(k->TermDebug);
  EXPECT_EQ(k->NetUser, "zeit");
  EXPECT_EQ(k->WBPasswort, "");
}

TEST_F(KonfigTest, DataPathGetsOneSeparatorAndTheDerivedFolders) {
  SetInstallation("DataPath", Text(DataFolder()));
  auto k = Loaded();
  EXPECT_EQ(k->DataPath, data.Path());
  EXPECT_EQ(k->PhotoDir, data.Path() + "FOTO/");
  EXPECT_EQ(k->KonfigDir, data.Path() + "KONFIG/");
  EXPECT_GT(k->IniFileDate, 0);
  ASSERT_FALSE(tp.ui.calls.empty());
  EXPECT_EQ(tp.ui.calls.front().kind, "Hourglass");
  EXPECT_EQ(tp.ui.calls.back().kind, "Arrow");
}

TEST_F(KonfigTest, StationParameterAndViewFlag) {
  struct Case {
    const char* label;
    std::string param;
    int32_t station;
    bool radioRead;
    uint8_t viewFlags;
  };
  const Case cases[] = {
      {"lower-case station switch", "s:7", 7, false, 11},
      {"station switch without number", "S:x", 1, false, 11},
      {"person view", "-persview", 4, true, 11 | 16},
      {"other parameter clears the view flag", "-x", 4, true, 11},
      {"no parameter", "", 4, true, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TestPlatform p;
    p.host.firstParam = c.param;
    UseData(p, "[Stations]\r\nStation_1=J\r\nStation_4=J\r\nStation_7=J\r\n");
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation",
                        "NetStationNumber", Dword(4));
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DCF77Active",
                        Dword(1));
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DCF77Time",
                        Dword(90));
    p.registry.CreateKey(RegRoot::kCurrentUser, "Software\\Quorvane\\Anzeige");
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Anzeige", "ViewFlags",
                        Dword(0x100 | 11 | 16));
    bool flag = false;
    TKonfig k(p.Get(), flag);
    k.Load();
    EXPECT_EQ(k.StationNo, c.station);
    EXPECT_EQ(k.NetStationNumber, 4);
    EXPECT_EQ(k.DCF77Active, c.radioRead);
    EXPECT_EQ(k.DCF77Time, Minuten(c.radioRead ? 90 : 60));
    EXPECT_EQ(k.DCFComPort, c.radioRead ? 1 : 0);
    EXPECT_EQ(k.ViewFlags, c.viewFlags);
  }
}

TEST_F(KonfigTest, ZeroRadioClockDurationMeansAnHour) {
  SetInstallation("DCF77Time", Dword(0));
  EXPECT_EQ(Loaded()->DCF77Time, 1.0 / 24);
}

TEST_F(KonfigTest, MachineWideSwitchReadsTheMachineTree) {
  tp.registry.CreateKey(RegRoot::kCurrentUser, "Software\\Quorvane");
  tp.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane", "Install_Local_Machine",
                       Dword(1));
  SetInstallation("NetUser", Text("benutzer"));
  SetInstallation("NetUser", Text("maschine"), RegRoot::kLocalMachine);
  SetInstallation("DataPath", Text(DataFolder()), RegRoot::kLocalMachine);
  EXPECT_EQ(Loaded()->NetUser, "maschine");
}

TEST_F(KonfigTest, ReadOnlyTheSwitchReadsTheUsersTreeWhereItWouldBeMoved) {
  tp.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane", "Install_Local_Machine",
                       Dword(1));
  SetInstallation("NetUser", Text("benutzer"));
  platform::ReadOnlyRegistry registry(tp.registry);
  platform::ReadOnlyFileSystem files(tp.files);
  platform::Platform p = tp.Get();
  p.registry = &registry;
  p.files = &files;
  TKonfig user(p, reported);
  user.Load();
  EXPECT_EQ(user.NetUser, "benutzer");
  EXPECT_EQ(user.DataPath, data.Path());
  EXPECT_EQ(tp.registry.OpenKey(RegRoot::kLocalMachine, "Software\\Quorvane\\Installation"),
            platform::kFileNotFound);
  // Once the machine has its tree, that one is read.
  SetInstallation("NetUser", Text("maschine"), RegRoot::kLocalMachine);
  SetInstallation("DataPath", Text(DataFolder()), RegRoot::kLocalMachine);
  TKonfig machine(p, reported);
  machine.Load();
  EXPECT_EQ(machine.NetUser, "maschine");
  EXPECT_EQ(tp.registry.OpenKey(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation"),
            platform::kOk);
}

TEST_F(KonfigTest, ReadOnlyAnInvalidDataPathIsRefusedAsBefore) {
  TempFolder empty;
  SetInstallation("DataPath", Text(empty.Path()));
  platform::ReadOnlyFileSystem files(tp.files);
  platform::Platform p = tp.Get();
  p.files = &files;
  TKonfig k(p, reported);
  try {
    k.Load();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Ung\xFC"
              "ltiger Datenpfad: \r\nBitte neu einstellen!");
  }
  EXPECT_TRUE(k.Loading);
}

TEST_F(KonfigTest, InvalidDataPathIsReportedOncePerProcess) {
  TempFolder empty;
  SetInstallation("DataPath", Text(empty.Path()));
  const std::string expected =
      "Ung\xFC"
      "ltiger Datenpfad: \r\nBitte neu einstellen!";
  TKonfig first(tp.Get(), reported);
  try {
    first.Load();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), expected);
  }
  EXPECT_EQ(first.DataPath, "");
  EXPECT_TRUE(first.Loading);
  EXPECT_EQ(first.PhotoDir, "");  // the folders are not derived
  ASSERT_GE(tp.ui.calls.size(), 1u);
  int boxes = 0;
  for (const auto& c : tp.ui.calls) {
    if (c.kind == "ErrorBox") {
      ++boxes;
      EXPECT_EQ(c.text,
                "Ung\xFC"
                "ltiger Datenpfad: " +
                    empty.Path() + "\r\nBitte neu einstellen!");
    }
  }
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(tp.ui.calls.back().kind, "Arrow");

  // Once reported, the invalid folder is passed over; its missing settings file ends the load.
  TKonfig second(tp.Get(), reported);
  try {
    second.Load();
    FAIL() << "loaded";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "");
  }
  boxes = 0;
  for (const auto& c : tp.ui.calls) boxes += c.kind == "ErrorBox";
  EXPECT_EQ(boxes, 1);
}

TEST_F(KonfigTest, FileSystemErrorsBeforeTheInvalidPathBox) {
  struct Case {
    const char* label;
    platform::OsError error;
    std::string shown;
  };
  const Case cases[] = {
      {"network path gone", 53, "Keine Netzwerkverbindung (" + data.Path() + ")"},
      {"access denied", 5, "Dateizugriff verweigert"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TestPlatform p;
    p.registry.CreateKey(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DataPath",
                        Text(DataFolder()));
    p.files.FailOperation(1, c.error, true);
    bool flag = false;
    TKonfig k(p.Get(), flag);
    EXPECT_THROW(k.Load(), Exception);
    ASSERT_GE(p.ui.calls.size(), 2u);
    std::vector<std::string> kinds;
    for (const auto& call : p.ui.calls)
      if (call.kind == "ShowException" || call.kind == "ErrorBox") kinds.push_back(call.kind);
    ASSERT_EQ(kinds, (std::vector<std::string>{"ShowException", "ErrorBox"}));
    for (const auto& call : p.ui.calls) {
      if (call.kind == "ShowException") {
        EXPECT_EQ(call.text, c.shown);
      }
    }
  }
}

TEST_F(KonfigTest, StationChoice) {
  struct Case {
    const char* label;
    std::vector<int32_t> numbers;
    int32_t netStation;
    int chosen;  // index in the list, -1 none
    int32_t stationNo;
  };
  const Case cases[] = {
      {"match", {1, 2, 3}, 2, 1, 2},
      {"no match takes the first", {3, 4}, 9, 0, 3},
      {"empty list", {}, 9, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TestPlatform p;
    p.host.exePath = "/opt/zeit/bin/zeit";
    std::string stations = "[Stations]\r\n";
    for (size_t i = 0; i < c.numbers.size(); ++i) {
      const std::string n = std::to_string(c.numbers[i]);
      stations +=
          "Station_" + n + "=J," + (i == 0 ? "/srv/eins" : "") + ",0:01,Station " + n + ",,1,J\r\n";
    }
    UseData(p, stations);
    p.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation",
                        "NetStationNumber", Dword(static_cast<uint32_t>(c.netStation)));
    bool flag = false;
    TKonfig k(p.Get(), flag);
    k.Load();
    EXPECT_EQ(k.StationNo, c.stationNo);
    if (c.chosen < 0) {
      EXPECT_EQ(k.CurrentStation, nullptr);
      EXPECT_EQ(k.StationName, "");
      continue;
    }
    EXPECT_EQ(k.CurrentStation, &k.Stations()[c.chosen]);
    EXPECT_EQ(k.StationName, "Station " + std::to_string(c.stationNo));
    EXPECT_EQ(k.StationDataDir, "/opt/zeit/DATA");
    EXPECT_EQ(k.Stations()[0].Verzeichnis1, "/srv/eins/");
  }
}

TEST(ScramblePasswordTest, IsItsOwnInverseAndNeverStoresZero) {
  std::string all;
  for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
  std::string scrambled = TKonfig::ScramblePassword(all);
  EXPECT_EQ(scrambled.size(), all.size());
  EXPECT_EQ(scrambled.find('\0'), std::string::npos);
  EXPECT_NE(scrambled, all);
  // Code 128 stands for a stored zero, so it scrambles like zero and reads back as 128.
  EXPECT_EQ(TKonfig::ScramblePassword(scrambled), all);
  EXPECT_EQ(TKonfig::ScramblePassword(""), "");
}

}  // namespace
}  // namespace qrv
