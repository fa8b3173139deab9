#include "master/person_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <string>

#include "platform/table_locale.h"
#include "util/datetime.h"

namespace qrv {
namespace {

// A stored person record written byte by byte at the offsets of the stored layout.
struct RawRecord {
  std::array<uint8_t, kPersonRawSize> b{};

  void U8(int at, uint8_t v) { b[at] = v; }
  void U16(int at, int v) {
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
  }
  void I32(int at, int64_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>((v >> (8 * i)) & 0xFF);
  }
  void F64(int at, double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i) b[at + i] = static_cast<uint8_t>(u >> (8 * i));
  }
  void Str(int at, const std::string& s) {
    b[at] = static_cast<uint8_t>(s.size());
    std::memcpy(&b[at + 1], s.data(), s.size());
  }
  void Bytes(int at, const std::string& s) { std::memcpy(&b[at], s.data(), s.size()); }
};

const TDateTime kFirst2000 = 36526;  // 1 January 2000
const TDateTime kToday = 46366;      // 10 December 2026

class PersonRecordTest : public ::testing::Test {
 protected:
  PersonRecordTest() {
    ctx.Locale = &locale;
    ctx.AuswOffset = 100;
    ctx.FirstDate = kFirst2000;
    ctx.Today = kToday;
  }

  TPersonRec Decode(const RawRecord& raw, int32_t c = 5) {
    TPersonRec rec;
    std::memset(&rec, 0x5A, sizeof rec);  // stale content must not survive
    PersonRawToObject(raw.b.data(), rec, c, ctx);
    return rec;
  }

  // Every field holds something; the texts use OEM letters (0x81 u-umlaut, 0x8E A-umlaut, 0xE1
  // sharp s). Unused bytes and the bytes behind each text hold 0xA5.
  static RawRecord Full() {
    RawRecord r;
    r.b.fill(0xA5);
    r.Str(0, "M\x81ller");
    r.Str(31, "J\x81rgen");
    r.Str(62, "Abteilung");
    r.Str(93, "Dritter");
    r.Str(124, "Vierter");
    r.Str(155, "F\x81nfter");
    r.Str(186, "Kst 12");
    r.U16(208, 8), r.U16(210, 30), r.U16(212, 15), r.U16(214, 6), r.U16(216, 2020);
    r.U16(218, 17), r.U16(220, 45), r.U16(222, 12), r.U16(224, 15);
    r.U8(226, 1), r.U8(227, 1);
    r.U16(231, -5), r.U16(233, 7);
    r.Str(237, "\x81X");
    r.Bytes(248, "\x01\x02\x04\x08\x10\x20");
    r.Str(254, "12");
    r.Str(285, "Gro\xE1");
    r.U16(306, 300), r.U16(308, -300);
    r.U16(310, 6), r.U16(312, 5), r.U16(314, 2026), r.U16(316, 12), r.U16(318, 1);
    r.U16(360, 275);
    r.U16(362, 2010), r.U8(364, 3), r.U8(365, 1);
    r.U16(366, 2030), r.U8(368, 6), r.U8(369, 30);
    r.Str(378, "Sieben");
    r.U16(393, 0);
    r.Bytes(395, std::string("Gr\x81\xE1"
                             "e") +
                     '\0');
    r.U8(805, 1), r.U8(806, 0);
    r.Bytes(807, "\x8B\xE8\x6A\x2B\x52\x1A");                  // 1234.5678
    r.Bytes(813, std::string("\x81\x00\x00\x00\x00\x80", 6));  // -1
    r.Bytes(819, "AB "), r.Bytes(832, "XYZ"), r.Bytes(835, "   ");
    r.U8(1049, 0x42);
    for (int i = 0; i < 10; ++i) {
      r.Str(1050 + 31 * i, "Frei" + std::to_string(i + 1));
      r.Str(1447 + 31 * i, "Frei" + std::to_string(i + 11));
    }
    r.Str(1050,
          "\x8E"
          "rger");
    r.Str(1360, "FOTO\\\x81.JPG");
    r.I32(1391, 4711);
    r.I32(1395, 1002);
    r.F64(1399, 42005);  // 1 January 2015
    r.U8(1407, 9);
    r.I32(1408, 3);
    r.U16(1412, -2);
    r.Bytes(1414, "\x81\x82\x84\x88\x90\xA0");  // contains set 1
    r.Bytes(1420, "\x40\x40\x40\x40\x40\x40");  // does not
    r.U16(1426, 120);
    r.U16(1428, 66);
    r.F64(1430, 123.25);
    r.F64(1438, 46400);
    r.U8(1446, 0xFF);
    r.U16(1757, -7), r.U16(1759, 8);
    r.I32(1761, 0x0001FFFE);
    for (int i = 0; i < 64; ++i) r.U8(1765 + i, static_cast<uint8_t>(i * 3));
    return r;
  }

