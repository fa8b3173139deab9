#include "config/konto_defs.h"

#include <gtest/gtest.h>

#include "config/mem_ini.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::TempFolder;
using testing::TestPlatform;

class KontoDefsTest : public ::testing::Test {
 protected:
  // Account definitions read from a settings file holding text.
  TKontoDefs Read(const std::string& text, bool isKlMonat = false) {
    testing::WriteFileBytes(folder.Path() + "QUORVANE.INI", text);
    TMemIniFile ini(tp.files, folder.Path() + "QUORVANE.INI");
    TKontoDefs defs;
    defs.SetLimits(isKlMonat);
    defs.Read(ini, tp.locale);
    return defs;
  }

  TempFolder folder;
  TestPlatform tp;
};

TEST_F(KontoDefsTest, WithoutSectionFixedAccountsCarryTheirDefaults) {
  TKontoDefs defs = Read("[Installation]\nAuswOffset=0\n");
  struct Case {
    int konto;
    const char* name;
    int format;
    int wert;
  };
  const Case cases[] = {
      {-12, "Fehler", 2, 0},
      {-11, "Warnungen", 2, 0},
      {-10,
       "Wochen\xFC"
       "bertrag",
       0, 0},
      {-9, "StdKonto9", 0, 0},
      {-8, "StdKonto8", 0, 0},
      {-7, "Kranktage", 3, 10},
      {-6, "Resturlaub", 3, 10},
      {-5, "Krankstunden", 0, 0},
      {-4, "Urlaubsstunden", 0, 0},
      {-3, "Sonstiges", 0, 0},
      {-2, "Istzeitkonto 2", 0, 0},
      {-1, "Istzeitkonto 1", 0, 0},
      {0, "Gleitzeit", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.konto);
    EXPECT_EQ(defs[c.konto].Name, c.name);
    EXPECT_EQ(defs[c.konto].Format, c.format);
    EXPECT_EQ(defs[c.konto].Wert, c.wert);
    EXPECT_EQ(defs[c.konto].Art, kaUnbenutzt);
    EXPECT_EQ(defs[c.konto].Zeichen, ' ');
  }
  for (int i = 1; i <= 40; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(defs[i], KontoDef{});
  }
}

