// The full month layout against records built byte by byte from its offset table.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "month/monat_codec.h"
#include "month/monat_file.h"
#include "raw_month.h"
#include "support/doubles.h"
#include "util/datetime.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::AddBuchung;
using testing::Buchung;
using testing::HM;
using testing::kMinute;
using testing::RawMonth;

// Stored offsets of the full layout, d the day, j the slot.
size_t CodeAt(int d, int j) {
  if (j <= 10) return 10 * d + 8316 + j;
  if (j <= 20) return 50 * d + 4815 + j;
  if (j <= 30) return 50 * d + 3255 + j;
  return 50 * d + 6576 + j;
}

int Code1Of(int j) {
  return j % 15 + 1;
}
int Code2Of(int j) {
  return (j * 7) % 15 + 1;
}

void PutBooking(RawMonth& r, int d, int j, int h, int m, int art, int c1, int c2) {
  r.U8(50 * d + 4785 + j, h);
  r.U8(50 * d + 3235 + j, m);
  r.U8(50 * d + 6566 + j, art);
  r.U8(CodeAt(d, j), ((c1 - 1) << 4) | (c2 - 1));
}

// March 2004 (31 days) with a value in every kind of field, each one the writer reproduces.
RawMonth FullFixture() {
  RawMonth r(9000);
  r.I16(0, 7);  // day 1 TagZeit 7:30
  r.I16(62, 30);
  r.I16(60, 0);  // day 31 TagZeit -0:01
  r.I16(122, -1);
  r.I16(126, 0xF81F);         // day 2 status
  r.U8(50 * 5 + 137 + 3, 2);  // day 5 TagKonto[3] 2:15
  r.U8(50 * 5 + 1687 + 3, 15);
  r.U8(50 * 5 + 137 + 5, -1);  // day 5 TagKonto[5] -1:20
  r.U8(50 * 5 + 1687 + 5, -20);
  r.U8(50 * 5 + 143, 3);      // day 5 absence 'c'
  r.U8(50 * 5 + 145 + 1, 1);  // day 5 TagKontoWert[21] 1:05
  r.U8(50 * 5 + 1695 + 1, 5);
  r.U8(50 * 5 + 165 + 1, -2);  // day 5 TagKontoWert[1] -2:30
  r.U8(50 * 5 + 1715 + 1, -30);
  r.U8(50 * 31 + 145 + 20, 9);  // day 31 TagKontoWert[40] 9:59
  r.U8(50 * 31 + 1695 + 20, 59);
  r.U8(50 * 31 + 165 + 20, 3);  // day 31 TagKontoWert[20] 3:00
  r.U8(6585 + 7, 40);           // day 7: all 40 slots, a quarter of an hour apart
  for (int j = 1; j <= 40; ++j)
    PutBooking(r, 7, j, j * 15 / 60, j * 15 % 60, j % 4, Code1Of(j), Code2Of(j));
  r.U8(6585 + 31, 1);  // day 31: one booking at 23:59, kind 2, codes 15 and 1
  PutBooking(r, 31, 1, 23, 59, 2, 15, 1);
  r.I32(6386, -30);  // MonSaldo -12:30
  r.I32(8800, -12);
  r.I32(6390, 15);  // MonSaldoKorr 1:15
  r.I32(8804, 1);
  r.I32(8812, 25);        // MonAnteilB 2.5
  r.I32(6398, -5);        // MonAnteilBKorr -0.5
  r.I32(8816, 105);       // MonAnteilA 10.5
  r.I32(6402, 7);         // MonAnteilAKorr 0.7
  r.I32(8816 + 4, 90);    // MonTagKonto[1]
  r.I32(8816 + 20, -60);  // MonTagKonto[5]
  r.I32(6402 + 4, 1);     // MonTagKontoKorr[1]
  r.I32(6402 + 20, 2);    // MonTagKontoKorr[5]
  r.I32(8163 + 4, 100);   // MonKonto[1]
  r.I32(8163 + 80, 200);  // MonKonto[20]
  r.I32(8840 + 4, 300);   // MonKonto[21]
  r.I32(8840 + 80, 400);  // MonKonto[40]
  r.I32(8243 + 4, -1);    // MonKontoKorr[1]
  r.I32(8243 + 80, -2);   // MonKontoKorr[20]
  r.I32(6422 + 4, -3);    // MonKontoKorr[21]
  r.I32(6422 + 80, -4);   // MonKontoKorr[40]
  r.F64(8678, 38000.5);   // BerechnetAm
  r.I16(8686, 20);        // BerechnetBis
  r.I16(8688, 1);         // MonWarnTage
  r.I16(8690, 2);         // MonFehlerTage
  r.I16(8692, 3);         // MonWarnTageKorr
  r.I16(8694, 4);         // MonFehlerTageKorr
  r.I32(8696, 11);
  r.I32(8700, 12);
  r.I32(8704, 13);
  r.I32(8708, -14);
  r.F64(8712, 1.25);     // MonUebertrag
  r.I16(8720, -7);       // day 1 TagWort
  r.I16(8720 + 60, 31);  // day 31 TagWort
  r.U8(8782, 9);         // MonFlag
  return r;
}