  platform::TableLocale locale;
  TPersonContext ctx;
};

TEST_F(PersonRecordTest, EveryFieldOfAStoredRecordDecodes) {
  const TPersonRec p = Decode(Full(), 5);
  EXPECT_EQ(p.PersNr, 5);
  EXPECT_EQ(p.AusweisNr, 4711);
  EXPECT_EQ(GetShort(p.Name), "M\xFCller");
  EXPECT_EQ(GetShort(p.Vorname), "J\xFCrgen");
  EXPECT_EQ(GetShort(p.Text1), "Abteilung");
  EXPECT_EQ(GetShort(p.Text2), "Gro\xDF");
  EXPECT_EQ(GetShort(p.Text3), "Dritter");
  EXPECT_EQ(GetShort(p.Text4), "Vierter");
  EXPECT_EQ(GetShort(p.Text5), "F\xFCnfter");
  EXPECT_EQ(GetShort(p.Text6), "Kst 12");
  EXPECT_EQ(GetShort(p.Text7), "Sieben");
  EXPECT_EQ(GetShort(p.Text8), "FOTO\\\x81.JPG") << "kept byte for byte";
  EXPECT_EQ(GetShort(p.Text9), "\x81X") << "kept byte for byte";
  EXPECT_EQ(GetShort(p.Frei[0]), "\xC4rger");
  for (int i = 2; i <= 20; ++i) EXPECT_EQ(GetShort(p.Frei[i - 1]), "Frei" + std::to_string(i));
  EXPECT_EQ(p.VorlageNr, 1002);
  EXPECT_EQ(p.VorlageAb, 42005);
  EXPECT_EQ(p.Wert1, 9);
  EXPECT_EQ(p.BerVorNr, 3);
  EXPECT_EQ(p.Wert2, -2);
  EXPECT_EQ(p.Wert3, -5);
  EXPECT_EQ(p.Wert4, 7);
  EXPECT_EQ(p.AltVorlageNr, 0);
  EXPECT_EQ(p.Rechte1, (std::array<uint8_t, 6>{1, 2, 4, 8, 0x10, 0x20}));
  EXPECT_EQ(p.Rechte2, (std::array<uint8_t, 6>{0x81, 0x82, 0x84, 0x88, 0x90, 0xA0}));
  EXPECT_EQ(p.Rechte3, (std::array<uint8_t, 6>{0x41, 0x42, 0x44, 0x48, 0x50, 0x60}));
  EXPECT_EQ(p.GruppeNr, 12);
  EXPECT_EQ(p.Jahreswert, 27.5);
  EXPECT_EQ(p.Wert5, -2);
  EXPECT_EQ(p.Eintrittswert, 12.0);
  EXPECT_EQ(p.Wert6, 66);
  EXPECT_EQ(p.Uebertrag, 1);
  EXPECT_EQ(p.Eintritt, EncodeDate(2010, 3, 1));
  EXPECT_EQ(p.Austritt, EncodeDate(2030, 6, 30));
  EXPECT_EQ(p.Wert7, -7);
  EXPECT_EQ(p.Wert8, 8);
  EXPECT_EQ(GetBemerkung(p),
            "Gr\xFC\xDF"
            "e");
  EXPECT_EQ(p.Belegt, 1);
  EXPECT_EQ(p.Schalter2, 1);
  EXPECT_EQ(p.Schalter3, 0);
  EXPECT_NEAR(p.Betrag1, 1234.5678, 1e-8);
  EXPECT_EQ(p.Betrag2, -1.0);
  EXPECT_EQ(GetShort(p.Kurz1), "AB ");
  EXPECT_EQ(GetShort(p.Kurz2), "XYZ");
  EXPECT_EQ(GetShort(p.Kurz3), "   ");
  EXPECT_DOUBLE_EQ(p.Zeitpunkt1, EncodeDate(2020, 6, 15) + HMToTime(8, 30));
  EXPECT_DOUBLE_EQ(p.Zeitpunkt2, EncodeDate(2020, 6, 15) + HMToTime(17, 45));
  EXPECT_DOUBLE_EQ(p.Zeitpunkt3, HMToTime(12, 15));
  EXPECT_EQ(p.Wert9, 300);
  EXPECT_EQ(p.Wert10, -300);
  EXPECT_DOUBLE_EQ(p.Zeitpunkt4, EncodeDate(2026, 12, 1) + HMToTime(6, 5));
  EXPECT_EQ(p.Zeitpunkt5, 123.25);
  EXPECT_EQ(p.Statusflag, 1);
  EXPECT_EQ(p.StatusBis, 46400);
  EXPECT_EQ(p.Wert11, 0x42);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(p.Block[i], static_cast<uint8_t>(i * 3)) << i;
}

TEST_F(PersonRecordTest, WritingADecodedRecordBackChangesOnlyWhatTheConversionRewrites) {
  const RawRecord stored = Full();
  TPersonRec p = Decode(stored);
  RawRecord written = stored;
  PersonObjectToRaw(written.b.data(), p, ctx);
  // Set 3 gains the bits of set 1; the badge's high 16 bits become the sign of its low 16.
  const std::set<int> rewritten{1420, 1421, 1422, 1423, 1424, 1425, 1763, 1764};
  for (int i = 0; i < kPersonRawSize; ++i) {
    if (rewritten.count(i)) {
      EXPECT_NE(written.b[i], stored.b[i]) << "offset " << i;
    } else {
      EXPECT_EQ(written.b[i], stored.b[i]) << "offset " << i;
    }
  }
  EXPECT_EQ(written.b[1420], 0x41);
  EXPECT_EQ(written.b[1763], 0xFF);
  // And the result reads as the object it came from.
  const TPersonRec again = Decode(written);
  EXPECT_EQ(std::memcmp(&again, &p, sizeof p), 0);
}

TEST_F(PersonRecordTest, WritingConvertsCutsAndPads) {
  RawRecord raw = Full();
  TPersonRec p = Decode(raw);
  SetShort(p.Name,
           "\xC4"
           "bc");
  p.Name[0] = 200;  // a length byte above the capacity is taken as the capacity
  SetShort(p.Kurz1, "A");
  p.Jahreswert = 27.5;
  p.Eintrittswert = 5000;  // beyond 16-bit tenths: held at the largest
  p.Uebertrag = 1;
  p.Austritt = 0;
  p.Zeitpunkt2 = 0;  // neither its time nor that of Zeitpunkt3 is written
  p.Zeitpunkt3 = HMToTime(23, 59);
  p.Betrag1 = 0.1;
  PersonObjectToRaw(raw.b.data(), p, ctx);
  EXPECT_EQ(raw.b[0], 30);
  EXPECT_EQ(raw.b[1], 0x8E);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&raw.b[819]), 3), "A  ");
  EXPECT_EQ(raw.b[360], 275 & 0xFF);
  EXPECT_EQ(raw.b[361], 275 >> 8);
  EXPECT_EQ(raw.b[1426], 0xFF);
  EXPECT_EQ(raw.b[1427], 0x7F);
  EXPECT_EQ(raw.b[1446], 0xFF);
  for (int i = 366; i < 370; ++i) EXPECT_EQ(raw.b[i], 0) << i;
  EXPECT_EQ(raw.b[218], 17);
  EXPECT_EQ(raw.b[222], 12);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&raw.b[807]), 6),
            std::string("\x7D\xCD\xCC\xCC\xCC\x4C", 6));
}

