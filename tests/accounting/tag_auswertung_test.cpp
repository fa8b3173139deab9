// The day results in the order of their steps: deductions, holiday credit, shares, target,
// difference, day accounts, per-account values and the status bits; the evaluation window; and
// the trace.
#include "accounting/tag_auswertung.h"

#include <gtest/gtest.h>

#include <cstring>

#include "master/tag_status.h"
#include "support/doubles.h"
#include "tag_fixture.h"

namespace qrv {
namespace {

using testing::Buchung;
using testing::Hm;
using testing::kHeute;
using testing::kTag;
using testing::LeeresProfil;
using testing::LeereVorlage;
using testing::Min;
using testing::TagMit;
using testing::Um;

const TDateTime kWeihnachten = EncodeDate(2026, 12, 25);  // a holiday by default

class TagAuswertungTest : public ::testing::Test {
 protected:
  TagAuswertungTest() : kalender(tp.Get()) {
    KontoDef anteil;
    anteil.Wert = 10;
    defs.SetKonto(-6, anteil);
    defs.SetKonto(-7, anteil);
    profil.Soll = Hm(8);
    profil.TagWert1 = profil.TagWert2 = profil.Feiertagszeit = Hm(8);
    a.Vorlage = &vorlage;
    a.KontoDefs = &defs;
    a.Fehlzeiten = &fehlzeiten;
    a.Feiertage = &kalender;
    a.Jetzt = EncodeDate(2027, 1, 10) + 0.5;
  }
  void Auswerten(TMonatTag& tag, TDateTime datum = kTag, TFenster f = {}) {
    TagAuswerten(a, profil, datum, f, tag);
  }
  int E(const TMonatTag& tag, int pos) { return Min(Ergebnis(tag, pos)); }
  void Fehlzeit(char c, bool ohneZeit, bool option) {
    FehlzeitDef f;
    f.Name = "Test";
    f.OhneZeit = ohneZeit;
    f.Option = option;
    f.Zeit = ohneZeit ? 0 : Hm(8);
    fehlzeiten.SetFehlzeit(c, f);
  }
  void Konto(int i, uint8_t art, char zeichen = ' ') {
    KontoDef d;
    d.Name = "Konto";
    d.Art = art;
    d.Zeichen = zeichen;
    defs.SetKonto(i, d);
  }