std::unique_ptr<TMonatDaten> Decode(const RawMonth& r, int year, int month) {
  auto m = std::make_unique<TMonatDaten>();
  DecodeGMonat(r.bytes.data(), *m, year, month);
  return m;
}

TEST(GMonatCodecTest, ReadsEveryFieldFromItsOffset) {
  const auto m = Decode(FullFixture(), 2004, 3);
  EXPECT_DOUBLE_EQ(m->Tag(1).TagZeit, HM(7, 30));
  EXPECT_DOUBLE_EQ(m->Tag(31).TagZeit, -kMinute);
  EXPECT_EQ(m->Tag(2).Status, 0xF81F);
  const TMonatTag& t5 = m->Tag(5);
  EXPECT_DOUBLE_EQ(t5.TagKonto[2], HM(2, 15));
  EXPECT_DOUBLE_EQ(t5.TagKonto[4], -HM(1, 20));
  EXPECT_EQ(t5.Fehlzeit, 'c');
  EXPECT_EQ(m->Tag(6).Fehlzeit, ' ');
  EXPECT_DOUBLE_EQ(t5.TagKontoWert[20], HM(1, 5));
  EXPECT_DOUBLE_EQ(t5.TagKontoWert[0], -HM(2, 30));
  EXPECT_DOUBLE_EQ(m->Tag(31).TagKontoWert[39], HM(9, 59));
  EXPECT_DOUBLE_EQ(m->Tag(31).TagKontoWert[19], HM(3, 0));

  const TMonatTag& t7 = m->Tag(7);
  const double d7 = EncodeDate(2004, 3, 7);
  ASSERT_EQ(t7.AnzBuchungen, 40);
  for (int j = 1; j <= 40; ++j) {
    SCOPED_TRACE(j);
    const TBuchung& b = t7.Buchungen[j - 1];
    EXPECT_DOUBLE_EQ(b.Zeit, d7 + j * 15 * kMinute);
    EXPECT_EQ(b.Art, j % 4);
    EXPECT_EQ(b.Code1, Code1Of(j));
    EXPECT_EQ(b.Code2, Code2Of(j));
  }
  ASSERT_EQ(m->Tag(31).AnzBuchungen, 1);
  const TBuchung& last = m->Tag(31).Buchungen[0];
  EXPECT_DOUBLE_EQ(last.Zeit, EncodeDate(2004, 3, 31) + HM(23, 59));
  EXPECT_EQ(last.Art, 2);
  EXPECT_EQ(last.Code1, 15);
  EXPECT_EQ(last.Code2, 1);
  EXPECT_EQ(m->Tag(1).TagWort, -7);
  EXPECT_EQ(m->Tag(31).TagWort, 31);
}