TEST_F(KontoDefsTest, MaxKontoDefBoundsTheAccountsRead) {
  const std::string lines = "Konto-12=Err\nKonto0=GZ\nKonto1=Eins;1\nKonto40=Letztes;2\n";
  struct Case {
    const char* label;
    const char* max;
    const char* name12;  // account -12
    const char* name1;
    const char* name40;
  };
  const Case cases[] = {
      {"below the fixed accounts", "-13", "", "", ""},
      {"fixed accounts only", "0", "Err", "", ""},
      {"missing: 40", nullptr, "Err", "Eins", "Letztes"},
      {"above the table stops at 40", "45", "Err", "Eins", "Letztes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::string text = "[KontoDefs]\n" + lines;
    if (c.max) text += std::string("MaxKontoDef=") + c.max + "\n";
    TKontoDefs defs = Read(text + "Konto41=Zuviel;1\n");
    EXPECT_EQ(defs[-12].Name, c.name12);
    EXPECT_EQ(defs[1].Name, c.name1);
    EXPECT_EQ(defs[40].Name, c.name40);
    EXPECT_EQ(defs[41], KontoDef{});
  }
}

TEST_F(KontoDefsTest, OldNamesOfTheGeneralAccountsAreReplaced) {
  struct Case {
    const char* label;
    int konto;
    std::string name;
    std::string expected;
  };
  const Case cases[] = {
      {"-10 old name", -10, "Urlaub f\xFCr Krank",
       "Wochen\xFC"
       "bertrag"},
      {"-9 old name", -9, "Krankstunden 80%", "StdKonto9"},
      {"-8 old name", -8, "Kranktage 80%", "StdKonto8"},
      {"-9 other letter case stays", -9, "krankstunden 80%", "krankstunden 80%"},
      {"-8 with the old name of -9 stays", -8, "Krankstunden 80%", "Krankstunden 80%"},
      {"-9 own name stays", -9, "Bereitschaft", "Bereitschaft"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TKontoDefs defs = Read("[KontoDefs]\nKonto" + std::to_string(c.konto) + "=" + c.name + "\n");
    EXPECT_EQ(defs[c.konto].Name, c.expected);
  }
}

TEST_F(KontoDefsTest, FieldsByAccountNumber) {
  struct Case {
    const char* label;
    int konto;
    std::string line;
    int art;
    char zeichen;
    int format;
    int wert;
  };
  const Case cases[] = {
      {"fixed: format 1 kept", -5, "Krank;5;K;1", 0, ' ', 1, 0},
      {"fixed: format 2 becomes 0", -5, "Krank;;;2", 0, ' ', 0, 0},
      {"fixed: 257 becomes 0, not its low bits", 0, "GZ;;;257", 0, ' ', 0, 0},
      {"counter: format fixed at 2", -12, "Fehler;;;1", 0, ' ', 2, 0},
      {"days: format 3, Wert defaults to 10", -7, "Krank;;;1", 0, ' ', 3, 10},
      {"days: Wert from field 5", -6, "Urlaub;;;0;25", 0, ' ', 3, 25},
      {"days: unreadable Wert gives 10", -6, "Urlaub;;;0;x", 0, ' ', 3, 10},
      {"other fixed: Wert stays 0", -5, "Krank;;;0;25", 0, ' ', 0, 0},
      {"own account: all fields", 7, "Mehr;3;M;1", 3, 'M', 1, 0},
      {"own account: format without the 0/1 rule", 7, "Mehr;3;M;4", 3, 'M', 4, 0},
      {"own account: low 8 bits of kind and format", 7, "Mehr;264;MX;258", 8, 'M', 2, 0},
      {"own account: empty code is a blank", 7, "Mehr;2", 2, ' ', 0, 0},
      {"own account: unreadable kind is 0", 7, "Mehr;zwei;;x", 0, ' ', 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TKontoDefs defs = Read("[KontoDefs]\nKonto" + std::to_string(c.konto) + "=" + c.line + "\n");
    const KontoDef& d = defs[c.konto];
    EXPECT_EQ(d.Art, c.art);
    EXPECT_EQ(d.Zeichen, c.zeichen);
    EXPECT_EQ(d.Format, c.format);
    EXPECT_EQ(d.Wert, c.wert);
  }
}

TEST_F(KontoDefsTest, SumSlotsOfSumAccounts) {
  using Slots = std::array<int32_t, 4>;
  using Factors = std::array<double, 4>;
  struct Case {
    const char* label;
    std::string konto;  // line of account 5
    std::string sum;    // its sum line
    bool isKlMonat;
    Slots konten;
    Factors faktoren;
  };
  const Case cases[] = {
      {"account above the 40 in use dropped", "Summe;8;;0", "1;3;-1;4;0,5;41", false,
       Slots{3, 4, 0, 0}, Factors{1, -1, 0, 0}},
      {"compact month: 21 is above the 20 in use", "Summe;8;;0", "1;3;2;21;0,5;20;1;-1", true,
       Slots{3, 0, 20, -1}, Factors{1, 0, 0.5, 1}},
      {"fixed accounts may be added", "Summe;8", "1;-12;1;-1", false, Slots{-12, -1, 0, 0},
       Factors{1, 1, 0, 0}},
      {"account below the table dropped", "Summe;8", "1;-13;2;2", false, Slots{0, 2, 0, 0},
       Factors{0, 2, 0, 0}},
      {"decimal point is no separator: factor 0", "Summe;8", "1.5;2", false, Slots{2, 0, 0, 0},
       Factors{0, 0, 0, 0}},
      {"kind 2 is no sum account", "Konto;2", "1;3;-1;4", false, Slots{}, Factors{}},
      {"sum account without sum line", "Summe;8", "", false, Slots{}, Factors{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TKontoDefs defs =
        Read("[KontoDefs]\nKonto5=" + c.konto + "\nKontoSum5=" + c.sum + "\n", c.isKlMonat);
    EXPECT_EQ(defs[5].SumKonto, c.konten);
    EXPECT_EQ(defs[5].SumFaktor, c.faktoren);
  }
}

// Sum factors are decimal numbers in the locale's format: the German comma, or the separator a
// Windows user has chosen.
TEST_F(KontoDefsTest, SumFactorsFollowTheLocalesDecimalSeparator) {
  struct Case {
    const char* label;
    char decimal;
    std::string sum;
    std::array<double, 4> faktoren;
  };
  const Case cases[] = {
      {"comma", ',', "0,5;1;-1,25;2;1.5;3", {0.5, -1.25, 0, 0}},
      {"point", '.', "0.5;1;-1.25;2;1,5;3", {0.5, -1.25, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    tp.locale.decimalSeparator = c.decimal;
    TKontoDefs defs = Read("[KontoDefs]\nKonto5=Summe;8\nKontoSum5=" + c.sum + "\n");
    EXPECT_EQ(defs[5].SumFaktor, c.faktoren);
    EXPECT_EQ(defs[5].SumKonto, (std::array<int32_t, 4>{1, 2, 3, 0}));
  }
}

TEST_F(KontoDefsTest, SumLinesOfFixedAccountsAreIgnored) {
  TKontoDefs defs = Read("[KontoDefs]\nKonto-3=Summe;8\nKontoSum-3=1;2\n");
  EXPECT_EQ(defs[-3].Art, kaUnbenutzt);
  EXPECT_EQ(defs[-3].SumKonto, (std::array<int32_t, 4>{}));
}

TEST_F(KontoDefsTest, ReadingAgainClearsAccountsNoLongerRead) {
  testing::WriteFileBytes(folder.Path() + "A.INI", "[KontoDefs]\nKonto1=Eins;8\nKontoSum1=1;2\n");
  testing::WriteFileBytes(folder.Path() + "B.INI", "[KontoDefs]\nMaxKontoDef=0\n");
  TKontoDefs defs;
  defs.Read(TMemIniFile(tp.files, folder.Path() + "A.INI"), tp.locale);
  ASSERT_EQ(defs[1].Name, "Eins");
  defs.Read(TMemIniFile(tp.files, folder.Path() + "B.INI"), tp.locale);
  EXPECT_EQ(defs[1], KontoDef{});
  EXPECT_EQ(defs[0].Name, "Gleitzeit");
}

TEST(KontoDefsLimits, FullAndCompactMonth) {
  TKontoDefs defs;
  defs.SetLimits(true);
  EXPECT_EQ(defs.KontoAnzahl, 20);
  EXPECT_EQ(defs.KontoGrenze, 0);
  EXPECT_EQ(defs.ZeitfensterAnzahl, 20);
  defs.SetLimits(false);
  EXPECT_EQ(defs.KontoAnzahl, 40);
  EXPECT_EQ(defs.KontoGrenze, 40);
  EXPECT_EQ(defs.ZeitfensterAnzahl, 20);
}

TEST(KontoDefsAccess, NumbersOutsideTheTableReadEmptyAndRefuseWrites) {
  TKontoDefs defs;
  KontoDef def;
  def.Name = "X";
  def.Art = kaSumme;
  for (int i : {-12, 40}) {
    defs.SetKonto(i, def);
    EXPECT_EQ(defs[i], def) << i;
  }
  for (int i : {-13, 41, 1000, -1000}) {
    SCOPED_TRACE(i);
    EXPECT_EQ(defs.Konto(i), KontoDef{});
    EXPECT_THROW(defs.SetKonto(i, def), EListError);
  }
  EXPECT_EQ(defs.Konto(41), KontoDef{}) << "a refused write must leave the empty entry empty";
}

TEST(KontoDefsAssign, CopiesEntriesAndLimits) {
  TKontoDefs source;
  source.SetLimits(true);
  KontoDef def;
  def.Name = "Summe";
  def.SumKonto = {1, 2, 0, 0};
  def.SumFaktor = {1, 0.5, 0, 0};
  source.SetKonto(-12, def);
  source.SetKonto(40, def);
  TKontoDefs copy;
  copy.Assign(source);
  EXPECT_EQ(copy[-12], def);
  EXPECT_EQ(copy[40], def);
  EXPECT_EQ(copy.KontoAnzahl, 20);
  EXPECT_EQ(copy.KontoGrenze, 0);
}

TEST(KontoDefsNames, KindsAndFormatsAsTheInstallationShowsThem) {
  struct Case {
    const char* label;
    std::string actual;
    std::string expected;
  };
  const Case cases[] = {
      {"kind 0", KontoArtName(kaUnbenutzt), "Unbenutzt"},
      {"kind 2", KontoArtName(kaUeberstunden),
       "\xDC"
       "berstundenkonto"},
      {"kind 6", KontoArtName(kaSonstiges), "'Sonstiges' Konto"},
      {"kind 8", KontoArtName(kaSumme), "Summenkonto"},
      {"kind 11", KontoArtName(kaArbeitsstunden), "Arbeitsstundenkonto"},
      {"kind 12 has no name", KontoArtName(12), ""},
      {"kind -1 has no name", KontoArtName(-1), ""},
      {"format 0", KontoFormatName(kfZeitStdMin), "Zeit Std/Min (0:00)"},
      {"format 1", KontoFormatName(kfZeitStd100), "Zeit Std/100 (0,00)"},
      {"format 4", KontoFormatName(kfFestkomma2), "Festkomma (0,00)"},
      {"format 5 has no name", KontoFormatName(5), ""},
      {"fixed account -10", KontoStandardName(-10),
       "Wochen\xFC"
       "bertrag"},
      {"account 1 has no default", KontoStandardName(1), ""},
      {"account -13 has no default", KontoStandardName(-13), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.label;
}

}  // namespace
}  // namespace qrv
