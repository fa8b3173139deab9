#include "master/modell_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/table_locale.h"
#include "util/errors.h"

namespace qrv {
namespace {

double HM(int h, int m) {
  return HMToTime(h, m);
}

// A stored version built byte by byte from the layout's offsets.
class RawModell {
 public:
  RawModell() : bytes(3000, 0) {}
  uint8_t* Profil(int n) { return bytes.data() + 69 + 312 * (n - 1); }
  void Set(int n, int offset, int value) { Profil(n)[offset] = static_cast<uint8_t>(value); }
  void SetHM(int n, int hOffset, int mOffset, int h, int m) {
    Set(n, hOffset, h);
    Set(n, mOffset, m);
  }
  void Set16(int n, int offset, int value) {
    Set(n, offset, value & 0xFF);
    Set(n, offset + 1, (value >> 8) & 0xFF);
  }
  void ShortString(int offset, const std::string& text) {
    bytes[offset] = static_cast<uint8_t>(text.size());
    for (size_t i = 0; i < text.size(); ++i) bytes[offset + 1 + i] = static_cast<uint8_t>(text[i]);
  }
  void Header(const std::string& name, const std::string& date, int32_t dayNumber) {
    ShortString(0, name);
    ShortString(51, date);
    ShortString(60, "OhneSCM");
    for (int i = 0; i < 4; ++i) bytes[2568 + i] = static_cast<uint8_t>(dayNumber >> (8 * i));
  }
  std::vector<uint8_t> bytes;
};

class ModellRecordTest : public ::testing::Test {
 protected:
  ModellRecordTest() {
    KontoDef rahmen;
    rahmen.Art = kaRahmenzeit;
    konten.SetKonto(3, rahmen);
  }
  ModellVersion Decode(RawModell& raw, int32_t nummer = 5) {
    ModellVersion v{};
    ModellRawToObject(raw.bytes.data(), v, nummer, {locale, konten, 2026});
    return v;
  }
  std::vector<uint8_t> Encode(const ModellVersion& v) {
    std::vector<uint8_t> out(3000, 0xEE);
    ModellObjectToRaw(v, out.data(), locale);
    return out;
  }