TEST(GMonatCodecTest, ReadsTheMonthValues) {
  const auto m = Decode(FullFixture(), 2004, 3);
  EXPECT_DOUBLE_EQ(m->MonSaldo, -HM(12, 30));
  EXPECT_DOUBLE_EQ(m->MonSaldoKorr, HM(1, 15));
  EXPECT_DOUBLE_EQ(m->MonAnteilB, 2.5);
  EXPECT_DOUBLE_EQ(m->MonAnteilBKorr, -0.5);
  EXPECT_DOUBLE_EQ(m->MonAnteilA, 10.5);
  EXPECT_DOUBLE_EQ(m->MonAnteilAKorr, 0.7);
  EXPECT_DOUBLE_EQ(m->MonTagKonto[0], 90 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonTagKonto[4], -60 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonTagKontoKorr[0], 1 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonTagKontoKorr[4], 2 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKonto[0], 100 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKonto[19], 200 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKonto[20], 300 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKonto[39], 400 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKontoKorr[0], -1 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKontoKorr[19], -2 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKontoKorr[20], -3 * kMinute);
  EXPECT_DOUBLE_EQ(m->MonKontoKorr[39], -4 * kMinute);
  EXPECT_DOUBLE_EQ(m->BerechnetAm, 38000.5);
  EXPECT_EQ(m->BerechnetBis, 20);
  EXPECT_EQ(m->MonWarnTage, 1);
  EXPECT_EQ(m->MonFehlerTage, 2);
  EXPECT_EQ(m->MonWarnTageKorr, 3);
  EXPECT_EQ(m->MonFehlerTageKorr, 4);
  EXPECT_EQ(m->MonInt1, 11);
  EXPECT_EQ(m->MonInt2, 12);
  EXPECT_EQ(m->MonInt3, 13);
  EXPECT_EQ(m->MonInt4, -14);
  EXPECT_DOUBLE_EQ(m->MonUebertrag, 1.25);
  EXPECT_EQ(m->MonFlag, 9);
}

TEST(GMonatCodecTest, WritingAReadRecordGivesTheSameBytes) {
  const RawMonth fixture = FullFixture();
  const auto m = Decode(fixture, 2004, 3);
  std::vector<uint8_t> out(9000, 0xAA);
  EncodeGMonat(*m, out.data(), 2004, 3);
  for (size_t i = 0; i < out.size(); ++i) {
    ASSERT_EQ(out[i], fixture.bytes[i]) << "offset " << i;
  }
}

// One day's stored bookings: (hours, minutes, kind) per slot.
struct StoredDay {
  const char* label;
  std::vector<std::array<int, 3>> slots;
  int count;                                     // stored count
  std::vector<std::pair<double, int>> expected;  // (time from midnight, kind)
};

TEST(GMonatCodecTest, BookingListRules) {
  const StoredDay cases[] = {
      {"repeat dropped", {{8, 0, 0}, {8, 0, 0}, {8, 0, 2}}, 3, {{HM(8, 0), 0}, {HM(8, 0), 2}}},
      {"past midnight", {{22, 0, 0}, {6, 0, 0}}, 2, {{HM(22, 0), 0}, {1 + HM(6, 0), 0}}},
      {"count above the slots", {}, 41, {}},
      {"count 255", {}, 255, {}},
      {"count zero hides slots", {{8, 0, 0}}, 0, {}},
  };
  for (const StoredDay& c : cases) {
    SCOPED_TRACE(c.label);
    RawMonth r(9000);
    r.U8(6585 + 4, c.count);
    std::vector<std::pair<double, int>> expected = c.expected;
    if (c.count > 40) {
      // Every slot holds a booking a minute after the one before.
      for (int j = 1; j <= 40; ++j) {
        r.U8(50 * 4 + 3235 + j, j);
        expected.emplace_back(HM(0, j), 0);
      }
    }
    for (size_t j = 1; j <= c.slots.size(); ++j) {
      r.U8(50 * 4 + 4785 + j, c.slots[j - 1][0]);
      r.U8(50 * 4 + 3235 + j, c.slots[j - 1][1]);
      r.U8(50 * 4 + 6566 + j, c.slots[j - 1][2]);
    }
    const auto m = Decode(r, 2004, 3);
    const TMonatTag& t = m->Tag(4);
    ASSERT_EQ(t.AnzBuchungen, expected.size());
    const double d4 = EncodeDate(2004, 3, 4);
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_DOUBLE_EQ(t.Buchungen[i].Zeit, d4 + expected[i].first) << i;
      EXPECT_EQ(t.Buchungen[i].Art, expected[i].second) << i;
    }
  }
}

