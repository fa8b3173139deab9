// The compact month layout against records built byte by byte from its offset table.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "month/monat_codec.h"
#include "raw_month.h"
#include "util/datetime.h"

namespace qrv {
namespace {

using testing::AddBuchung;
using testing::Buchung;
using testing::HM;
using testing::kMinute;
using testing::RawMonth;

size_t PrevSetAt(int j) {
  return j <= 8 ? 1573 + 4 * j : 1927 + 4 * j;
}
size_t NextSetAt(int j) {
  return 1918 + 4 * j;
}

void PutBooking(RawMonth& r, int d, int j, int h, int m, int art, int c1, int c2) {
  r.U8(10 * d + 1105 + j, art * 25 + h);
  r.U8(10 * d + 795 + j, m);
  r.U8(10 * d + 1601 + j, ((c1 - 1) << 4) | (c2 - 1));
}

// February 2004 (29 days).
RawMonth CompactFixture() {
  RawMonth r(2000);
  r.I16(0, 8);   // day 1 TagZeit 8:00
  r.I16(56, 1);  // day 29 TagZeit 1:01
  r.I16(118, 1);
  r.U8(10 * 3 + 177 + 2, 4);  // day 3 TagKonto[2] 4:45
  r.U8(10 * 3 + 487 + 2, 45);
  r.U8(10 * 29 + 177 + 5, -3);  // day 29 TagKonto[5] -3:05
  r.U8(10 * 29 + 487 + 5, -5);
  r.U8(10 * 3 + 183, 1);    // 'a'
  r.U8(10 * 29 + 183, 26);  // 'z'
  // Day 4: ten bookings, the first on the day before, the last on the day after.
  r.U8(1465 + 4, 10);
  PutBooking(r, 4, 1, 23, 0, 0, 1, 10);
  r.Bit(PrevSetAt(1), 4);
  for (int j = 2; j <= 9; ++j) PutBooking(r, 4, j, 6 + j, 3 * j, j % 3, j, 11 - j);
  PutBooking(r, 4, 10, 0, 30, 0, 10, 1);
  r.Bit(NextSetAt(10), 4);
  // Day 5: all ten on the day before; day 6: all ten on the day after.
  r.U8(1465 + 5, 10);
  r.U8(1465 + 6, 10);
  for (int j = 1; j <= 10; ++j) {
    PutBooking(r, 5, j, 13 + j, 0, j % 2, 15, 15);
    r.Bit(PrevSetAt(j), 5);
    PutBooking(r, 6, j, 0, 5 * j, 9, 1, 1);
    r.Bit(NextSetAt(j), 6);
  }
  r.I16(1426, -15);  // MonSaldo -2:15
  r.I16(1446, -2);
  r.I16(1428, 30);        // MonSaldoKorr 0:30
  r.I16(1452, 15);        // MonAnteilB 1.5
  r.I16(1432, -10);       // MonAnteilBKorr -1
  r.I16(1454, 250);       // MonAnteilA 25
  r.I16(1434, 5);         // MonAnteilAKorr 0.5
  r.I16(1454 + 2, 60);    // MonTagKonto[1]
  r.I16(1454 + 10, -60);  // MonTagKonto[5]
  r.I16(1434 + 2, 1);     // MonTagKontoKorr[1]
  r.I16(1434 + 10, 5);    // MonTagKontoKorr[5]
  r.I16(1495 + 2, 10);    // MonKonto[1]
  r.I16(1495 + 40, 20);   // MonKonto[20]
  r.I16(1535 + 2, 30);    // MonKontoKorr[1]
  r.I16(1535 + 40, -40);  // MonKontoKorr[20]
  r.F64(1971, 38050.75);
  r.I16(1979, 29);
  r.I16(1981, 5);  // MonWarnTage
  r.I16(1983, 6);  // MonFehlerTage
  r.I16(1985, 7);  // MonWarnTageKorr
  r.I16(1987, 8);  // MonFehlerTageKorr
  return r;
}

std::unique_ptr<TMonatDaten> Decode(const RawMonth& r, int year = 2004, int month = 2) {
  auto m = std::make_unique<TMonatDaten>();
  DecodeKMonat(r.bytes.data(), *m, year, month);
  return m;
}

void ExpectBookings(const TMonatTag& t, const std::vector<TBuchung>& expected) {
  ASSERT_EQ(t.AnzBuchungen, expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(t.Buchungen[i].Zeit, expected[i].Zeit);
    EXPECT_EQ(t.Buchungen[i].Art, expected[i].Art);
    EXPECT_EQ(t.Buchungen[i].Code1, expected[i].Code1);
    EXPECT_EQ(t.Buchungen[i].Code2, expected[i].Code2);
  }
}

TEST(KMonatCodecTest, ReadsTheDaysFromTheirOffsets) {
  const auto m = Decode(CompactFixture());
  EXPECT_DOUBLE_EQ(m->Tag(1).TagZeit, HM(8, 0));
  EXPECT_DOUBLE_EQ(m->Tag(29).TagZeit, HM(1, 1));
  EXPECT_DOUBLE_EQ(m->Tag(3).TagKonto[1], HM(4, 45));
  EXPECT_DOUBLE_EQ(m->Tag(29).TagKonto[4], -HM(3, 5));
  EXPECT_EQ(m->Tag(3).Fehlzeit, 'a');
  EXPECT_EQ(m->Tag(29).Fehlzeit, 'z');
  EXPECT_EQ(m->Tag(1).Fehlzeit, ' ');

  const double d4 = EncodeDate(2004, 2, 4);
  std::vector<TBuchung> day4 = {Buchung(d4 - 1 + HM(23, 0), 0, 1, 10)};
  for (int j = 2; j <= 9; ++j) day4.push_back(Buchung(d4 + HM(6 + j, 3 * j), j % 3, j, 11 - j));
  day4.push_back(Buchung(d4 + 1 + HM(0, 30), 0, 10, 1));
  ExpectBookings(m->Tag(4), day4);

  const double d5 = EncodeDate(2004, 2, 5);
  std::vector<TBuchung> day5, day6;
  for (int j = 1; j <= 10; ++j) {
    day5.push_back(Buchung(d5 - 1 + HM(13 + j, 0), j % 2, 15, 15));
    day6.push_back(Buchung(d5 + 2 + HM(0, 5 * j), 9, 1, 1));
  }
  ExpectBookings(m->Tag(5), day5);
  ExpectBookings(m->Tag(6), day6);
}

TEST(KMonatCodecTest, ReadsTheMonthValuesAndNothingTheLayoutLacks) {
  const auto m = Decode(CompactFixture());
  EXPECT_DOUBLE_EQ(m->MonSaldo, -HM(2, 15));
  EXPECT_DOUBLE_EQ(m->MonSaldoKorr, HM(0, 30));
  EXPECT_DOUBLE_EQ(m->MonAnteilB, 1.5);
  EXPECT_DOUBLE_EQ(m->MonAnteilBKorr, -1);
  EXPECT_DOUBLE_EQ(m->MonAnteilA, 25);
  EXPECT_DOUBLE_EQ(m->MonAnteilAKorr, 0.5);
  EXPECT_DOUBLE_EQ(m->MonTagKonto[0], 60 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonTagKonto[4], -60 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonTagKontoKorr[0], 1 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonTagKontoKorr[4], 5 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKonto[0], 10 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKonto[19], 20 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKontoKorr[0], 30 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKontoKorr[19], -40 * kMinute);
  EXPECT_DOUBLE_EQ(m->BerechnetAm, 38050.75);
  EXPECT_EQ(m->BerechnetBis, 29);
  EXPECT_EQ(m->MonWarnTage, 5);
  EXPECT_EQ(m->MonFehlerTage, 6);
  EXPECT_EQ(m->MonWarnTageKorr, 7);
  EXPECT_EQ(m->MonFehlerTageKorr, 8);
  EXPECT_EQ(m->MonKonto[20], 0);
  EXPECT_EQ(m->MonInt1, 0);
  EXPECT_EQ(m->MonUebertrag, 0);
  EXPECT_EQ(m->MonFlag, 0);
  EXPECT_EQ(m->Tag(1).TagWort, 0);
}

TEST(KMonatCodecTest, WritingAReadRecordGivesTheSameBytes) {
  const RawMonth fixture = CompactFixture();
  const auto m = Decode(fixture);
  std::vector<uint8_t> out(2000, 0xAA);
  EncodeKMonat(*m, out.data(), 2004, 2);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], fixture.bytes[i]) << "offset " << i;
}

