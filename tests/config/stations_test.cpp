#include "config/stations.h"

#include <gtest/gtest.h>

#include <set>

#include "config/mem_ini.h"
#include "platform/files.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::TempFolder;
using testing::TestPlatform;

// v minutes as a day fraction, divided.
double Minuten(int v) {
  return v / 1440.0;
}
constexpr char kSep = platform::kPathSeparator;

class StationsTest : public ::testing::Test {
 protected:
  TMemIniFile Ini(const std::string& text) {
    testing::WriteFileBytes(folder.Path() + "QUORVANE.INI", text);
    return TMemIniFile(tp.files, folder.Path() + "QUORVANE.INI");
  }

  // The terminals of station 1 read from one terminal section.
  void ReadTerminals(const std::string& lines) {
    station.Nummer = 1;
    station.Terminals.Read(Ini("[Terminals_1]\n" + lines));
  }

  TempFolder folder;
  TestPlatform tp;
  TStation station;
};

TEST_F(StationsTest, StationsAreReadByNumberSkippingGaps) {
  TStationList list;
  list.Read(
      Ini("[Stations]\n"
          "Station_1=J,D:\\Term1,0:02,Halle,D:\\Daten2,3,N\n"
          "Station_1A=J,1:00,2:00,0:05\n"
          "Station_3=1\n"
          "Station_16=J,,,Zu hoch\n"));
  ASSERT_EQ(list.Count(), 2);
  const TStation& s1 = list[0];
  EXPECT_EQ(s1.Nummer, 1);
  EXPECT_TRUE(s1.Aktiv1);
  EXPECT_EQ(s1.Verzeichnis1, std::string("D:\\Term1") + kSep);
  EXPECT_EQ(s1.Intervall, Minuten(2));
  EXPECT_EQ(s1.Name, "Halle");
  EXPECT_EQ(s1.Verzeichnis2, std::string("D:\\Daten2") + kSep);
  EXPECT_EQ(s1.Anzahl, 3);
  EXPECT_FALSE(s1.Aktiv2);
  EXPECT_TRUE(s1.Zusatz);
  EXPECT_EQ(s1.Zeit1, Minuten(60));
  EXPECT_EQ(s1.Zeit2, Minuten(120));
  EXPECT_EQ(s1.Zeit3, Minuten(5));

  // A station of a single field keeps the defaults, its folders empty for the settings object
  // to fill.
  const TStation& s3 = list[1];
  EXPECT_EQ(s3.Nummer, 3);
  EXPECT_TRUE(s3.Aktiv1);
  EXPECT_EQ(s3.Verzeichnis1, "");
  EXPECT_EQ(s3.Intervall, Minuten(1));
  EXPECT_EQ(s3.Name, "");
  EXPECT_EQ(s3.Verzeichnis2, "");
  EXPECT_EQ(s3.Anzahl, 1);
  EXPECT_TRUE(s3.Aktiv2);
  EXPECT_FALSE(s3.Zusatz);
  EXPECT_EQ(s3.Zeit1, Minuten(30));
  EXPECT_EQ(s3.Zeit2, Minuten(180));
  EXPECT_EQ(s3.Zeit3, Minuten(15));
  EXPECT_EQ(s3.Terminals.Count(), 0);
}

TEST_F(StationsTest, EachStationReadsItsOwnTerminalSection) {
  TStationList list;
  list.Read(
      Ini("[Stations]\nStation_2=J\nStation_5=J\n"
          "[Terminals_2]\nTerminal0=QT-200,COM2\n"
          "[Terminals_5]\nTerminal0=QT-300,COM3\nTerminal1=QT-300,COM4\n"));
  ASSERT_EQ(list.Count(), 2);
  ASSERT_EQ(list[0].Terminals.Count(), 1);
  ASSERT_EQ(list[1].Terminals.Count(), 2);
  EXPECT_EQ(list[0].Terminals[0].Port, 2);
  EXPECT_EQ(list[1].Terminals[1].Port, 4);
  EXPECT_EQ(list[1].Terminals[1].Station, &list[1]);
  EXPECT_EQ(&list[1].Terminals.Station(), &list[1]);
}

TEST_F(StationsTest, TerminalsStopAtTheFirstGapAndGetLettersByPlace) {
  ReadTerminals(
      "Terminal0=QT-100,COM1,X,Eingang\n"
      "Terminal1=QT-100,COM2,A,Ausgang\n"
      "Terminal3=QT-100,COM3,C,Lager\n");
  ASSERT_EQ(station.Terminals.Count(), 2);
  EXPECT_EQ(station.Terminals[0].Bezeichnung, "Eingang");
  EXPECT_EQ(station.Terminals[0].Buchstabe, 'A');
  EXPECT_EQ(station.Terminals[1].Bezeichnung, "Ausgang");
  EXPECT_EQ(station.Terminals[1].Buchstabe, 'B');
  EXPECT_EQ(station.Terminals[1].Station, &station);
}