  platform::TableLocale locale;
  TKontoDefs konten;
};

// A Wednesday profile with every field set. With noise, unused bytes and windows not in use
// carry values that reading must ignore.
void WednesdayProfile(RawModell& r, bool noise) {
  const int n = 3;
  r.SetHM(n, 2, 3, 7, 48);                              // Soll
  r.Set(n, 293, 0x05);                                  // TagWert1 and Feiertagszeit given
  r.SetHM(n, 294, 295, 8, 0);                           // TagWert1
  r.SetHM(n, 296, 297, noise ? 9 : 7, noise ? 0 : 48);  // TagWert2 not given: Soll
  r.SetHM(n, 298, 299, 6, 0);                           // Feiertagszeit
  r.SetHM(n, 19, 21, 9, 0);                             // KernBeginn
  r.SetHM(n, 23, 25, 15, 30);                           // KernEnde
  r.Set(n, 97, 1);
  r.SetHM(n, 4, 5, 0, 30);  // AutoKommen 15 minutes after KernBeginn
  r.Set(n, 91, 1);
  r.SetHM(n, 6, 7, 0, 30);  // Abzug1
  r.Set(n, 92, 1);
  r.SetHM(n, 8, 9, 0, 15);  // Abzug2, switched off
  r.Set(n, 10, 15 | 0x40);  // grid 15, comings down
  r.Set(n, 93, 5 << 4 | 3 | 0x08 | 0x80);
  r.Set(n, 307, 3);
  r.SetHM(n, 11, 13, 6, 0);
  r.SetHM(n, 15, 17, 20, 0);
  r.Set(n, 95, 1);
  r.SetHM(n, 62, 66, 12, 0);
  r.SetHM(n, 70, 74, 12, 30);
  r.Set(n, 110, 1);
  r.SetHM(n, 155, 156, 5, 0);
  r.SetHM(n, 157, 158, 22, 0);
  r.SetHM(n, 28, 32, 12, 0);  // break window 2
  r.SetHM(n, 36, 40, 12, 45);
  r.Set(n, 100, 1);
  r.SetHM(n, 43, 47, 6, 0);  // break rule 1
  r.SetHM(n, 51, 55, 18, 0);
  r.Set(n, 103, 5);
  r.SetHM(n, 287, 163, 6, 1);  // RegelSchwelle 1
  r.Set(n, 159, 30);           // RegelMinuten 1
  r.SetHM(n, 59, 63, 7, 0);    // Fenster4
  r.SetHM(n, 67, 71, 8, 0);
  r.Set(n, 107, 1);
  r.SetHM(n, 76, 80, 13, 0);  // C2
  r.SetHM(n, 84, 88, 14, 0);
  r.Set(n, 112, 3);
  r.Set(n, 302, 9);
  r.SetHM(n, 61, 65, 16, 0);  // C6
  r.SetHM(n, 69, 73, 17, 0);
  r.Set(n, 109, 2);
  r.Set(n, 306, 4);
  r.Set(n, 249, 1);  // account window 3
  r.Set16(n, 171, 360);
  r.Set16(n, 211, 480);
  r.Set(n, 269, 20);
  r.SetHM(n, 291, 292, 23, 30);
  r.Set(n, 300, 1);
  if (!noise) return;
  r.SetHM(n, 27, 31, 10, 0);  // break window 1 switched off
  r.SetHM(n, 44, 48, 7, 0);   // break rule 2 off
  r.Set(n, 13 - 1, 99);       // unused byte 12
  r.Set(n, 250, 1);           // account window 4: account without a kind
  r.Set16(n, 173, 100);
  r.Set16(n, 213, 200);
  r.Set(n, 270, 9);
}

TEST_F(ModellRecordTest, EveryFieldOfAHandBuiltProfile) {
  RawModell raw;
  raw.Header("Gleitzeit", "20040101", 0);
  WednesdayProfile(raw, true);
  const ModellVersion v = Decode(raw);
  const Tagesprofil t = v.Profil[2];
  EXPECT_FALSE(t.Mitternacht);
  EXPECT_EQ(t.Soll, HM(7, 48));
  EXPECT_TRUE(t.HatTagWert1);
  EXPECT_EQ(t.TagWert1, HM(8, 0));
  EXPECT_FALSE(t.HatTagWert2);
  EXPECT_EQ(t.TagWert2, HM(7, 48));
  EXPECT_TRUE(t.HatFeiertagszeit);
  EXPECT_EQ(t.Feiertagszeit, HM(6, 0));
  EXPECT_TRUE(t.HatAutoKommen);
  EXPECT_EQ(t.AutoKommen, HM(9, 15));
  EXPECT_TRUE(t.HatTagesende);
  EXPECT_EQ(t.Tagesende, HM(23, 30));
  EXPECT_TRUE(t.HatAbzug1);
  EXPECT_EQ(t.Abzug1, HM(0, 30));
  EXPECT_FALSE(t.HatAbzug2);
  EXPECT_EQ(t.Abzug2, HM(0, 15));
  EXPECT_EQ(t.RundFlags, 1u | 2u | 8u | 16u);
  EXPECT_EQ(t.RundRaster, HM(0, 15));
  EXPECT_EQ(t.RundGehen, HM(0, 5));
  EXPECT_EQ(t.RundKommen, HM(0, 3));
  EXPECT_TRUE(t.RundFrei);
  EXPECT_EQ(t.RundFreiVon, HM(12, 0));
  EXPECT_EQ(t.RundFreiBis, HM(12, 30));
  EXPECT_TRUE(t.HatRahmen);
  EXPECT_EQ(t.RahmenVon, HM(6, 0));
  EXPECT_EQ(t.RahmenBis, HM(20, 0));
  EXPECT_TRUE(t.HatKernzeit);
  EXPECT_EQ(t.KernBeginn, HM(9, 0));
  EXPECT_EQ(t.KernEnde, HM(15, 30));
  EXPECT_TRUE(t.HatSpanne);
  EXPECT_EQ(t.SpanneVon, HM(5, 0));
  EXPECT_EQ(t.SpanneBis, HM(22, 0));
  EXPECT_FALSE(t.Pausen[0].Aktiv);
  EXPECT_EQ(t.Pausen[0].Von, 0);
  EXPECT_TRUE(t.Pausen[1].Aktiv);
  EXPECT_EQ(t.Pausen[1].Von, HM(12, 0));
  EXPECT_EQ(t.Pausen[1].Bis, HM(12, 45));
  EXPECT_EQ(t.Regeln[0].Typ, 5);
  EXPECT_EQ(t.Regeln[0].Von, HM(6, 0));
  EXPECT_EQ(t.Regeln[0].Bis, HM(18, 0));
  EXPECT_EQ(t.Regeln[1].Typ, 0);
  EXPECT_EQ(t.Regeln[1].Von, 0);
  EXPECT_EQ(t.RegelSchwelle[0], HM(6, 1));
  EXPECT_EQ(t.RegelMinuten[0], HM(0, 30));
  EXPECT_TRUE(t.HatFenster4);
  EXPECT_EQ(t.Fenster4Von, HM(7, 0));
  EXPECT_EQ(t.Fenster4Bis, HM(8, 0));
  EXPECT_EQ(t.FensterC[1].Param1, 3);
  EXPECT_EQ(t.FensterC[1].Param2, 9);
  EXPECT_EQ(t.FensterC[1].Von, HM(13, 0));
  EXPECT_EQ(t.FensterC[1].Bis, HM(14, 0));
  EXPECT_EQ(t.FensterC[5].Param1, 2);
  EXPECT_EQ(t.FensterC[5].Param2, 4);
  EXPECT_EQ(t.FensterC[5].Von, HM(16, 0));
  EXPECT_EQ(t.FensterC[5].Bis, HM(17, 0));
  EXPECT_EQ(t.FensterC[0].Param1, 0);
  EXPECT_EQ(t.Kontofenster[2].Von, HM(6, 0));
  EXPECT_EQ(t.Kontofenster[2].Bis, HM(8, 0));
  EXPECT_EQ(t.Kontofenster[2].Art, kaRahmenzeit);
  EXPECT_EQ(t.Kontofenster[2].Minuten, HM(0, 20));
  // An account without a kind keeps its window but no minutes.
  EXPECT_EQ(t.Kontofenster[3].Art, 0);
  EXPECT_EQ(t.Kontofenster[3].Von, HM(1, 40));
  EXPECT_EQ(t.Kontofenster[3].Minuten, 0);
  // The other profiles are empty days ending at midnight.
  EXPECT_EQ(v.Profil[0].Soll, 0);
  EXPECT_EQ(v.Profil[0].Tagesende, 1.0);
}

TEST_F(ModellRecordTest, HeaderNameDatesAndNumber) {
  struct Case {
    const char* label;
    std::string name;
    std::string date;
    int32_t dayNumber;
    std::string wantName;
    TDateTime wantSort, wantStart;
    bool jedesJahr;
  };
  const std::string fifty(50, 'x');
  const Case cases[] = {
      {"OEM name trimmed", "  Fr\x81h  ", "20040101", 0, "Fr\xFCh", EncodeDate(2004, 1, 1),
       EncodeDate(2004, 1, 1), false},
      {"length byte above the field", std::string(1, 'a') + fifty + "yz", "20040701", 0,
       "a" + fifty.substr(0, 49), EncodeDate(2004, 7, 1), EncodeDate(2004, 7, 1), false},
      {"every year", "J", "00000315", 0, "J", EncodeDate(2026, 3, 15), EncodeDate(2026, 3, 15),
       true},
      {"no date", "N", "", 0, "N", EncodeDate(1995, 1, 1), EncodeDate(1995, 1, 1), false},
      {"day number", "D", "00001001", 38000, "D", EncodeDate(2026, 10, 1), 38000, true},
      {"every year on 29 February", "L", "00000229", 0, "L", EncodeDate(2026, 2, 28),
       EncodeDate(2026, 2, 28), true},
      {"dated 29 February", "S", "20280229", 0, "S", EncodeDate(2028, 2, 29),
       EncodeDate(2028, 2, 29), false},
  };
  for (const Case& c : cases) {
    RawModell raw;
    raw.Header(c.name, c.date, c.dayNumber);
    const ModellVersion v = Decode(raw, 1007);
    EXPECT_EQ(ModellName(v), c.wantName) << c.label;
    EXPECT_EQ(v.Nummer, 1007) << c.label;
    EXPECT_EQ(v.SortDatum, c.wantSort) << c.label;
    EXPECT_EQ(v.StartDatum, c.wantStart) << c.label;
    EXPECT_EQ(v.JedesJahr, c.jedesJahr) << c.label;
  }
}

TEST_F(ModellRecordTest, DatesThatFormNoDateRaiseTheConversionError) {
  for (const char* date : {"20041340", "20050229", "2004ab01", "x", "20040230", "00000230"}) {
    RawModell raw;
    raw.Header("M", date, 0);
    EXPECT_THROW(Decode(raw), EConvertError) << date;
  }
}

TEST_F(ModellRecordTest, PastMidnightEarlyTimesMoveToTheNextDay) {
  RawModell raw;
  raw.Header("Nacht", "20040101", 0);
  const int n = 1;
  raw.Set16(n, 0, 1);
  raw.SetHM(n, 19, 21, 22, 0);  // core time 22:00-06:00
  raw.SetHM(n, 23, 25, 6, 0);
  raw.Set(n, 97, 1);
  raw.SetHM(n, 11, 13, 2, 0);  // frame 02:00-06:00
  raw.SetHM(n, 15, 17, 6, 0);
  raw.Set(n, 95, 1);
  raw.SetHM(n, 27, 31, 13, 0);  // break 13:00-14:00 stays
  raw.SetHM(n, 35, 39, 14, 0);
  raw.Set(n, 99, 1);
  raw.Set(n, 247, 1);  // account window 1: 22:00-06:00 in minutes
  raw.Set16(n, 167, 1320);
  raw.Set16(n, 207, 360);
  ModellVersion v = Decode(raw);
  Tagesprofil t = v.Profil[0];
  EXPECT_TRUE(t.Mitternacht);
  EXPECT_EQ(t.KernBeginn, HM(22, 0));
  EXPECT_EQ(t.KernEnde, HM(30, 0));
  EXPECT_EQ(t.RahmenVon, HM(26, 0));
  EXPECT_EQ(t.RahmenBis, HM(30, 0));
  EXPECT_EQ(t.Pausen[0].Von, HM(13, 0));
  EXPECT_EQ(t.Pausen[0].Bis, HM(14, 0));
  EXPECT_EQ(t.Tagesende, 1.5);
  EXPECT_EQ(t.Kontofenster[0].Von, HM(22, 0));
  EXPECT_EQ(t.Kontofenster[0].Bis, HM(30, 0));

  // Written back, the moved times and the end of day are stored as they are, and read as such.
  const std::vector<uint8_t> out = Encode(v);
  const uint8_t* p = out.data() + 69;
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[300], 1);
  EXPECT_EQ(p[291], 36);
  EXPECT_EQ(p[23], 30);
  EXPECT_EQ(p[11], 26);
  RawModell again;
  again.bytes = out;
  t = Decode(again).Profil[0];
  EXPECT_EQ(t.KernEnde, HM(30, 0));
  EXPECT_EQ(t.Tagesende, 1.5);

