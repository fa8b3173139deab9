// The five calculation exports as a caller uses them: the answers marshalled into the caller's
// outputs, the library's one enumeration next to a day span, and the hostile calls: no
// enumeration, indices outside it, null outputs, dates that are no dates, persons that do not
// exist or are damaged, a month record cut short, missing templates, a range of a hundred years
// and a failed start-up. Each answers its failure result without writing, and the next call works.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "abfrage_fixture.h"
#include "quorvane.h"

namespace qrv {
namespace {

using testing::AbfrageFixture;
using testing::Uhr;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kUnberuehrt = -12345.5;

struct Zeiten {
  double z[4] = {kUnberuehrt, kUnberuehrt, kUnberuehrt, kUnberuehrt};
  QrvBool Rufen(int32_t pers, double von, double bis) {
    return CalcZeit(pers, von, bis, &z[0], &z[1], &z[2], &z[3]);
  }
};

// The outputs of QRVGetAufTagData, filled with marks that show what was written.
struct Item {
  int32_t art = -7;
  double von = kUnberuehrt, bis = kUnberuehrt, wert = kUnberuehrt;
  char text[256];
  Item() { std::memset(text, 'X', sizeof text); }
  QrvBool Holen(int32_t index) { return QRVGetAufTagData(index, &art, &von, &bis, &wert, text); }
  bool Unberuehrt() const {
    return art == -7 && von == kUnberuehrt && bis == kUnberuehrt && wert == kUnberuehrt;
  }
};

class CalcExportsTest : public AbfrageFixture {
 protected:
  CalcExportsTest() {
    werktag.RundFlags = 1u | 4u;  // comings up, goings down, no tolerance
    werktag.RundRaster = Uhr(0, 15);
    werktag.Pausen[0] = {true, Uhr(12), Uhr(12, 30)};
    Buchen(14, {Uhr(7, 7), Uhr(16, 8)});  // rounded 7:15-16:00
  }
  static TDateTime Montag(double zeit = 0) { return EncodeDate(2004, 6, 14) + zeit; }
  // A sound call: the four sums of Monday 7:00-12:00.
  static void ExpectRechnet() {
    Zeiten t;
    ASSERT_EQ(t.Rufen(kPers, Montag(Uhr(7)), Montag(Uhr(12))), 1);
    EXPECT_NEAR(t.z[0], Uhr(4, 23), 1e-9);  // 7:07-12:00 less the break window's 0:30
    EXPECT_NEAR(t.z[1], Uhr(4, 15), 1e-9);  // 7:15-12:00 less 0:30
    EXPECT_NEAR(t.z[2], Uhr(8, 31), 1e-9);  // 7:07-16:08 less 0:30
    EXPECT_NEAR(t.z[3], Uhr(8, 15), 1e-9);  // 7:15-16:00 less 0:30
  }
};

TEST_F(CalcExportsTest, CalcZeitHandsOutTheFourSumsInTheirOrder) {
  Starten();
  ExpectRechnet();
}

TEST_F(CalcExportsTest, EnumerationHandsOutItsItemsAndADaySpanLeavesItOpen) {
  Starten();
  ASSERT_EQ(QRVBeginAufTag(kPers, Montag(), 1), 9);
  // The span runs an enumeration of its own, rounded in mode 0.
  double von = Montag(Uhr(9));
  double bis = 0;
  EXPECT_EQ(QRVGetTagVonBis(kPers, &von, &bis, 0), 1);
  EXPECT_NEAR(von, Montag(Uhr(7, 15)), 1e-9);
  EXPECT_NEAR(bis, Montag(Uhr(16)), 1e-9);
  // Items 2, 3, 7, 9, 0, 1, 5, and the pieces of mode 1: 7:07-12:00 and 12:30-16:08.
  Item model;
  ASSERT_EQ(model.Holen(0), 1);
  EXPECT_EQ(model.art, 2);
  EXPECT_STREQ(model.text, "0001 Normal");
  Item rundung;
  ASSERT_EQ(rundung.Holen(6), 1);
  EXPECT_EQ(rundung.art, 5);
  EXPECT_NEAR(rundung.wert, Uhr(0, 15), 1e-12);
  EXPECT_STREQ(rundung.text, "kommen aufrunden / gehen abrunden");
  Item stueck;
  ASSERT_EQ(stueck.Holen(8), 1);
  EXPECT_EQ(stueck.art, 15);
  EXPECT_NEAR(stueck.von, Montag(Uhr(12, 30)), 1e-9);
  EXPECT_NEAR(stueck.bis, Montag(Uhr(16, 8)), 1e-9);
  EXPECT_NEAR(stueck.wert, Uhr(3, 38), 1e-9);
  EXPECT_STREQ(stueck.text, "");
  EXPECT_EQ(QRVEndAufTag(), 1);
}

TEST_F(CalcExportsTest, EnumerationCallsOutOfTurnAnswerFalseAndWriteOnlyAnEmptyText) {
  Starten();
  Item vorher;
  EXPECT_EQ(vorher.Holen(0), 0);  // before any begin
  EXPECT_TRUE(vorher.Unberuehrt());
  EXPECT_STREQ(vorher.text, "");
  EXPECT_EQ(QRVEndAufTag(), 1);  // nothing open

  const int32_t n = QRVBeginAufTag(kPers, Montag(), 0);
  ASSERT_EQ(n, 9);
  for (int32_t index : {-1, n, std::numeric_limits<int32_t>::min()}) {
    SCOPED_TRACE(index);
    Item item;
    EXPECT_EQ(item.Holen(index), 0);
    EXPECT_TRUE(item.Unberuehrt());
    EXPECT_STREQ(item.text, "");
  }
  // A null output: false, nothing written but the empty text.
  Item ohne;
  EXPECT_EQ(QRVGetAufTagData(0, nullptr, &ohne.von, &ohne.bis, &ohne.wert, ohne.text), 0);
  EXPECT_EQ(QRVGetAufTagData(0, &ohne.art, &ohne.von, nullptr, &ohne.wert, ohne.text), 0);
  EXPECT_TRUE(ohne.Unberuehrt());
  EXPECT_STREQ(ohne.text, "");
  EXPECT_EQ(QRVGetAufTagData(0, &ohne.art, &ohne.von, &ohne.bis, &ohne.wert, nullptr), 0);
  EXPECT_TRUE(ohne.Unberuehrt());

  Item letztes;
  EXPECT_EQ(letztes.Holen(n - 1), 1);
  EXPECT_EQ(QRVEndAufTag(), 1);
  Item danach;
  EXPECT_EQ(danach.Holen(0), 0);  // after the end
  EXPECT_TRUE(danach.Unberuehrt());
  EXPECT_STREQ(danach.text, "");
}

TEST_F(CalcExportsTest, CalcZeitFailsWithZerosOnAnythingItCannotCalculate) {
  Starten();
  struct Case {
    const char* label;
    int32_t pers;
    double von, bis;
  };
  const Case cases[] = {
      {"person 0", 0, Montag(Uhr(7)), Montag(Uhr(12))},
      {"person 10000", 10000, Montag(Uhr(7)), Montag(Uhr(12))},
      {"start not a number", kPers, kNaN, Montag(Uhr(12))},
      {"end not a number", kPers, Montag(Uhr(7)), kNaN},
      {"end infinite", kPers, Montag(Uhr(7)), kInf},
      {"start minus infinite", kPers, -kInf, Montag(Uhr(12))},
      {"ends before it starts", kPers, Montag(Uhr(12)), Montag(Uhr(7))},
      {"in year 0", kPers, EncodeDate(1, 1, 1) - 10, Montag()},
      {"in year 10000", kPers, Montag(), EncodeDate(9999, 12, 31) + 10},
      {"far outside every date", kPers, -1e300, 1e300},
      {"before the permitted years", kPers, EncodeDate(2002, 6, 3), EncodeDate(2002, 6, 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Zeiten t;
    EXPECT_EQ(t.Rufen(c.pers, c.von, c.bis), 0);
    for (double z : t.z) EXPECT_EQ(z, 0);
    ExpectRechnet();
  }
  // A null output: false, and none of the others written.
  for (int fehlt = 0; fehlt < 4; ++fehlt) {
    SCOPED_TRACE(fehlt);
    Zeiten t;
    double* z[4] = {&t.z[0], &t.z[1], &t.z[2], &t.z[3]};
    z[fehlt] = nullptr;
    EXPECT_EQ(CalcZeit(kPers, Montag(Uhr(7)), Montag(Uhr(12)), z[0], z[1], z[2], z[3]), 0);
    for (double wert : t.z) EXPECT_EQ(wert, kUnberuehrt);
  }
  ExpectRechnet();
}

TEST_F(CalcExportsTest, BeginAndDaySpanOnDatesThatAreNoDates) {
  Starten();
  for (double datum : {kNaN, kInf, -kInf, EncodeDate(1, 1, 1) - 1, 1e300}) {
    SCOPED_TRACE(datum);
    EXPECT_EQ(QRVBeginAufTag(kPers, datum, 0), 0);
    Item item;
    EXPECT_EQ(item.Holen(0), 0);
    EXPECT_EQ(QRVBeginAufTag(kPers, Montag(), 0), 9);
  }
  EXPECT_EQ(QRVEndAufTag(), 1);
  // Not a number names no day: nothing is written.
  double von = kNaN;
  double bis = kUnberuehrt;
  EXPECT_EQ(QRVGetTagVonBis(kPers, &von, &bis, 0), 1);
  EXPECT_TRUE(std::isnan(von));
  EXPECT_EQ(bis, kUnberuehrt);
  // A date outside the years: the failed enumeration's answer, the day's two midnights.
  von = EncodeDate(1, 1, 1) - 3.5;
  EXPECT_EQ(QRVGetTagVonBis(kPers, &von, &bis, 0), 1);
  EXPECT_EQ(von, EncodeDate(1, 1, 1) - 3);
  EXPECT_EQ(bis, EncodeDate(1, 1, 1) - 2);
  // Null outputs: nothing written.
  von = Montag();
  EXPECT_EQ(QRVGetTagVonBis(kPers, &von, nullptr, 0), 1);
  EXPECT_EQ(von, Montag());
  EXPECT_EQ(QRVGetTagVonBis(kPers, nullptr, &bis, 0), 1);
  EXPECT_EQ(bis, EncodeDate(1, 1, 1) - 2);
}

TEST_F(CalcExportsTest, DamagedPersonRecordFailsAndTheOthersStillAnswer) {
  inst->Person(8, 1, 1, eintritt);
  Starten();
  StopLibrary();
  // Person 8's slot, all of it 0xFF.
  const std::string datei = data.Path() + "KONFIG" + platform::kPathSeparator + "PERSONEN.DAT";
  std::string bytes = testing::ReadFileBytes(datei);
  const size_t slot = 2048;
  ASSERT_GE(bytes.size(), 9 * slot);
  std::memset(bytes.data() + 8 * slot, 0xFF, slot);
  ASSERT_EQ(bytes.substr(7 * slot, 7), "\x06Muster");  // person 7's slot before it
  testing::WriteFileBytes(datei, bytes);
  ASSERT_TRUE(StartLibrary(tp.Get()));
  Zeiten t;
  EXPECT_EQ(t.Rufen(8, Montag(Uhr(7)), Montag(Uhr(12))), 0);
  for (double z : t.z) EXPECT_EQ(z, 0);
  EXPECT_EQ(QRVBeginAufTag(8, Montag(), 0), 0);
  EXPECT_EQ(QRVEndAufTag(), 1);
  ExpectRechnet();
}

TEST_F(CalcExportsTest, MonthRecordCutShortReadsAsANewEmptyMonth) {
  Starten();
  ExpectRechnet();
  const std::string juni = data.Path() + "2004" + platform::kPathSeparator + "Jun.NEU";
  const auto slot = std::filesystem::file_size(juni);
  std::filesystem::resize_file(juni, 1000);
  // A new library, as another process would load it.
  StopLibrary();
  ASSERT_TRUE(StartLibrary(tp.Get()));
  Zeiten t;
  EXPECT_EQ(t.Rufen(kPers, Montag(Uhr(7)), Montag(Uhr(12))), 1);
  for (double z : t.z) EXPECT_EQ(z, 0);
  EXPECT_EQ(QRVBeginAufTag(kPers, Montag(), 0), 3);  // model, target, "Eintragung fehlt"
  EXPECT_EQ(QRVEndAufTag(), 1);
  EXPECT_EQ(std::filesystem::file_size(juni), slot);
}

TEST_F(CalcExportsTest, MissingTemplatesAreCopiedFromTheFirstOnes) {
  Schreiben();
  inst->Person(kPers, 77, 5, eintritt);  // plan template 1077, calculation template 5
  ASSERT_TRUE(StartLibrary(tp.Get()));
  ExpectRechnet();
  const std::string schplan = data.Path() + "SCHPLAN" + platform::kPathSeparator;
  EXPECT_TRUE(std::filesystem::exists(schplan + "BVOR5.DAT"));
  EXPECT_TRUE(std::filesystem::exists(schplan + "GSPL1077.DAT"));
}

TEST_F(CalcExportsTest, RangeOfAHundredYearsWalksTheDaysFromTheRecordingStart) {
  Starten();
  Zeiten t;
  // From 1950 to 2049: the walk starts at Eintritt (1 January 2003) and ends with the last
  // permitted year.
  ASSERT_EQ(t.Rufen(kPers, EncodeDate(1950, 1, 1), EncodeDate(2049, 12, 31)), 1);
  EXPECT_NEAR(t.z[0], Uhr(9, 1) - Uhr(0, 30), 1e-9);
  EXPECT_NEAR(t.z[1], Uhr(8, 45) - Uhr(0, 30), 1e-9);
  EXPECT_NEAR(t.z[2], Uhr(9, 1) - Uhr(0, 30), 1e-9);
  EXPECT_NEAR(t.z[3], Uhr(8, 45) - Uhr(0, 30), 1e-9);
  ExpectRechnet();
}

TEST_F(CalcExportsTest, AfterAFailedStartUpEveryExportAnswersItsFailureResult) {
  Schreiben();
  std::filesystem::remove(data.Path() + "QUORVANE.INI");
  ASSERT_FALSE(StartLibrary(tp.Get()));
  Zeiten t;
  EXPECT_EQ(t.Rufen(kPers, Montag(Uhr(7)), Montag(Uhr(12))), 0);
  for (double z : t.z) EXPECT_EQ(z, 0);
  EXPECT_EQ(QRVBeginAufTag(kPers, Montag(), 0), 0);
  Item item;
  EXPECT_EQ(item.Holen(0), 0);
  EXPECT_TRUE(item.Unberuehrt());
  EXPECT_STREQ(item.text, "");
  EXPECT_EQ(QRVEndAufTag(), 0);
  double von = Montag(Uhr(9));
  double bis = 0;
  EXPECT_EQ(QRVGetTagVonBis(kPers, &von, &bis, 0), 1);
  EXPECT_EQ(von, Montag());
  EXPECT_EQ(bis, Montag() + 1);
}

}  // namespace
}  // namespace qrv