TEST_F(StationsTest, PortFields) {
  struct Case {
    const char* label;
    const char* field;
    int32_t port;
    bool netz;
  };
  const Case cases[] = {
      {"empty: COM1", "", 1, false},
      {"COM6 is the last serial port", "COM6", 6, false},
      {"COM7 is network port 1", "COM7", 1, true},
      {"COM8 is network port 2", "COM8", 2, true},
      {"a bare number", "3", 3, false},
      {"COM12 is network port 6", "COM12", 6, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ReadTerminals(std::string("Terminal0=QT-100,") + c.field + "\n");
    ASSERT_EQ(station.Terminals.Count(), 1);
    EXPECT_EQ(station.Terminals[0].Port, c.port);
    EXPECT_EQ(station.Terminals[0].Netz, c.netz);
  }
}

TEST_F(StationsTest, PortThatIsNoNumberRaisesTheConversionError) {
  struct Case {
    const char* label;
    const char* field;
    const char* message;
  };
  const Case cases[] = {
      {"printer port", "LPT1",
       "'LPT1' ist kein g\xFC"
       "ltiger Integerwert"},
      {"lower-case com", "com2",
       "'com2' ist kein g\xFC"
       "ltiger Integerwert"},
      {"COM without number", "COM",
       "'' ist kein g\xFC"
       "ltiger Integerwert"},
      {"second COM stays", "COMCOM1",
       "'COM1' ist kein g\xFC"
       "ltiger Integerwert"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      ReadTerminals(std::string("Terminal0=QT-100,COM1\nTerminal1=QT-100,") + c.field + "\n");
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(station.Terminals.Count(), 1) << "the terminal before stays";
  }
}

TEST_F(StationsTest, ConversionErrorEndsTheStationRead) {
  TStationList list;
  TMemIniFile ini =
      Ini("[Stations]\nStation_1=J\nStation_2=J\nStation_3=J\n"
          "[Terminals_2]\nTerminal0=QT-100,LPT1\n");
  EXPECT_THROW(list.Read(ini), EConvertError);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0].Nummer, 1);
}

TEST_F(StationsTest, TerminalFieldsAndDefaults) {
  ReadTerminals(
      "Terminal0=QT-300,COM2,A,Haupteingang Nord West Ost,Text fuenf mit mehr als dreissig "
      "Zeichen,T6,7,T8,T9,6:00,18:00,120,3\n"
      "Terminal1=Unbekannt\n"
      "Terminal2=,COM1\n");
  ASSERT_EQ(station.Terminals.Count(), 3);
  const TTerminalDef& full = station.Terminals[0];
  EXPECT_EQ(TerminalModelName(full.Typ), "QT-300");
  EXPECT_EQ(full.Bezeichnung, "Haupteingang Nord We");
  EXPECT_EQ(full.Text5, "Text fuenf mit mehr als dreiss");
  EXPECT_EQ(full.Text6, "T6");
  EXPECT_EQ(full.Wert7, 7);
  EXPECT_EQ(full.Text8, "T8");
  EXPECT_EQ(full.Text9, "T9");
  EXPECT_DOUBLE_EQ(full.Zeit10, 0.25);
  EXPECT_DOUBLE_EQ(full.Zeit11, 0.75);
  EXPECT_EQ(full.Wert12, 120);
  EXPECT_EQ(full.Wert13, 3);

  for (int i : {1, 2}) {
    SCOPED_TRACE(i);
    const TTerminalDef& t = station.Terminals[i];
    EXPECT_EQ(t.Typ, 0) << "unknown and empty model names give the first model";
    EXPECT_EQ(t.Bezeichnung, "Terminal");
    EXPECT_EQ(t.Port, 1);
    EXPECT_FALSE(t.Netz);
    EXPECT_EQ(t.Wert7, 4);
    EXPECT_DOUBLE_EQ(t.Zeit10, 0);
    EXPECT_DOUBLE_EQ(t.Zeit11, 0.5);
    EXPECT_EQ(t.Wert12, 300);
    EXPECT_EQ(t.Wert13, 10);
  }
}

TEST_F(StationsTest, ReadingAgainReplacesTheLists) {
  TStationList list;
  list.Read(Ini("[Stations]\nStation_1=J\nStation_2=J\n[Terminals_1]\nTerminal0=QT-100\n"));
  ASSERT_EQ(list.Count(), 2);
  list.Read(Ini("[Stations]\nStation_4=J\n"));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0].Nummer, 4);
  ReadTerminals("Terminal0=QT-100\nTerminal1=QT-100\n");
  ReadTerminals("Terminal0=QT-100\n");
  EXPECT_EQ(station.Terminals.Count(), 1);
}

TEST(TerminalModels, ThirteenDistinctNamesFoundByName) {
  std::set<std::string> names;
  for (int typ = 0; typ < kTerminalModelCount; ++typ) {
    std::string name = TerminalModelName(typ);
    EXPECT_FALSE(name.empty()) << typ;
    EXPECT_EQ(TerminalModelIndex(name), typ) << name;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 13u);
  EXPECT_EQ(TerminalModelName(13), "");
  EXPECT_EQ(TerminalModelName(-1), "");
}

TEST(StationLists, IndexOutsideTheListRaisesListError) {
  TStationList list;
  TStation& s = list.Add();
  s.Terminals.Add();
  EXPECT_EQ(&list[0], &s);
  EXPECT_THROW(list[1], EListError);
  EXPECT_THROW(list[-1], EListError);
  EXPECT_THROW(s.Terminals[1], EListError);
  EXPECT_EQ(s.Terminals[0].Station, &s);
}

}  // namespace
}  // namespace qrv