TEST(KMonatCodecTest, StatusIsWrittenButReadBackAsZero) {
  auto m = std::make_unique<TMonatDaten>();
  m->Tag(2).Status = 0x1234;
  std::vector<uint8_t> out(2000);
  EncodeKMonat(*m, out.data(), 2004, 2);
  EXPECT_EQ(out[126], 0x34);
  EXPECT_EQ(out[127], 0x12);
  RawMonth r(2000);
  r.bytes = out;
  EXPECT_EQ(Decode(r)->Tag(2).Status, 0);
}

TEST(KMonatCodecTest, KindAndHoursByte) {
  const struct {
    const char* label;
    int stored;
    int art;
    double time;
  } cases[] = {{"kind 3 at 7:00", 3 * 25 + 7, 3, HM(7, 0)},
               {"hours 24", 2 * 25 + 24, 2, 1.0},
               {"255: kind 10, hours 5", 255, 10, HM(5, 0)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    RawMonth r(2000);
    r.U8(1465 + 9, 1);
    r.U8(10 * 9 + 1105 + 1, c.stored);
    const auto m = Decode(r);
    ASSERT_EQ(m->Tag(9).AnzBuchungen, 1);
    EXPECT_EQ(m->Tag(9).Buchungen[0].Art, c.art);
    EXPECT_DOUBLE_EQ(m->Tag(9).Buchungen[0].Zeit, EncodeDate(2004, 2, 9) + c.time);
  }
}

TEST(KMonatCodecTest, AStoredCountAboveTenReadsTheTenSlots) {
  for (int count : {10, 11, 255}) {
    SCOPED_TRACE(count);
    RawMonth r(2000);
    r.U8(1465 + 29, count);  // day 29, the month's last
    for (int j = 1; j <= 10; ++j) PutBooking(r, 29, j, j, 0, 0, 1, 1);
    EXPECT_EQ(Decode(r)->Tag(29).AnzBuchungen, 10);
  }
}

TEST(KMonatCodecTest, TenBookingsWithOneAfterMidnightSurviveAWrite) {
  auto m = std::make_unique<TMonatDaten>();
  const double d = EncodeDate(2004, 2, 10);
  std::vector<TBuchung> bookings;
  for (int j = 0; j < 9; ++j) bookings.push_back(Buchung(d + HM(14 + j, 7), j % 2, j + 1, 15 - j));
  bookings.push_back(Buchung(d + 1 + HM(0, 45), 1, 3, 0));
  for (const TBuchung& b : bookings) AddBuchung(m->Tag(10), b);
  std::vector<uint8_t> out(2000);
  EncodeKMonat(*m, out.data(), 2004, 2);
  RawMonth r(2000);
  r.bytes = out;
  ExpectBookings(Decode(r)->Tag(10), bookings);
}

TEST(KMonatCodecTest, ADayWithMoreThanTenBookingsIsWrittenWithCountTen) {
  auto m = std::make_unique<TMonatDaten>();
  const double d = EncodeDate(2004, 2, 11);
  for (int j = 0; j < 12; ++j) AddBuchung(m->Tag(11), Buchung(d + HM(6 + j, 0), 0, 1, 1));
  std::vector<uint8_t> out(2000);
  EncodeKMonat(*m, out.data(), 2004, 2);
  EXPECT_EQ(out[1465 + 11], 10);
  RawMonth r(2000);
  r.bytes = out;
  EXPECT_EQ(Decode(r)->Tag(11).AnzBuchungen, 10);
}

TEST(KMonatCodecTest, BerechnetBisBeyondFebruaryClearsBoth) {
  RawMonth r(2000);
  r.F64(1971, 38050.75);
  r.I16(1979, 30);
  const auto m = Decode(r);
  EXPECT_EQ(m->BerechnetBis, 0);
  EXPECT_EQ(m->BerechnetAm, 0);
}

}  // namespace
}  // namespace qrv