TEST_F(PersonRecordTest, EintrittIsHeldAtTheFirstPermittedDateUnlessThePersonLeftBefore) {
  struct Case {
    const char* label;
    int austrittYear;
    TDateTime eintritt;
    bool belegt;
  };
  const Case cases[] = {
      {"no Austritt", 0, kFirst2000, true},
      {"Austritt after the first date", 2005, kFirst2000, true},
      {"Austritt in 1998", 1998, EncodeDate(1995, 3, 15), false},
  };
  for (const Case& k : cases) {
    RawRecord raw = Full();
    raw.U16(362, 1995), raw.U8(364, 3), raw.U8(365, 15);
    raw.U16(366, k.austrittYear), raw.U8(368, k.austrittYear ? 7 : 0), raw.U8(369, 1);
    raw.F64(1399, 0);  // VorlageAb follows Eintritt
    const TPersonRec p = Decode(raw);
    EXPECT_EQ(p.Eintritt, k.eintritt) << k.label;
    EXPECT_EQ(p.VorlageAb, k.eintritt) << k.label;
    EXPECT_EQ(p.Belegt, k.belegt) << k.label;
  }
}

TEST_F(PersonRecordTest, WritingMovesAnEarlyEintrittInTheObjectToo) {
  TPersonRec p = Decode(Full());
  p.Eintritt = EncodeDate(1995, 3, 15);
  p.VorlageAb = 0;
  RawRecord raw = Full();
  PersonObjectToRaw(raw.b.data(), p, ctx);
  EXPECT_EQ(p.Eintritt, kFirst2000);
  EXPECT_EQ(p.VorlageAb, kFirst2000);
  EXPECT_EQ(raw.b[362] | raw.b[363] << 8, 2000);
  EXPECT_EQ(raw.b[364], 1);
  EXPECT_EQ(raw.b[365], 1);
  // Without a first date an Eintritt of 0 leaves the stored one as it was.
  ctx.FirstDate = 0;
  p.Eintritt = 0;
  RawRecord kept = Full();
  PersonObjectToRaw(kept.b.data(), p, ctx);
  EXPECT_EQ(kept.b[362] | kept.b[363] << 8, 2010);
  EXPECT_EQ(kept.b[364], 3);
}