TEST(GMonatCodecTest, BerechnetBisBeyondTheMonthClearsBothValues) {
  const struct {
    const char* label;
    int stored;
    int expected;
  } cases[] = {{"last day of April", 30, 30},
               {"31 in a 30-day month", 31, 0},
               {"zero", 0, 0},
               {"negative", -1, 0},
               {"garbage", 0x7A7A, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    RawMonth r(9000);
    r.F64(8678, 38100.25);
    r.I16(8686, c.stored);
    const auto m = Decode(r, 2004, 4);
    EXPECT_EQ(m->BerechnetBis, c.expected);
    EXPECT_DOUBLE_EQ(m->BerechnetAm, c.expected == 0 ? 0 : 38100.25);
  }
}

TEST(GMonatCodecTest, ValueEncodingsOnWriting) {
  auto m = std::make_unique<TMonatDaten>();
  m->Tag(3).TagZeit = -kMinute;
  m->Tag(3).Fehlzeit = 'c';
  m->Tag(4).Fehlzeit = ' ';
  m->MonSaldo = -HM(1, 30);
  m->MonAnteilB = 0.25;  // 2.5 tenths: halves to even
  m->MonAnteilBKorr = -0.25;
  m->MonAnteilA = 0.75;
  m->MonKonto[0] = 0.5 * kMinute;  // half a minute: away from zero
  m->MonKonto[1] = -0.5 * kMinute;
  AddBuchung(m->Tag(3), Buchung(EncodeDate(2004, 3, 3) + HM(8, 0), 1, 0, 16));
  std::vector<uint8_t> out(9000);
  EncodeGMonat(*m, out.data(), 2004, 3);
  EXPECT_EQ(out[4], 0);  // day 3 hours
  EXPECT_EQ(out[5], 0);
  EXPECT_EQ(out[66], 0xFF);  // day 3 minutes -1
  EXPECT_EQ(out[67], 0xFF);
  EXPECT_EQ(out[50 * 3 + 143], 3);
  EXPECT_EQ(out[50 * 4 + 143], 0);
  EXPECT_EQ(out[6386], 0xE2);  // -30 minutes
  EXPECT_EQ(out[8800], 0xFF);  // -1 hour
  EXPECT_EQ(out[8812], 2);
  EXPECT_EQ(out[6398], 0xFE);
  EXPECT_EQ(out[8816], 8);
  EXPECT_EQ(out[8167], 1);
  EXPECT_EQ(out[8171], 0xFF);
  EXPECT_EQ(out[10 * 3 + 8317], 0xFF);  // codes 0 and 16 both give nibble 15
}

TEST(GMonatCodecTest, ConversionErrorsNameTheMonth) {
  testing::TempFolder folder;
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig k(tp.Get(), reported);
  k.DataPath = folder.Path();
  TGMonatFile file(tp.Get(), k);
  std::vector<uint8_t> raw(9000);
  auto m = std::make_unique<TMonatDaten>();
  try {
    file.RawToObject(raw.data(), m.get(), 0, 5, 1);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message().rfind("Monat laden 0/5\r\n", 0), 0u) << e.Message();
  }
}

}  // namespace
}  // namespace qrv