  testing::TestPlatform tp;
  TFeiertage kalender;
  Tagesprofil profil = LeeresProfil();
  TBerVorRecord vorlage = LeereVorlage();
  TKontoDefs defs;
  TFehlzeiten fehlzeiten;
  TAuswertung a;
};

TEST_F(TagAuswertungTest, BreakWindowsAndFixedDeductions) {
  profil.Pausen[0] = TZeitfenster{true, Hm(12), Hm(12, 30)};
  profil.Pausen[1] = TZeitfenster{false, Hm(9), Hm(10)};  // switched off
  profil.HatAbzug1 = profil.HatAbzug2 = true;
  profil.Abzug1 = Hm(0, 15);
  profil.Abzug2 = Hm(1);
  TMonatTag tag = TagMit({{8, 0}, {16, 0}});
  Auswerten(tag);
  EXPECT_EQ(E(tag, tpPausen), -30);
  EXPECT_EQ(E(tag, tpAbzug2), -60);
  EXPECT_EQ(E(tag, tpAbzug1), -15);
  EXPECT_EQ(E(tag, tpAbzuege), -105);
  EXPECT_EQ(E(tag, tpNetto), 8 * 60 - 105);
  EXPECT_EQ(E(tag, tpIst), 8 * 60 - 105);
  EXPECT_EQ(E(tag, tpSoll), 8 * 60);
  EXPECT_EQ(E(tag, tpDifferenz), -105);
}

TEST_F(TagAuswertungTest, DeductionsNeverExceedTheWorkedTime) {
  profil.Pausen[0] = TZeitfenster{true, Hm(6), Hm(20)};
  TMonatTag tag = TagMit({{8, 0}, {16, 0}});
  Auswerten(tag);
  EXPECT_EQ(E(tag, tpPausen), -8 * 60);
  EXPECT_EQ(E(tag, tpNetto), 0);

  profil.Pausen[0].Aktiv = false;
  profil.HatAbzug1 = profil.HatAbzug2 = true;
  profil.Abzug1 = Hm(0, 15);
  profil.Abzug2 = Hm(1);
  TMonatTag kurz = TagMit({{8, 0}, {8, 20}});
  Auswerten(kurz);
  EXPECT_EQ(E(kurz, tpAbzug2), -20);
  EXPECT_EQ(E(kurz, tpAbzug1), 0);
  EXPECT_EQ(E(kurz, tpNetto), 0);
}

TEST_F(TagAuswertungTest, EvaluatingADayAgainGivesTheSameBytes) {
  profil.Pausen[0] = TZeitfenster{true, Hm(6), Hm(20)};
  profil.HatAbzug2 = true;
  profil.Abzug2 = Hm(1);
  TMonatTag tag = TagMit({{8, 0}, {12, 0}, {12, 30}, {16, 0}});
  Auswerten(tag);
  TMonatTag nochmal = tag;
  Auswerten(nochmal);
  EXPECT_EQ(std::memcmp(&tag, &nochmal, sizeof tag), 0);
  EXPECT_EQ(E(nochmal, tpPausen), -7 * 60 - 30);
}

TEST_F(TagAuswertungTest, HolidayCreditAndWhatBlocksIt) {
  struct Case {
    uint8_t optionen, optionen2;
    double urlaub, sonstiges, krank, konto2;
    char fehlzeit;
    int gutschrift, feiertag;
    double anteilA, anteilB;
    const char* label;
  };
  Fehlzeit('u', true, false);
  const Case cases[] = {
      {0, 0, 0, 0, 0, 0, ' ', 480, 1, 0, 0, "credited"},
      {4, 0, 0, 0, 0, 0, ' ', 0, 0, 0, 0, "holidays not credited (Optionen bit 2)"},
      {0, 0, 0, 0, Hm(8), 0, ' ', 0, 1, 0, 1.0, "sick hours block the credit"},
      {16, 0, 0, 0, Hm(8), 0, ' ', 480, 1, 0, 0, "bit 4 clears share B and credits"},
      {0, 2, 0, 0, 0, Hm(1), ' ', 0, 1, 0, 0, "day account 2 blocks (Optionen2 bit 1)"},
      {0, 0, 0, 0, 0, Hm(1), ' ', 480, 1, 0, 0, "day account 2 alone does not block"},
      {0, 0, 0, 0, 0, 0, 'u', 0, 1, 0, 0, "absence without time blocks"},
      {0, 0, 0, Hm(2), 0, 0, 'u', 480, 1, 0, 0, "absence without time but other hours"},
      {0, 0, Hm(8), 0, 0, 0, ' ', 480, 1, 0, 0, "vacation on a holiday: share A cleared"},
  };
  for (const Case& c : cases) {
    vorlage.Optionen = c.optionen;
    vorlage.Optionen2 = c.optionen2;
    TMonatTag tag = TagMit({}, kWeihnachten);
    tag.TagKonto[1] = c.konto2;
    tag.TagKonto[2] = c.sonstiges;
    tag.TagKonto[3] = c.urlaub;
    tag.TagKonto[4] = c.krank;
    tag.Fehlzeit = c.fehlzeit;
    Auswerten(tag, kWeihnachten);
    EXPECT_EQ(E(tag, tpFeiertag), c.gutschrift) << c.label;
    EXPECT_EQ(tag.TagRest.Feiertag, c.feiertag) << c.label;
    EXPECT_EQ(tag.TagRest.Arbeitstag, 0) << c.label;
    EXPECT_EQ(tag.TagRest.AnteilA, c.anteilA) << c.label;
    EXPECT_EQ(tag.TagRest.AnteilB, c.anteilB) << c.label;
  }
}

TEST_F(TagAuswertungTest, HolidayCreditReplacesTheTargetOrIsSubtracted) {
  TMonatTag tag = TagMit({}, kWeihnachten);
  Auswerten(tag, kWeihnachten);
  EXPECT_EQ(E(tag, tpSoll), 480);
  EXPECT_EQ(E(tag, tpIst), 480);
  EXPECT_EQ(E(tag, tpDifferenz), 0);
  EXPECT_EQ(tag.Status & kStatusFehlt, 0);

  vorlage.Optionen = 8;  // the credit is subtracted from target and result
  TMonatTag ab = TagMit({{9, 0}, {11, 0}}, kWeihnachten);
  Auswerten(ab, kWeihnachten);
  EXPECT_EQ(E(ab, tpDifferenz), 120);  // 2:00 worked and 8:00 credit less the 8:00 target
  EXPECT_EQ(E(ab, tpSoll), 0);
  EXPECT_EQ(E(ab, tpIst), 120);
}

TEST_F(TagAuswertungTest, TargetReplacedByVacationOrSickHours) {
  profil.Soll = Hm(7);
  profil.TagWert1 = Hm(8);
  profil.TagWert2 = Hm(6);
  struct Case {
    double urlaub, krank;
    int soll;
    double anteilA, anteilB;
    const char* label;
  };
  const Case cases[] = {
      {0, 0, 7 * 60, 0, 0, "the profile's target"},
      {Hm(8), 0, 8 * 60, 1.0, 0, "a full vacation day"},
      {Hm(4), 0, 7 * 60, 0.5, 0, "half a vacation day keeps the target"},
      {0, Hm(6), 6 * 60, 0, 1.0, "a full sick day"},
  };
  for (const Case& c : cases) {
    TMonatTag tag = TagMit({});
    tag.TagKonto[3] = c.urlaub;
    tag.TagKonto[4] = c.krank;
    Auswerten(tag);
    EXPECT_EQ(E(tag, tpSoll), c.soll) << c.label;
    EXPECT_EQ(tag.TagRest.AnteilA, c.anteilA) << c.label;
    EXPECT_EQ(tag.TagRest.AnteilB, c.anteilB) << c.label;
    EXPECT_EQ(tag.TagRest.Arbeitstag, 1) << c.label;
  }
}

TEST_F(TagAuswertungTest, AbsenceWithOptionClearsTargetCreditAndWorkingDay) {
  Fehlzeit('x', false, true);
  TMonatTag tag = TagMit({}, kWeihnachten);
  tag.Fehlzeit = 'x';
  Auswerten(tag, kWeihnachten);
  EXPECT_EQ(E(tag, tpSoll), 0);
  EXPECT_EQ(E(tag, tpFeiertag), 0);
  EXPECT_EQ(E(tag, tpIst), 0);
  TMonatTag werktag = TagMit({});
  werktag.Fehlzeit = 'x';
  Auswerten(werktag);
  EXPECT_EQ(werktag.TagRest.Arbeitstag, 0);
  EXPECT_EQ(E(werktag, tpSoll), 0);
}

TEST_F(TagAuswertungTest, SharesRoundToTheAccountsValue) {
  struct Case {
    int32_t wert;
    double stunden, tagwert;
    double anteil;
    const char* label;
  };
  const Case cases[] = {
      {10, Hm(4), Hm(8), 0.5, "half a day"},
      {10, Hm(2, 40), Hm(8), 0.3, "a third in tenths"},
      {10, Hm(6), Hm(8), 0.8, "0.75 in tenths, the half away from zero"},
      {4, Hm(2, 40), Hm(8), 0.25, "a third in quarters"},
      {10, Hm(4), 0, 0, "no full-day value: no share"},
  };
  for (const Case& c : cases) {
    KontoDef d;
    d.Wert = c.wert;
    defs.SetKonto(-6, d);
    defs.SetKonto(-7, d);
    profil.TagWert1 = profil.TagWert2 = c.tagwert;
    TMonatTag tag = TagMit({});
    tag.TagKonto[3] = tag.TagKonto[4] = c.stunden;
    Auswerten(tag);
    EXPECT_DOUBLE_EQ(tag.TagRest.AnteilA, c.anteil) << c.label;
    EXPECT_DOUBLE_EQ(tag.TagRest.AnteilB, c.anteil) << c.label;
  }
}

TEST_F(TagAuswertungTest, AwayTimesFeedTheDayAccounts) {
  // 08:00-10:00, away on kind 6 to 11:00, 11:00-12:00, plain to 12:30, 12:30-13:00, away on kind 8
  // to 13:15, 13:15-14:00, away on kind 4 to 14:45, 14:45-16:00.
  TMonatTag tag = TagMit({{8, 0},
                          {10, 0, 6},
                          {11, 0, 6},
                          {12, 0},
                          {12, 30},
                          {13, 0, 8},
                          {13, 15, 8},
                          {14, 0, 4},
                          {14, 45, 4},
                          {16, 0}});
  tag.TagKonto[0] = Hm(1);
  Auswerten(tag);
  EXPECT_EQ(E(tag, tpAbwesend6), 60);
  EXPECT_EQ(E(tag, tpAbwesend8), 15);
  EXPECT_EQ(E(tag, tpAbwesend4), 45);
  EXPECT_EQ(E(tag, tpAbwesend), -30);
  EXPECT_EQ(Min(TagKontoErgebnis(tag, 1)), 60 + 60);
  EXPECT_EQ(Min(TagKontoErgebnis(tag, 2)), 15);
  EXPECT_EQ(Min(TagKontoErgebnis(tag, 3)), 45);
  EXPECT_EQ(E(tag, tpTagKonten), 120 + 15 + 45);
  EXPECT_EQ(E(tag, tpNetto), 5 * 60 + 30);  // the pairs
  EXPECT_EQ(E(tag, tpIst), 5 * 60 + 30 + 180);
}

TEST_F(TagAuswertungTest, AccountKinds) {
  Konto(1, kaRahmenzeit);
  Konto(2, kaUeberstunden);
  Konto(3, kaMehrarbeit);
  Konto(4, kaSonstiges, 'K');
  Konto(5, kaSumme);
  Konto(6, kaIstzeit);
  Konto(7, kaArbeitsstunden);
  KontoDef summe = defs.Konto(5);
  summe.SumKonto = {1, 0, -3, 0};
  summe.SumFaktor = {1, 1, 2, 0};
  defs.SetKonto(5, summe);
  Fehlzeit('k', false, false);
  profil.Pausen[0] = TZeitfenster{true, Hm(12), Hm(12, 30)};
  profil.Kontofenster[0] = TKontofenster{Hm(6), Hm(14), kaRahmenzeit, 0};
  profil.Kontofenster[1] = TKontofenster{Hm(8), Hm(10), kaUeberstunden, 0};
  profil.Kontofenster[2] = TKontofenster{Hm(12), Hm(20), kaMehrarbeit, Hm(1)};
  profil.Kontofenster[6] = TKontofenster{0, Hm(6), kaArbeitsstunden, 0};
  TMonatTag tag = TagMit({{7, 0}, {16, 30}});
  tag.Fehlzeit = 'k';
  tag.TagKonto[2] = Hm(1, 30);
  tag.TagKontoWert[5] = Hm(0, 45);  // account 6
  Auswerten(tag);
  // Worked 9:30, plus 4:30 in the window of kind 3; less the 0:30 break window.
  EXPECT_EQ(E(tag, tpArbeitszeit), 14 * 60);
  EXPECT_EQ(E(tag, tpNetto), 13 * 60 + 30);
  EXPECT_EQ(E(tag, tpTagKonten), 90 + 45);
  EXPECT_EQ(E(tag, tpIst), 15 * 60 + 45);
  EXPECT_EQ(E(tag, tpDifferenz), 7 * 60 + 45);
  EXPECT_EQ(E(tag, 1), 6 * 60 + 30) << "kind 1: 07:00-14:00 less the break window";
  EXPECT_EQ(E(tag, 2), 2 * 60) << "kind 2: 8:00 to 10:00 of the 15:45 result";
  EXPECT_EQ(E(tag, 3), 4 * 60) << "kind 3: 12:00-16:30 less the break window";
  EXPECT_EQ(E(tag, 4), 90) << "kind 6: the other hours of its absence letter";
  EXPECT_EQ(E(tag, 5), 6 * 60 + 30 + 7 * 60 + 45 + 2 * 90) << "kind 8: 1, 0 (difference), -3";
  EXPECT_EQ(E(tag, 6), 45) << "kind 10: its stored value";
  EXPECT_EQ(E(tag, 7), 6 * 60) << "kind 11: 0:00 to 6:00 of 13:30 and 1:30";

  profil.Kontofenster[2].Minuten = Hm(5);  // 4:30 in the window does not reach 5:00
  TMonatTag ohne = TagMit({{7, 0}, {16, 30}});
  Auswerten(ohne);
  EXPECT_EQ(E(ohne, tpArbeitszeit), 9 * 60 + 30);
  EXPECT_EQ(E(ohne, 3), 0);
  EXPECT_EQ(E(ohne, 4), 0) << "no absence letter";
}

TEST_F(TagAuswertungTest, BreakRuleOnAnAccountWindowCountsThere) {
  Konto(1, kaRahmenzeit);
  profil.Kontofenster[0] = TKontofenster{Hm(6), Hm(14), kaRahmenzeit, 0};
  profil.Regeln[0] = TPausenRegel{1, Hm(12), Hm(13)};
  profil.RegelSchwelle[0] = Hm(6);
  profil.RegelMinuten[0] = Hm(0, 30);
  TMonatTag tag = TagMit({{7, 0}, {16, 0}});
  Auswerten(tag);
  EXPECT_EQ(E(tag, tpAutoPausen), -30);
  EXPECT_EQ(E(tag, 1), 7 * 60 - 30);
}

TEST_F(TagAuswertungTest, StatusBitsOfTheDay) {
  struct Case {
    TDateTime datum;
    bool buchungen;
    char fehlzeit;
    double urlaub;
    uint16_t erwartet;
    const char* label;
  };
  a.Jetzt = kHeute + 0.5;
  Fehlzeit('u', false, false);
  const Case cases[] = {
      {kTag, false, ' ', 0, kStatusFehlt, "no entry on a past working day"},
      {kTag, false, 'u', 0, 0, "an absence letter is an entry"},
      {kHeute, false, ' ', 0, 0, "today is not yet missing"},
      {kTag, true, ' ', Hm(8), kStatusTrotzUrlaub, "bookings on a vacation day"},
      {kTag, true, ' ', Hm(4), 0, "bookings on half a vacation day"},
  };
  for (const Case& c : cases) {
    TMonatTag tag = c.buchungen ? TagMit({{8, 0}, {12, 0}}, c.datum) : TagMit({}, c.datum);
    tag.Fehlzeit = c.fehlzeit;
    tag.TagKonto[3] = c.urlaub;
    tag.Status = kStatusFehlt | kStatusTrotzUrlaub;
    Auswerten(tag, c.datum);
    EXPECT_EQ(tag.Status & (kStatusFehlt | kStatusTrotzUrlaub), c.erwartet) << c.label;
  }
}

TEST_F(TagAuswertungTest, CoreTimeBits) {
  profil.HatKernzeit = true;
  profil.KernBeginn = Hm(9);
  profil.KernEnde = Hm(15);
  struct Case {
    std::vector<Buchung> b;
    uint16_t erwartet;
    const char* label;
  };
  const std::vector<Case> cases = {
      {{{8, 0}, {16, 0}}, 0, "within the core time"},
      {{{9, 1}, {16, 0}}, kStatusNachKernzeit, "came after it"},
      {{{8, 0}, {14, 59}}, kStatusVorKernzeit, "left before it"},
      {{{8, 0}, {12, 0}, {12, 30}}, 0, "an open coming has not left"},
  };
  for (const Case& c : cases) {
    TMonatTag tag = TagMit({});
    for (const Buchung& b : c.b) tag.Buchungen[tag.AnzBuchungen++] = {Um(b.H, b.M), 0, 0, 0};
    Auswerten(tag);
    EXPECT_EQ(tag.Status & (kStatusNachKernzeit | kStatusVorKernzeit), c.erwartet) << c.label;
  }
}

TEST_F(TagAuswertungTest, DayAfterTodayHasNoDifference) {
  a.Jetzt = kHeute + 0.5;
  TMonatTag tag = TagMit({}, kHeute + 1);
  Auswerten(tag, kHeute + 1);
  EXPECT_EQ(E(tag, tpSoll), 480);
  EXPECT_EQ(E(tag, tpDifferenz), 0);
}

TEST_F(TagAuswertungTest, OutsideTheWindowOnlyTheFirstStepsRun) {
  // The range 08:00-12:00 of a day with one pair 07:00-16:00: the day itself lies before the
  // window's start, so only presence, worked time and break windows are evaluated.
  TMonatTag tag = TagMit({{7, 0}, {16, 0}});
  SetErgebnis(tag, tpIst, Hm(99));
  Auswerten(tag, kTag, TFenster{Um(8, 0), Um(12, 0)});
  EXPECT_EQ(E(tag, tpAnwesenheit), 4 * 60);
  EXPECT_EQ(E(tag, tpPraesenz), 4 * 60);
  EXPECT_EQ(E(tag, tpArbeitUngerundet), 9 * 60);
  EXPECT_EQ(E(tag, tpArbeitszeit), 9 * 60);
  EXPECT_EQ(E(tag, tpIst), 99 * 60) << "left as the entry held it";

  TMonatTag drin = TagMit({{7, 0}, {16, 0}});
  Auswerten(drin, kTag, TFenster{kTag, kTag + 1});
  EXPECT_EQ(E(drin, tpIst), 9 * 60);
  TMonatTag ende = TagMit({{7, 0}, {16, 0}});
  SetErgebnis(ende, tpIst, Hm(99));
  Auswerten(ende, kTag, TFenster{kTag - 1, kTag});
  EXPECT_EQ(E(ende, tpIst), 99 * 60) << "the window's end is not part of it";
}

TEST_F(TagAuswertungTest, WithoutDefinitionsNothingBreaks) {
  TAuswertung leer;
  leer.Jetzt = a.Jetzt;
  TMonatTag tag = TagMit({{8, 0}, {16, 0}});
  tag.Fehlzeit = 'q';
  TagAuswerten(leer, profil, kTag, TFenster{}, tag);
  EXPECT_EQ(E(tag, tpIst), 8 * 60);
  EXPECT_EQ(E(tag, tpSoll), 480);
}

TEST_F(TagAuswertungTest, TraceListenerSeesTheRulesAndChangesNothing) {
  profil.RundFlags = 1;
  profil.RundRaster = Hm(0, 15);
  profil.RundKommen = Hm(0, 5);
  profil.Regeln[0] = TPausenRegel{1, 0, 0};
  profil.RegelSchwelle[0] = Hm(6);
  profil.RegelMinuten[0] = Hm(0, 30);
  profil.Pausen[0] = TZeitfenster{true, Hm(12), Hm(12, 45)};
  const TMonatTag roh = TagMit({{8, 6}, {17, 0}}, kWeihnachten);
  TMonatTag ohne = roh;
  Auswerten(ohne, kWeihnachten);
  testing::SpurListe spur;
  a.Spur = &spur;
  TMonatTag mit = roh;
  Auswerten(mit, kWeihnachten);
  EXPECT_EQ(std::memcmp(&ohne, &mit, sizeof ohne), 0);

  ASSERT_EQ(spur.Mit("rounding of coming 1 08:06 -> 08:15 (grid 15, tolerance 5, up)").size(), 1u);
  EXPECT_EQ(spur.Mit("break window 1 12:00-12:45 deducts 0:45").size(), 1u);
  EXPECT_EQ(spur.Mit("break rule 1 (kind 1, basis 0)").size(), 1u);
  EXPECT_EQ(spur.Mit("holiday credit 8:00").size(), 1u);
  EXPECT_EQ(spur.Mit("share A 0.0 (vacation 0:00 of 8:00)").size(), 1u);
  for (const TSpurEintrag& e : spur.eintraege) EXPECT_EQ(e.Datum, kWeihnachten);
  // Each stored day result was reported with the value it holds at the end, or earlier.
  bool ist = false;
  for (const TSpurEintrag& e : spur.eintraege) {
    if (e.Position == "48") ist = e.Wert == Ergebnis(mit, tpIst);
  }
  EXPECT_TRUE(ist);
}

}  // namespace
}  // namespace qrv