TEST_F(PersonRecordTest, DerivedFieldsOfTheStoredRecord) {
  struct Case {
    const char* label;
    void (*change)(RawRecord&);
    void (*check)(const TPersonRec&);
  };
  const Case cases[] = {
      {"Eintrittswert 0 takes Jahreswert", [](RawRecord& r) { r.U16(1426, 0); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Eintrittswert, 27.5); }},
      {"any non-zero Uebertrag is true", [](RawRecord& r) { r.U8(1446, 0x01); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Uebertrag, 1); }},
      {"badge 0 takes the number plus AuswOffset", [](RawRecord& r) { r.I32(1391, 0); },
       [](const TPersonRec& p) { EXPECT_EQ(p.AusweisNr, 105); }},
      {"old record: template from Wert3",
       [](RawRecord& r) { r.I32(1395, 0), r.U16(231, 5), r.U16(393, 0); },
       [](const TPersonRec& p) {
         EXPECT_EQ(p.VorlageNr, 1005);
         EXPECT_EQ(p.VorlageAb, EncodeDate(2010, 3, 1));
       }},
      {"old record: template from AltVorlageNr",
       [](RawRecord& r) { r.I32(1395, 0), r.U16(393, 7); },
       [](const TPersonRec& p) { EXPECT_EQ(p.VorlageNr, 7); }},
      {"status without end, started yesterday", [](RawRecord& r) { r.F64(1438, 0), r.U16(318, 9); },
       [](const TPersonRec& p) { EXPECT_EQ(p.StatusBis, kToday + 1); }},
      {"status without end, started two days ago",
       [](RawRecord& r) { r.F64(1438, 0), r.U16(318, 8); },
       [](const TPersonRec& p) { EXPECT_EQ(p.StatusBis, 0); }},
      {"no status flag, no end", [](RawRecord& r) { r.F64(1438, 0), r.U8(226, 0); },
       [](const TPersonRec& p) { EXPECT_EQ(p.StatusBis, 0); }},
      {"Austritt before the first date: not in use",
       [](RawRecord& r) { r.U16(366, 1999), r.U8(368, 12), r.U8(369, 31); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Belegt, 0); }},
  };
  for (const Case& k : cases) {
    RawRecord raw = Full();
    k.change(raw);
    SCOPED_TRACE(k.label);
    k.check(Decode(raw));
  }
  ctx.AuswOffset = -1;
  RawRecord raw = Full();
  raw.I32(1391, 0);
  EXPECT_EQ(Decode(raw, 5).AusweisNr, 5) << "negative AuswOffset";
}

