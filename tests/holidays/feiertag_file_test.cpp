#include "holidays/feiertag_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/doubles.h"
#include "util/bits.h"
#include "util/errors.h"

namespace qrv {
namespace {

constexpr char kSep = platform::kPathSeparator;

class FeiertagFileTest : public ::testing::Test {
 protected:
  FeiertagFileTest() : konfig(tp.Get(), reported) {
    konfig.DataPath = data.Path();
    konfig.VerwJahreMin = 2000;
    konfig.VerwJahreMax = 2030;
  }

  void WriteYear(int jahr, const std::string& text) {
    tp.Get().files->CreateFolders(data.Path() + std::to_string(jahr));
    testing::WriteFileBytes(data.Path() + std::to_string(jahr) + kSep + "FEIERTG.DAT", text);
  }
  TQRVFeiertage& Kalender() {
    if (!kalender_) kalender_ = std::make_unique<TQRVFeiertage>(tp.Get(), konfig);
    return *kalender_;
  }
  int OwnCount() {
    int n = 0;
    for (int i = 0; i < Kalender().Count(); ++i) n += Kalender().GetFeierObj(i).Typ == ftFest;
    return n;
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig konfig;

 private:
  std::unique_ptr<TQRVFeiertage> kalender_;
};

TEST_F(FeiertagFileTest, CreatedAtYearOneWithoutReadingAFile) {
  EXPECT_EQ(Kalender().Jahr(), 1);
  EXPECT_EQ(tp.files.Operations(), 0);
  EXPECT_EQ(Kalender().Feiertage(), kFeiertageStandard);
}

TEST_F(FeiertagFileTest, TheYearsFileSetsSwitchesAndOwnHolidays) {
  // 398334: the default set with Heilige Drei Koenige (bit 2).
  WriteYear(2024,
            "398334\r\n2 own ones\r\n  12\t6 1   Stadtfest  \r\n3 10 0 Doppelt\r\nignored\r\n");
  TQRVFeiertage& k = Kalender();
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2024, 1, 6)));
  EXPECT_EQ(k.Feiertage(), 398334u);
  const TFeierObj& stadtfest = k.FindFeierObj(ftFest, 12, 6);
  EXPECT_EQ(stadtfest.Name, "Stadtfest");
  EXPECT_TRUE(stadtfest.Aktiv);
  EXPECT_EQ(stadtfest.Datum, EncodeDate(2024, 6, 12));
  EXPECT_FALSE(k.FindFeierObj(ftFest, 3, 10).Aktiv);
  EXPECT_EQ(OwnCount(), 2);
  // Own holidays carry no year.
  WriteYear(2025, "398330\r\n1\r\n12 6 1 Stadtfest\r\n");
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2025, 6, 12)));
  EXPECT_FALSE(k.IstFeiertag(EncodeDate(2025, 1, 6)));
  EXPECT_EQ(OwnCount(), 1);
}

TEST_F(FeiertagFileTest, AYearWithoutFileKeepsWhatWasInEffect) {
  WriteYear(2024, "2\r\n1\r\n12 6 1 Stadtfest\r\n");
  TQRVFeiertage& k = Kalender();
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2024, 1, 1)));
  EXPECT_FALSE(k.IstFeiertag(EncodeDate(2026, 12, 25)));  // no 2026 file
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2026, 6, 12)));
  EXPECT_EQ(k.Jahr(), 2026);
  EXPECT_THROW(k.LoadFromFile(data.Path() + "2026" + kSep + "FEIERTG.DAT"), EInOutError);
}

TEST_F(FeiertagFileTest, ZeroAndZeroLeaveNoHolidayActive) {
  WriteYear(2024, "0\r\n0\r\n");
  TQRVFeiertage& k = Kalender();
  k.SetJahr(2024);
  for (int i = 0; i < k.Count(); ++i) EXPECT_FALSE(k.GetFeierObj(i).Aktiv) << k.Key(i);
  EXPECT_EQ(k.Feiertage(), 0u);
}

TEST_F(FeiertagFileTest, AnOwnHolidayBesideTheSwitchedOffBuiltInOnTheSameDay) {
  // Bit 11 (Mariae Himmelfahrt) is clear in the default set.
  WriteYear(2024, "398330\r\n2\r\n15 8 1 Friedensfest\r\n15 8 1 Zentralfest\r\n");
  TQRVFeiertage& k = Kalender();
  bool aktiv = false;
  TFeiertyp typ = ftSilvester;
  ASSERT_TRUE(k.FindeFeiertag(EncodeDate(2024, 8, 15), aktiv, typ));
  EXPECT_TRUE(aktiv);
  EXPECT_EQ(typ, ftFest);  // "Friedensfest" sorts before "Mari\xE4 Himmelfahrt"
  int onThatDay = 0;
  for (int i = 0; i < k.Count(); ++i)
    onThatDay += k.GetFeierObj(i).Datum == EncodeDate(2024, 8, 15);
  EXPECT_EQ(onThatDay, 3);
  EXPECT_FALSE(k.FindFeierObj(ftMariaeHimmelfahrt, 0, 0).Aktiv);
}