  // A stored end of day switches the rule off.
  raw.Set(n, 300, 1);
  raw.SetHM(n, 291, 292, 23, 0);
  t = Decode(raw).Profil[0];
  EXPECT_EQ(t.KernEnde, HM(6, 0));
  EXPECT_EQ(t.Tagesende, HM(23, 0));
}

TEST_F(ModellRecordTest, OldAccountWindowsBecomeNewOnesAndLeaveTheOldPlaces) {
  RawModell raw;
  raw.Header("Alt", "20040101", 0);
  const int n = 2;
  raw.Set(n, 116, 15);  // old window 2: 08:00-09:00, 15 minutes
  raw.SetHM(n, 124, 128, 8, 0);
  raw.SetHM(n, 132, 136, 9, 0);
  raw.Set(n, 119, 0x45);  // old window 5: minutes in bits 0-5
  raw.SetHM(n, 139, 143, 17, 0);
  raw.SetHM(n, 147, 151, 18, 30);
  raw.Set(n, 117, 7);  // old window 3 with equal start and end: nothing
  raw.SetHM(n, 125, 129, 10, 0);
  raw.SetHM(n, 133, 137, 10, 0);
  const ModellVersion v = Decode(raw);
  const Tagesprofil t = v.Profil[1];
  EXPECT_EQ(t.Kontofenster[1].Art, 2);
  EXPECT_EQ(t.Kontofenster[1].Minuten, HM(0, 15));
  EXPECT_EQ(t.Kontofenster[1].Von, HM(8, 0));
  EXPECT_EQ(t.Kontofenster[1].Bis, HM(9, 0));
  EXPECT_EQ(t.Kontofenster[4].Art, 1);
  EXPECT_EQ(t.Kontofenster[4].Minuten, HM(0, 5));
  EXPECT_EQ(t.Kontofenster[4].Bis, HM(18, 30));
  EXPECT_EQ(t.Kontofenster[2].Art, 0);
  for (int i = 115; i <= 122; ++i) EXPECT_EQ(raw.Profil(n)[i], 0) << i;

  const std::vector<uint8_t> out = Encode(v);
  const uint8_t* p = out.data() + 69 + 312;
  for (int i = 115; i <= 154; ++i) EXPECT_EQ(p[i], 0) << i;
  EXPECT_EQ(p[248], 2);
  EXPECT_EQ(p[169] | p[170] << 8, 480);
  EXPECT_EQ(p[209] | p[210] << 8, 540);
  EXPECT_EQ(p[268], 15);
  EXPECT_EQ(p[251], 1);
  EXPECT_EQ(p[271], 5);
}

TEST_F(ModellRecordTest, RoundingFlagsNeedAGridAndClockInNeedsTheSpan) {
  RawModell raw;
  raw.Header("R", "20040101", 0);
  raw.Set(1, 10, 0xC0);  // flags 1 and 2 without a grid
  raw.Set(1, 93, 0x08 | 0x21);
  raw.Set(1, 307, 3);
  raw.SetHM(1, 19, 21, 9, 0);  // clock-in 9:00 after the span's end 8:00
  raw.Set(1, 91, 1);
  raw.SetHM(1, 157, 158, 8, 0);
  const Tagesprofil t = Decode(raw).Profil[0];
  EXPECT_EQ(t.RundFlags, 0u);
  EXPECT_EQ(t.RundGehen, HM(0, 2));
  EXPECT_EQ(t.RundKommen, HM(0, 1));
  EXPECT_FALSE(t.HatAutoKommen);
  EXPECT_EQ(t.AutoKommen, HM(9, 0));
}

TEST_F(ModellRecordTest, ClockInHalvesTheStoredDistanceTowardZero) {
  RawModell raw;
  raw.Header("A", "20040101", 0);
  raw.SetHM(1, 19, 21, 9, 0);
  raw.SetHM(1, 4, 5, 3, -31);  // 1 hour and -15 minutes
  EXPECT_EQ(Decode(raw).Profil[0].AutoKommen, HM(9, 45));
}

// Bytes 4 and 5 hold the hours and the minutes of the distance from the start of core time to
// the automatic clock-in, each doubled; reading halves each of them.
TEST_F(ModellRecordTest, ClockInDistanceKeepsHoursAndMinutesEachDoubled) {
  struct Case {
    const char* label;
    int distance;  // minutes after the start of core time, 7:00
    int h, m;      // bytes 4 and 5
  };
  const Case cases[] = {
      {"half an hour", 30, 0, 60},          {"three quarters of an hour", 45, 0, 90},
      {"an hour and a quarter", 75, 2, 30}, {"none", 0, 0, 0},
      {"before core time", -45, 0, -90},    {"two hours before", -120, -4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const double autoKommen = HM(7, c.distance);
    RawModell raw;
    raw.Header("A", "20040101", 0);
    raw.SetHM(1, 19, 21, 7, 0);
    raw.SetHM(1, 23, 25, 16, 0);
    raw.Set(1, 97, 1);
    raw.SetHM(1, 4, 5, c.h, c.m);
    raw.Set(1, 91, 1);
    EXPECT_EQ(Decode(raw).Profil[0].AutoKommen, autoKommen);

    ModellVersion v{};
    Tagesprofil& t = v.Profil[0];
    t.HatKernzeit = true;
    t.KernBeginn = HM(7, 0);
    t.KernEnde = HM(16, 0);
    t.HatAutoKommen = true;
    t.AutoKommen = autoKommen;
    RawModell written;
    written.bytes = Encode(v);
    EXPECT_EQ(static_cast<int8_t>(written.Profil(1)[4]), c.h);
    EXPECT_EQ(static_cast<int8_t>(written.Profil(1)[5]), c.m);
    EXPECT_EQ(Decode(written).Profil[0].AutoKommen, autoKommen);
  }
}

TEST_F(ModellRecordTest, ClockInWithoutCoreTimeIsKeptFromMidnight) {
  ModellVersion v{};
  v.Profil[0].HatAutoKommen = true;
  v.Profil[0].AutoKommen = HM(7, 30);
  RawModell written;
  written.bytes = Encode(v);
  EXPECT_EQ(written.Profil(1)[4], 14);
  EXPECT_EQ(written.Profil(1)[5], 60);
  EXPECT_EQ(Decode(written).Profil[0].AutoKommen, HM(7, 30));
}

TEST_F(ModellRecordTest, AnEveryYearStartOn29FebruaryIsWrittenAs28February) {
  struct Case {
    const char* label;
    bool jedesJahr;
    std::string text;
  };
  for (const Case& c : {Case{"every year", true, "00000228"}, Case{"dated", false, "20280229"}}) {
    ModellVersion v{};
    v.SortDatum = v.StartDatum = EncodeDate(2028, 2, 29);
    v.JedesJahr = c.jedesJahr;
    const std::vector<uint8_t> out = Encode(v);
    EXPECT_EQ(std::string(out.begin() + 51, out.begin() + 60), "\x08" + c.text) << c.label;
  }
}

TEST_F(ModellRecordTest, ACanonicalRecordIsWrittenBackByteForByte) {
  RawModell raw;
  raw.Header("Gleitzeit \x81", "20040101", 38000);
  WednesdayProfile(raw, false);
  for (int n = 1; n <= 8; ++n) {
    raw.Set(n, 300, 1);
    if (n != 3) raw.SetHM(n, 291, 292, 24, 0);
  }
  const std::vector<uint8_t> before = raw.bytes;
  EXPECT_EQ(Encode(Decode(raw)), before);
}

TEST_F(ModellRecordTest, WritingRecomputesFlagsFromTheTimes) {
  ModellVersion v{};
  SetModellName(v, "M\xFC" + std::string(60, 'x'));
  v.SortDatum = EncodeDate(2026, 10, 1);
  v.StartDatum = EncodeDate(2004, 10, 1) + 0.75;
  v.JedesJahr = true;
  Tagesprofil& t = v.Profil[0];
  t.Tagesende = 1.0;
  t.SpanneVon = -HM(1, 0);  // the span begins the day before
  t.SpanneBis = HM(8, 0);
  t.HatSpanne = true;
  t.RundGehen = -HM(0, 5);
  t.RundKommen = -HM(0, 2);
  t.RundRaster = HM(0, 70);  // only six bits are kept
  t.RundFlags = 0xFF;
  v.Profil[1].SpanneVon = HM(3, 0);  // no span: not stored
  v.Profil[1].Tagesende = 1.0;
  const std::vector<uint8_t> out = Encode(v);
  EXPECT_EQ(out[0], 50);
  EXPECT_EQ(out[1], 'M');
  EXPECT_EQ(out[2], 0x81);
  EXPECT_EQ(std::string(out.begin() + 51, out.begin() + 60),
            "\x08"
            "00001001");
  EXPECT_EQ(std::string(out.begin() + 60, out.begin() + 68), "\x07OhneSCM");
  const int32_t day = out[2568] | out[2569] << 8 | out[2570] << 16 | out[2571] << 24;
  EXPECT_EQ(day, static_cast<int32_t>(EncodeDate(2004, 10, 1)));
  const uint8_t* p = out.data() + 69;
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(static_cast<int8_t>(p[155]), -1);
  EXPECT_EQ(p[10], (70 & 0x3F) | 0x40 | 0x80);
  EXPECT_EQ(p[93], 5 << 4 | 2 | 0x88);
  EXPECT_EQ(p[307], 3);
  const uint8_t* q = p + 312;
  EXPECT_EQ(q[0], 0);
  EXPECT_EQ(q[155], 0);
  EXPECT_EQ(q[300], 1);
  EXPECT_EQ(q[291], 24);
  EXPECT_EQ(out[2565], 0);
  EXPECT_EQ(out[2999], 0);
}

}  // namespace
}  // namespace qrv