TEST_F(PersonRecordTest, MalformedFieldsAreClampedOrReadAsZeroOrOne) {
  struct Case {
    const char* label;
    void (*change)(RawRecord&);
    void (*check)(const TPersonRec&);
  };
  const Case cases[] = {
      {"Name length at capacity", [](RawRecord& r) { r.U8(0, 30); },
       [](const TPersonRec& p) { EXPECT_EQ(GetShort(p.Name).size(), 30u); }},
      {"Name length one above", [](RawRecord& r) { r.U8(0, 31); },
       [](const TPersonRec& p) { EXPECT_EQ(GetShort(p.Name).size(), 30u); }},
      {"Text7 length 255", [](RawRecord& r) { r.U8(378, 255); },
       [](const TPersonRec& p) { EXPECT_EQ(GetShort(p.Text7).size(), 9u); }},
      {"Text2 length one above", [](RawRecord& r) { r.U8(285, 21); },
       [](const TPersonRec& p) { EXPECT_EQ(GetShort(p.Text2).size(), 20u); }},
      {"last free text length 255", [](RawRecord& r) { r.U8(1447 + 9 * 31, 255); },
       [](const TPersonRec& p) { EXPECT_EQ(GetShort(p.Frei[19]).size(), 30u); }},
      {"Bemerkung without terminator", [](RawRecord& r) { r.Bytes(395, std::string(400, 'x')); },
       [](const TPersonRec& p) { EXPECT_EQ(GetBemerkung(p), std::string(399, 'x')); }},
      {"Eintritt 31 February", [](RawRecord& r) { r.U8(364, 2), r.U8(365, 31); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Eintritt, kFirst2000); }},
      {"Austritt month 13", [](RawRecord& r) { r.U8(368, 13); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Austritt, 0); }},
      {"Zeitpunkt1 day 31 in February", [](RawRecord& r) { r.U16(212, 31), r.U16(214, 2); },
       [](const TPersonRec& p) {
         EXPECT_EQ(p.Zeitpunkt1, 0);
         EXPECT_EQ(p.Zeitpunkt2, 0);
       }},
      {"Zeitpunkt1 hour 24", [](RawRecord& r) { r.U16(208, 24); },
       [](const TPersonRec& p) {
         EXPECT_EQ(p.Zeitpunkt1, 0);
         EXPECT_NE(p.Zeitpunkt2, 0);
       }},
      {"Zeitpunkt3 minute 0xFFFF", [](RawRecord& r) { r.U16(224, 0xFFFF); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Zeitpunkt3, 0); }},
      {"Zeitpunkt4 month 0", [](RawRecord& r) { r.U16(316, 0); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Zeitpunkt4, 0); }},
      {"group text with garbage", [](RawRecord& r) { r.Str(254, "12a"); },
       [](const TPersonRec& p) { EXPECT_EQ(p.GruppeNr, 1); }},
      {"empty group text", [](RawRecord& r) { r.Str(254, ""); },
       [](const TPersonRec& p) { EXPECT_EQ(p.GruppeNr, 1); }},
      {"group text beyond 32 bits", [](RawRecord& r) { r.Str(254, "99999999999"); },
       [](const TPersonRec& p) { EXPECT_EQ(p.GruppeNr, 1); }},
      {"group length 255", [](RawRecord& r) { r.U8(254, 255); },
       [](const TPersonRec& p) { EXPECT_EQ(p.GruppeNr, 1); }},
      {"six-byte real with zero exponent", [](RawRecord& r) { r.U8(807, 0); },
       [](const TPersonRec& p) { EXPECT_EQ(p.Betrag1, 0.0); }},
  };
  for (const Case& k : cases) {
    RawRecord raw = Full();
    k.change(raw);
    SCOPED_TRACE(k.label);
    k.check(Decode(raw));
  }
  // An all-zero record decodes too (the file layer never passes one, but the decoder copes).
  const TPersonRec zero = Decode(RawRecord{});
  EXPECT_EQ(zero.GruppeNr, 1);
  EXPECT_EQ(zero.Eintritt, kFirst2000);
  EXPECT_EQ(zero.VorlageNr, 1000);
}