TEST_F(FeiertagFileTest, YearsAreClampedToTheManagedYearsForTheFileOnly) {
  WriteYear(2000, "398330\r\n1\r\n1 3 1 Aus dem Jahr 2000\r\n");
  WriteYear(2030, "398330\r\n1\r\n2 3 1 Aus dem Jahr 2030\r\n");
  TQRVFeiertage& k = Kalender();
  EXPECT_EQ(k.DateiName(1995), data.Path() + "2000" + kSep + "FEIERTG.DAT");
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(1995, 3, 1)));
  EXPECT_EQ(k.Ostern(), EncodeDate(1995, 4, 16));
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(1995, 4, 17)));  // Easter Monday 1995
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2040, 3, 2)));
  EXPECT_FALSE(k.IstFeiertag(EncodeDate(2040, 3, 1)));
}

// Each file fails part way; what was read before the failure stays in effect.
TEST_F(FeiertagFileTest, MalformedFilesEndTheLoadingWhereTheyFail) {
  struct Case {
    const char* label;
    const char* text;
    TFeiertypen set;  // after the load
    int own;          // own holidays after the load
  };
  // Before each load: the default set with one own holiday from a good 2023 file.
  const Case cases[] = {
      {"letters for the set", "abc\r\n1\r\n1 3 1 X\r\n", kFeiertageStandard | 4, 0},
      {"letters for the count", "2\r\nzwei\r\n", 2, 0},
      {"letters for a day", "2\r\n2\r\n1 3 1 Gut\r\nx 3 1 Schlecht\r\n", 2, 1},
      {"number glued to letters", "2\r\n1\r\n1 3x 1 X\r\n", 2, 0},
      {"count above the lines", "2\r\n5\r\n1 3 1 Gut\r\n2 3 0 Auch gut\r\n", 2, 2},
      {"30 February", "2\r\n2\r\n1 3 1 Gut\r\n30 2 1 Nie\r\n", 2, 1},
      {"day beyond 16 bits", "2\r\n1\r\n65537 3 1 Nie\r\n", 2, 0},
      {"negative count", "2\r\n-3\r\n1 3 1 X\r\n", 2, 0},
      {"empty file", "", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TQRVFeiertage k(tp.Get(), konfig);
    WriteYear(2023, "398334\r\n1\r\n24 12 1 Gut\r\n");
    ASSERT_TRUE(k.IstFeiertag(EncodeDate(2023, 12, 24)));
    WriteYear(2024, c.text);
    EXPECT_NO_THROW(k.SetJahr(2024));
    EXPECT_EQ(k.Jahr(), 2024);
    EXPECT_EQ(k.Feiertage(), c.set);
    int own = 0;
    for (int i = 0; i < k.Count(); ++i) own += k.GetFeierObj(i).Typ == ftFest;
    EXPECT_EQ(own, c.own);
  }
}

TEST_F(FeiertagFileTest, LoadFromFileRaisesTheReadersErrors) {
  WriteYear(2024, "2\r\nzwei\r\n");
  TQRVFeiertage& k = Kalender();
  const std::string name = data.Path() + "2024" + kSep + "FEIERTG.DAT";
  try {
    k.LoadFromFile(name);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 106);
    EXPECT_EQ(e.Message(), "Ung\xFCltige numerische Eingabe");
  }
  WriteYear(2024, "2\r\n1\r\n30 2 1 Nie\r\n");
  EXPECT_THROW(k.LoadFromFile(name), EConvertError);
  tp.files.FailOperation(1, platform::kAccessDenied);
  try {
    k.LoadFromFile(name);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 5);
  }
  EXPECT_EQ(tp.files.OpenFiles(), 0);
}

TEST_F(FeiertagFileTest, AFailedReadKeepsThePreviousChoicesAndClosesTheFile) {
  WriteYear(2024, "2\r\n1\r\n12 6 1 Stadtfest\r\n");
  WriteYear(2025, "398330\r\n0\r\n");
  TQRVFeiertage& k = Kalender();
  k.SetJahr(2024);
  tp.files.FailOperation(2, platform::kReadFault);  // the size after the open
  k.SetJahr(2025);
  EXPECT_EQ(tp.files.OpenFiles(), 0);
  EXPECT_TRUE(k.IstFeiertag(EncodeDate(2025, 6, 12)));
  EXPECT_EQ(k.Feiertage(), 2u);
}

TEST(FeiertagTextTest, NumbersSkipBlanksAndLineEndsAndReadZeroAtTheEnd) {
  TFeiertagText t(" \t\r\n-7 $10\tRest der Zeile \r\nnext\n");
  EXPECT_EQ(t.ReadInt(), -7);
  EXPECT_EQ(t.ReadInt(), 16);
  EXPECT_EQ(t.ReadRest(), "\tRest der Zeile ");
  t.SkipLine();
  EXPECT_EQ(t.ReadRest(), "next");
  t.SkipLine();
  EXPECT_TRUE(t.AtEnd());
  EXPECT_EQ(t.ReadInt(), 0);
  EXPECT_EQ(t.ReadRest(), "");
}

}  // namespace
}  // namespace qrv
