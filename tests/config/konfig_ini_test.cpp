// The settings file as the settings object reads it at start-up.
#include <gtest/gtest.h>

#include "config/konfig.h"
#include "platform/read_only.h"
#include "support/doubles.h"
#include "util/datetime.h"
#include "util/errors.h"

namespace qrv {
namespace {

using platform::RegRoot;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class KonfigIniTest : public ::testing::Test {
 protected:
  KonfigIniTest() {
    tp.registry.CreateKey(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    tp.registry.SetValue(RegRoot::kCurrentUser, "Software\\Quorvane\\Installation", "DataPath",
                         {platform::kRegSz, data.Path() + '\0'});
    tp.clock.SetNow(EncodeDate(2005, 3, 15) + 0.5);
  }

  std::string IniName() const { return data.Path() + "QUORVANE.INI"; }

  std::unique_ptr<TKonfig> Load(const std::string& ini) {
    WriteFileBytes(IniName(), ini);
    auto k = std::make_unique<TKonfig>(tp.Get(), reported);
    k->Load();
    return k;
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
};

TEST_F(KonfigIniTest, DefaultsOfAnInstallationSection) {
  auto k = Load("[Installation]\r\nAuswOffset=0\r\nVerwJahreMin=2004\r\nVerwJahreMax=2005\r\n");
  EXPECT_EQ(k->AuswOffset, 0);
  EXPECT_FALSE(k->AuswInit);
  EXPECT_EQ(k->AufOffset, 0);
  EXPECT_FALSE(k->IsKlMonat);
  EXPECT_FALSE(k->BarCheck);
  EXPECT_EQ(k->DoppelBuch, 2);
  EXPECT_TRUE(k->ASCIIFormat);
  EXPECT_EQ(k->BuchIntv, 5 / 1440.0);
  EXPECT_EQ(k->UpdIntv, 30 / 1440.0);
  EXPECT_EQ(k->ZutTage, 360);
  EXPECT_TRUE(k->BuchMsg);
  EXPECT_EQ(k->Watchdog, -1);
  EXPECT_EQ(k->SonstigeTexte(1), "Sonstiges");
  EXPECT_EQ(k->SonstigeTexte(2), "Sonstiges");
  EXPECT_EQ(k->PersstammTexte(1), "");
  EXPECT_DOUBLE_EQ(k->VerwStart, EncodeDate(2004, 1, 1));
  EXPECT_DOUBLE_EQ(k->VerwEnd, EncodeDate(2005, 12, 31));
  EXPECT_FALSE(k->Loading);
  EXPECT_EQ(k->KontoDefs.KontoAnzahl, 40);
}

TEST_F(KonfigIniTest, MissingAuswOffsetEndsTheLoad) {
  for (const char* ini :
       {"", "[Installation]\r\nAufOffset=3\r\n", "[Installation]\r\nAuswOffset=123456789\r\n",
        "[Installation]\r\nAuswOffset=viele\r\n"}) {
    SCOPED_TRACE(ini);
    WriteFileBytes(IniName(), ini);
    TKonfig k(tp.Get(), reported);
    try {
      k.Load();
      FAIL() << "loaded";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "");
    }
    EXPECT_EQ(k.AuswOffset, -1);
    EXPECT_EQ(k.DataPath, "");
    EXPECT_TRUE(k.Loading);
    EXPECT_EQ(k.KonfigDir, "");
  }
}

TEST_F(KonfigIniTest, BadgeOffsetAndItsInitialisation) {
  struct Case {
    const char* label;
    const char* lines;
    int32_t offset;
    bool init;
  };
  const Case cases[] = {
      {"zero offset", "AuswOffset=0", 0, false},
      {"positive offset", "AuswOffset=5", 5, false},
      {"negative offset initialises", "AuswOffset=-5", -5, true},
      {"negative offset switched off", "AuswOffset=-5\r\nAuswInit=0", -5, false},
      {"switched on", "AuswOffset=5\r\nauswinit=1", 5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    auto k = Load(std::string("[Installation]\r\n") + c.lines + "\r\n");
    EXPECT_EQ(k->AuswOffset, c.offset);
    EXPECT_EQ(k->AuswInit, c.init);
  }
}

// Each minute setting is its count divided by 1440, compared exactly (these counts are among
// those that a multiplication by 1/1440 misses in the last bit).
TEST_F(KonfigIniTest, MinuteSettingsAreTheCountDividedBy1440) {
  auto k = Load(
      "[Installation]\r\nAuswOffset=0\r\nBuchStart=10\r\nBuchIntv=11\r\nRuheStart=13\r\n"
      "RuheIntv=15\r\nUpdIntv=1920\r\n");
  const struct {
    const char* key;
    double value;
    double expected;
  } cases[] = {
      {"BuchStart", k->BuchStart, 10 / 1440.0}, {"BuchIntv", k->BuchIntv, 11 / 1440.0},
      {"RuheStart", k->RuheStart, 13 / 1440.0}, {"RuheIntv", k->RuheIntv, 15 / 1440.0},
      {"UpdIntv", k->UpdIntv, 1920 / 1440.0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, c.expected) << c.key;
}

TEST_F(KonfigIniTest, SumFactorsAreReadWithTheLocalesDecimalSeparator) {
  const std::string ini =
      "[Installation]\r\nAuswOffset=0\r\n[KontoDefs]\r\nKonto3=Summe;8\r\n"
      "KontoSum3=0.25;1;1,5;2\r\n";
  tp.locale.decimalSeparator = '.';
  EXPECT_EQ(Load(ini)->KontoDefs[3].SumFaktor, (std::array<double, 4>{0.25, 0, 0, 0}));
  tp.locale.decimalSeparator = ',';
  EXPECT_EQ(Load(ini)->KontoDefs[3].SumFaktor, (std::array<double, 4>{0, 1.5, 0, 0}));
}

TEST_F(KonfigIniTest, ValuesAndTheirRules) {
  auto k = Load(
      "[installation]\r\nAuswOffset=1\r\nIsKlMonat=2\r\nExcelUsage=258\r\nBuchIntv=x\r\n"
      "RuheStart=90\r\nWatchdog=0\r\nAufOffset=-7\r\n[Freitexte]\r\n"
      "Sonstige2=Bemerkung\r\nPersstamm1=Telefon\r\n"
      "Persstamm20=0123456789012345678901234567890123456789\r\n");
  EXPECT_FALSE(k->IsKlMonat);
  EXPECT_EQ(k->ExcelUsage, 2);
  EXPECT_EQ(k->BuchIntv, 5 / 1440.0);
  EXPECT_EQ(k->RuheStart, 90 / 1440.0);
  EXPECT_EQ(k->Watchdog, 15);
  EXPECT_EQ(k->AufOffset, -7);
  EXPECT_EQ(k->SonstigeTexte(1), "Sonstiges");
  EXPECT_EQ(k->SonstigeTexte(2), "Bemerkung");
  EXPECT_EQ(k->PersstammTexte(1), "Telefon");
  EXPECT_EQ(k->PersstammTexte(20), "012345678901234567890123456789");
  EXPECT_EQ(k->PersstammTexte(0), "");
  EXPECT_EQ(k->PersstammTexte(21), "");
  // Caption n of the person record is entry 2 + n (counting from 1) of the one table.
  EXPECT_EQ(k->Freitexte[2], "Telefon");
}

TEST_F(KonfigIniTest, WatchdogAndCompactMonths) {
  struct Case {
    const char* lines;
    int32_t watchdog;
    bool klMonat;
  };
  const Case cases[] = {{"Watchdog=14", 15, false},
                        {"Watchdog=-1", -1, false},
                        {"Watchdog=20\r\nIsKlMonat=1", 20, true},
                        {"Watchdog=15", 15, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    auto k = Load(std::string("[Installation]\r\nAuswOffset=0\r\n") + c.lines + "\r\n");
    EXPECT_EQ(k->Watchdog, c.watchdog);
    EXPECT_EQ(k->IsKlMonat, c.klMonat);
    EXPECT_EQ(k->KontoDefs.KontoAnzahl, c.klMonat ? 20 : 40);
    EXPECT_EQ(k->KontoDefs.KontoGrenze, c.klMonat ? 0 : 40);
    EXPECT_EQ(k->KontoDefs.ZeitfensterAnzahl, 20);
  }
}

TEST_F(KonfigIniTest, ManagedYearsAreCorrectedAndWrittenBack) {
  struct Case {
    const char* label;
    TDateTime today;
    const char* years;
    int32_t min, max;
    bool written;
  };
  const Case cases[] = {
      {"both out of range in November", EncodeDate(2005, 11, 15),
       "VerwJahreMin=2007\r\nVerwJahreMax=2003\r\n", 2005, 2006, true},
      {"too far ahead in March", EncodeDate(2005, 3, 15), "VerwJahreMax=2009\r\n", 2005, 2006,
       true},
      {"both missing in September", EncodeDate(2005, 9, 30), "", 2005, 2005, false},
      {"both missing in October", EncodeDate(2005, 10, 1), "", 2005, 2006, true},
      {"in range", EncodeDate(2005, 3, 15), "VerwJahreMin=2001\r\nVerwJahreMax=2006\r\n", 2001,
       2006, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    tp.clock.SetNow(c.today + 0.25);
    const std::string ini = std::string("; Zeiterfassung\r\n[Installation]\r\nAuswOffset=0\r\n") +
                            c.years + "\r\n[Freitexte]\r\nPersstamm1=Telefon\r\n";
    auto k = Load(ini);
    EXPECT_EQ(k->VerwJahreMin, c.min);
    EXPECT_EQ(k->VerwJahreMax, c.max);
    EXPECT_DOUBLE_EQ(k->VerwStart, EncodeDate(c.min, 1, 1));
    EXPECT_DOUBLE_EQ(k->VerwEnd, EncodeDate(c.max, 12, 31));
    const std::string onDisk = ReadFileBytes(IniName());
    if (!c.written) {
      EXPECT_EQ(onDisk, ini);
      continue;
    }
    TMemIniFile back(tp.files, IniName());
    EXPECT_EQ(back.ReadInteger("Installation", "VerwJahreMin", 0), c.min);
    EXPECT_EQ(back.ReadInteger("Installation", "VerwJahreMax", 0), c.max);
    EXPECT_EQ(back.ReadString("Freitexte", "Persstamm1", ""), "Telefon");
    EXPECT_EQ(onDisk.rfind("; Zeiterfassung\r\n[Installation]\r\nAuswOffset=0\r\n", 0), 0u);
  }
}

TEST_F(KonfigIniTest, ReadOnlyCorrectedYearsHoldInMemoryAndTheFileStaysAsItWas) {
  struct Case {
    const char* label;
    TDateTime today;
    const char* years;
  };
  const Case cases[] = {
      {"both out of range in November", EncodeDate(2005, 11, 15),
       "VerwJahreMin=2007\r\nVerwJahreMax=2003\r\n"},
      {"both missing in October", EncodeDate(2005, 10, 1), ""},
  };
  platform::ReadOnlyFileSystem files(tp.files);
  platform::Platform p = tp.Get();
  p.files = &files;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    tp.clock.SetNow(c.today + 0.25);
    const std::string ini = std::string("[Installation]\r\nAuswOffset=0\r\n") + c.years;
    WriteFileBytes(IniName(), ini);
    const auto before = testing::TreeOf(data.Path());
    TKonfig k(p, reported);
    k.Load();
    EXPECT_EQ(k.VerwJahreMin, 2005);
    EXPECT_EQ(k.VerwJahreMax, 2006);
    EXPECT_DOUBLE_EQ(k.VerwEnd, EncodeDate(2006, 12, 31));
    EXPECT_EQ(k.IniFile().ReadInteger("Installation", "VerwJahreMax", 0), 2006);
    EXPECT_EQ(testing::TreeOf(data.Path()), before);
  }
}

TEST_F(KonfigIniTest, FailedYearWriteBackEndsTheLoad) {
  WriteFileBytes(IniName(), "[Installation]\r\nAuswOffset=0\r\nVerwJahreMax=2009\r\n");
  TKonfig k(tp.Get(), reported);
  tp.files.FailWrite(1, platform::kDiskFull);
  EXPECT_THROW(k.Load(), EInOutError);
  EXPECT_TRUE(k.Loading);
}

}  // namespace
}  // namespace qrv
