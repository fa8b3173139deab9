#include "config/fehlzeiten.h"

#include <gtest/gtest.h>

#include "config/mem_ini.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::TempFolder;
using testing::TestPlatform;

constexpr double kHour = 1.0 / 24;

class FehlzeitenTest : public ::testing::Test {
 protected:
  // Absence types read from a settings file holding text.
  TFehlzeiten Read(const std::string& text) {
    testing::WriteFileBytes(folder.Path() + "QUORVANE.INI", text);
    TFehlzeiten f;
    f.Read(TMemIniFile(tp.files, folder.Path() + "QUORVANE.INI"));
    return f;
  }

  TempFolder folder;
  TestPlatform tp;
};

// What a letter that is not listed reads as.
const FehlzeitDef kUndefined{"", 0, true, false};

TEST_F(FehlzeitenTest, WithoutSectionOnlyTheNormalEntryHasAName) {
  TFehlzeiten f = Read("[Installation]\nAuswOffset=0\n");
  EXPECT_EQ(f[kFehlzeitNormal], (FehlzeitDef{"Normal", 0, true, false}));
  for (int code = 'a'; code <= 'z'; ++code) EXPECT_EQ(f[code], kUndefined) << char(code);
}

TEST_F(FehlzeitenTest, DefinitionLines) {
  struct Case {
    const char* label;
    std::string line;
    FehlzeitDef expected;
  };
  const std::string name35 = "Fortbildung mit Reise und Seminar X";
  const Case cases[] = {
      {"name and time", "Urlaub;8:00", {"Urlaub", 8 * kHour, false, false}},
      {"name only: without time", "Urlaub", {"Urlaub", 0, true, false}},
      {"flag set drops the time", "Urlaub;8:00;J", {"Urlaub", 0, true, false}},
      {"flag cleared keeps the time", "Urlaub;7:30;N;J", {"Urlaub", 7.5 * kHour, false, true}},
      {"unreadable time: without time", "Krank;acht", {"Krank", 0, true, false}},
      {"flag cleared without a time credits 0", "Kur;;N", {"Kur", 0, false, false}},
      {"option letters", "Dienst;4:00;0;y", {"Dienst", 4 * kHour, false, true}},
      {"name cut to 30", name35 + ";1:00", {name35.substr(0, 30), kHour, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TFehlzeiten f = Read("[Fehlzeiten]\nFehlzeitU=" + c.line + "\n");
    EXPECT_EQ(f['u'].Name, c.expected.Name);
    EXPECT_DOUBLE_EQ(f['u'].Zeit, c.expected.Zeit);
    EXPECT_EQ(f['u'].OhneZeit, c.expected.OhneZeit);
    EXPECT_EQ(f['u'].Option, c.expected.Option);
  }
}

TEST_F(FehlzeitenTest, NormalEntryHasItsOwnKey) {
  TFehlzeiten f = Read("[Fehlzeiten]\nFehlzeit=Anwesend;8:00\n");
  EXPECT_EQ(f[kFehlzeitNormal], (FehlzeitDef{"Anwesend", 8 * kHour, false, false}));
}

TEST_F(FehlzeitenTest, ALetterCountsOnlyAsTheNextOfTheList) {
  const std::string lines = "FehlzeitA=Arzt\nFehlzeitB=Berufsschule\nFehlzeitC=Kur\n";
  struct Case {
    const char* label;
    const char* list;
    const char* a;
    const char* b;
    const char* c;
  };
  const Case cases[] = {
      {"default list: all", nullptr, "Arzt", "Berufsschule", "Kur"},
      {"A C B: B out of order", "ACB", "Arzt", "", "Kur"},
      {"B only", "B", "", "Berufsschule", ""},
      {"lower case names no letter", "abc", "", "", ""},
      {"empty list", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::string text = "[Fehlzeiten]\n" + lines;
    if (c.list) text += std::string("Fehlzeiten=") + c.list + "\n";
    TFehlzeiten f = Read(text);
    EXPECT_EQ(f['a'].Name, c.a);
    EXPECT_EQ(f['b'].Name, c.b);
    EXPECT_EQ(f['c'].Name, c.c);
    if (*c.b == '\0') {
      EXPECT_EQ(f['b'], kUndefined);
    }
  }
}

TEST(FehlzeitenAccess, CodesOutsideTheTableAnswerTheUndefinedEntry) {
  TFehlzeiten f;
  FehlzeitDef def{"Urlaub", 8 * kHour, false, true};
  for (int code : {96, 97, 122}) {
    f.SetFehlzeit(code, def);
    EXPECT_EQ(f[code], def) << code;
  }
  for (int code : {int(' '), 95, 123, int('A'), -28, 255}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(f.Fehlzeit(code), kUndefined);
    EXPECT_THROW(f.SetFehlzeit(code, def), EListError);
  }
}

TEST(FehlzeitenAssign, CopiesAllEntries) {
  TFehlzeiten source;
  source.SetFehlzeit(96, {"Normal", 0, true, false});
  source.SetFehlzeit(122, {"Zeitausgleich", 8 * kHour, false, true});
  source.SetFehlzeit('m', {std::string(40, 'x'), 0, true, false});
  TFehlzeiten copy;
  copy.Assign(source);
  for (int code = kFehlzeitMin; code <= kFehlzeitMax; ++code) {
    EXPECT_EQ(copy[code], source[code]) << code;
  }
  EXPECT_EQ(copy[122].Name, "Zeitausgleich");
  EXPECT_EQ(copy['m'].Name.size(), 30u) << "a name set by hand is cut like a read one";
}

}  // namespace
}  // namespace qrv