TEST(NewPersonTest, DefaultsOfPersonOneAndOfAnyOther) {
  const TDateTime today = 46366.75;  // 10 December 2026, 18:00
  TPersonRec one{};
  InitNewPerson(one, 1, -1, -1, today);
  EXPECT_EQ(GetShort(one.Name), "Supervisor");
  EXPECT_EQ(one.Belegt, 1);
  EXPECT_EQ(one.Rechte1, (std::array<uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(one.Rechte2, one.Rechte1);
  EXPECT_EQ(one.Rechte3, one.Rechte1);
  EXPECT_EQ(one.AusweisNr, 1);
  TPersonRec seven{};
  InitNewPerson(seven, 7, 1000, 3, today);
  EXPECT_EQ(GetShort(seven.Name), "_0007");
  EXPECT_EQ(seven.Belegt, 0);
  EXPECT_EQ(seven.Rechte1[0], 0);
  EXPECT_EQ(seven.PersNr, 7);
  EXPECT_EQ(seven.AusweisNr, 1007);
  EXPECT_EQ(seven.GruppeNr, 3);
  EXPECT_EQ(seven.Eintritt, EncodeDate(2026, 12, 1));
  EXPECT_EQ(seven.VorlageNr, 1001);
  EXPECT_EQ(seven.BerVorNr, 1);
}

// --- Orders ---

TPersonRec Person(int32_t nr, bool belegt, const std::string& name, const std::string& vorname,
                  int32_t badge) {
  TPersonRec p{};
  p.PersNr = nr;
  p.Belegt = belegt;
  SetShort(p.Name, name);
  SetShort(p.Vorname, vorname);
  p.AusweisNr = badge;
  return p;
}

TEST(ComparePersonsTest, OrdersAndTheirTieBreaks) {
  platform::TableLocale locale;
  const TDateTime now = 46366.5;
  auto cmp = [&](const TPersonRec& a, const TPersonRec& b, int order) {
    return ComparePersons(a, b, order, locale, now);
  };
  TPersonRec mueller = Person(1, true, "M\xFCller", "Hans", 20);
  TPersonRec mueller2 = Person(2, true, "m\xFCller", "hans", 10);
  TPersonRec arger = Person(3, true, "Arger", "Zoe", 30);
  TPersonRec unused = Person(4, false, "Aaron", "A", 1);
  SetShort(mueller.Text6, "B"), SetShort(arger.Text6, "a");
  SetShort(mueller.Text1, "X"), SetShort(arger.Text1, "Y");
  SetShort(mueller.Text2, "X"), SetShort(arger.Text2, "Y");
  SetShort(mueller.Frei[0], "Y"), SetShort(arger.Frei[0], "x");

  EXPECT_EQ(cmp(mueller, mueller, 2), 0) << "same person";
  EXPECT_EQ(cmp(mueller, mueller2, 2), 1) << "equal names: the smaller badge first";
  EXPECT_EQ(cmp(mueller2, mueller, 2), -1);
  EXPECT_EQ(cmp(arger, mueller, 2), -1) << "by name";
  EXPECT_EQ(cmp(arger, mueller, 0), 1) << "by badge";
  EXPECT_EQ(cmp(arger, mueller, 1), -1) << "Text6 without case";
  EXPECT_EQ(cmp(arger, mueller, 3), 1) << "Text1 first";
  EXPECT_EQ(cmp(arger, mueller, 5), 1) << "Text2 first";
  EXPECT_EQ(cmp(arger, mueller, 6), -1) << "Frei[1] first";
  EXPECT_EQ(cmp(arger, mueller, 7), 1) << "an unknown order leaves the badge";
  for (int order = 0; order <= 7; ++order) {
    EXPECT_EQ(cmp(unused, arger, order), 1) << "unused after used, order " << order;
    EXPECT_EQ(cmp(arger, unused, order), -1) << "used before unused, order " << order;
  }
  TPersonRec noBadge = mueller2;
  noBadge.AusweisNr = 0;
  EXPECT_EQ(cmp(mueller, noBadge, 2), 0) << "no badge, no tie-break";
}

TEST(ComparePersonsTest, OrderFourPutsACurrentStatusFirst) {
  platform::TableLocale locale;
  const TDateTime now = 46366.5;
  TPersonRec zed = Person(1, true, "Zed", "", 1);
  TPersonRec abe = Person(2, true, "Abe", "", 2);
  EXPECT_EQ(ComparePersons(zed, abe, 4, locale, now), 1) << "no status: by name";
  zed.Statusflag = 1;
  zed.StatusBis = now + 0.1;
  EXPECT_EQ(ComparePersons(zed, abe, 4, locale, now), -1) << "current status first";
  EXPECT_EQ(ComparePersons(abe, zed, 4, locale, now), 1);
  zed.StatusBis = now;
  EXPECT_EQ(ComparePersons(zed, abe, 4, locale, now), 1) << "status ended";
}

}  // namespace
}  // namespace qrv
