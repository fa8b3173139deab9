// The evaluated booking list: automatic clock-in and clock-out, kind alignment, plain first and
// last entries, and stored lists that are out of the ordinary.
#include "accounting/buchungsliste.h"

#include <gtest/gtest.h>

#include "master/tag_status.h"
#include "tag_fixture.h"

namespace qrv {
namespace {

using testing::Buchung;
using testing::Hm;
using testing::kTag;
using testing::LeeresProfil;
using testing::LeereVorlage;
using testing::Min;
using testing::TagMit;
using testing::Um;

class BuchungslisteTest : public ::testing::Test {
 protected:
  TListe Baue(const TMonatTag& tag, TDateTime jetzt) {
    return BaueListe(profil, vorlage, kTag, jetzt, tag, {});
  }
  // Evaluates the day and answers its presence (TagErgebnis[44]) in minutes.
  int Praesenz(TMonatTag& tag, TDateTime jetzt) {
    TAuswertung a;
    a.Vorlage = &vorlage;
    a.Jetzt = jetzt;
    TagAuswerten(a, profil, kTag, TFenster{}, tag);
    return Min(Ergebnis(tag, tpPraesenz));
  }

  Tagesprofil profil = LeeresProfil();
  TBerVorRecord vorlage = LeereVorlage();
};

// kommen 08:00, gehen 12:00, kommen 12:30, nothing after.
TMonatTag OffenerTag() {
  return TagMit({{8, 0}, {12, 0}, {12, 30}});
}

TEST_F(BuchungslisteTest, OpenComingWhileTheDayIsNotOverIsClosedAtNowStillPresent) {
  profil.Tagesende = Hm(20);
  TMonatTag tag = OffenerTag();
  const TDateTime jetzt = Um(15, 0) + 40.0 / 86400;  // 15:00:40, cut to 15:00
  const TListe l = Baue(tag, jetzt);
  ASSERT_EQ(l.Liste.Anzahl, 4);
  EXPECT_EQ(l.Liste.Letzte(), Um(15, 0));
  EXPECT_EQ(l.Liste.Eintrag[3].Code2, kCodeAutoGehen);
  EXPECT_EQ(l.Status & (kStatusAnwesend | kStatusAutoGehen), kStatusAnwesend | kStatusAutoGehen);
  EXPECT_EQ(Praesenz(tag, jetzt), 6 * 60 + 30);
  EXPECT_EQ(tag.AnzPaare, 4);
}

TEST_F(BuchungslisteTest, OpenComingTheNextMorningGivesAnEmptyPair) {
  profil.Tagesende = Hm(20);
  profil.KernEnde = Hm(16);
  TMonatTag tag = OffenerTag();
  const TDateTime morgen = Um(8, 0, kTag + 1);
  const TListe l = Baue(tag, morgen);
  ASSERT_EQ(l.Liste.Anzahl, 4);
  EXPECT_EQ(l.Liste.Letzte(), Um(12, 30));
  EXPECT_EQ(l.Status & (kStatusAnwesend | kStatusAutoGehen), kStatusAutoGehen);
  EXPECT_EQ(Praesenz(tag, morgen), 4 * 60);

  vorlage.Optionen = 1u << 1;  // goings completed at the core time's end
  EXPECT_EQ(Baue(tag, morgen).Liste.Letzte(), Um(16, 0));
  EXPECT_EQ(Praesenz(tag, morgen), 4 * 60 + 3 * 60 + 30);
}

TEST_F(BuchungslisteTest, AClosingGoingNeverLiesBeforeItsComing) {
  profil.KernEnde = Hm(16);
  vorlage.Optionen = 1u << 1;
  TMonatTag spaet = TagMit({{8, 0}, {12, 0}, {18, 0}});  // came back after the core time's end
  EXPECT_EQ(Baue(spaet, Um(8, 0, kTag + 1)).Liste.Letzte(), Um(18, 0));
  profil.Tagesende = Hm(20);
  // A day evaluated before its open coming (now 17:00, coming 18:00).
  EXPECT_EQ(Baue(spaet, Um(17, 0)).Liste.Letzte(), Um(18, 0));
}

TEST_F(BuchungslisteTest, FirstAndLastEntryArePlain) {
  const TListe l = Baue(TagMit({{8, 0, 2}, {16, 0, 4}}), Um(8, 0, kTag + 1));
  EXPECT_EQ(l.Liste.Art(0), 0);
  EXPECT_EQ(l.Liste.Art(1), 0);
  EXPECT_EQ(l.Status & kStatusFalscheTaste, kStatusFalscheTaste);
  const TListe ok = Baue(TagMit({{8, 0}, {16, 0}}), Um(8, 0, kTag + 1));
  EXPECT_EQ(ok.Status & kStatusFalscheTaste, 0);
}

TEST_F(BuchungslisteTest, ComingAndTheGoingBeforeItAreAligned) {
  struct Case {
    uint8_t gehen, kommen, erwartet;
    bool falsch;
    const char* label;
  };
  const Case cases[] = {
      {4, 0, 4, true, "a plain coming takes the going's kind"},
      {0, 6, 6, true, "the coming's kind goes to the going"},
      {4, 8, 8, true, "the coming's kind wins"},
      {8, 8, 8, false, "equal kinds stay"},
      {4 | 1, 4 | 16, 4, false, "only bits 1 to 3 of a kind count"},
  };
  for (const Case& c : cases) {
    const TListe l =
        Baue(TagMit({{8, 0}, {12, 0, c.gehen}, {13, 0, c.kommen}, {17, 0}}), Um(8, 0, kTag + 1));
    EXPECT_EQ(l.Liste.Art(1), c.erwartet) << c.label;
    EXPECT_EQ(l.Liste.Art(2), c.erwartet) << c.label;
    EXPECT_EQ((l.Status & kStatusFalscheTaste) != 0, c.falsch) << c.label;
  }
}

TEST_F(BuchungslisteTest, AutomaticClockIn) {
  profil.HatAutoKommen = true;
  profil.KernBeginn = Hm(7);
  profil.AutoKommen = Hm(7, 30);
  const TMonatTag tag = TagMit({{12, 0}});  // only the going was booked

  vorlage.Optionen = 1u << 0;  // comings completed at the core time's start
  TListe l = Baue(tag, Um(8, 0, kTag + 1));
  ASSERT_EQ(l.Liste.Anzahl, 2);
  EXPECT_EQ(l.Liste.Erste(), Um(7, 0));
  EXPECT_EQ(l.Liste.Eintrag[0].Code2, kCodeAutoKommen);
  EXPECT_EQ(l.Status & (kStatusAutoKommen | kStatusAutoGehen), kStatusAutoKommen);

  vorlage.Optionen = 0;
  EXPECT_EQ(Baue(tag, Um(8, 0, kTag + 1)).Liste.Erste(), Um(12, 0));

  // A core time starting after the first booking never puts the coming behind its going.
  vorlage.Optionen = 1u << 0;
  profil.KernBeginn = Hm(13);
  profil.AutoKommen = Hm(7, 30);
  EXPECT_EQ(Baue(tag, Um(8, 0, kTag + 1)).Liste.Erste(), Um(12, 0));
  vorlage.Optionen = 0;
  profil.KernBeginn = Hm(7);

  TMonatTag frueh = TagMit({{7, 29}});  // before the clock-in time: an open coming instead
  EXPECT_EQ(Baue(frueh, Um(8, 0, kTag + 1)).Status & kStatusAutoKommen, 0);

  TMonatTag abgehakt = tag;
  abgehakt.Status = kStatusAbgehakt;
  EXPECT_EQ(Baue(abgehakt, Um(8, 0, kTag + 1)).Status & kStatusAutoKommen, 0);
}

TEST_F(BuchungslisteTest, StatusBitsAreSetAnewEachTime) {
  TMonatTag tag = TagMit({{8, 0}, {16, 0}});
  tag.Status = kStatusAnwesend | kStatusAutoKommen | kStatusAutoGehen | kStatusFalscheTaste |
               kStatusAbgehakt | kStatusKorrigiert;
  EXPECT_EQ(Baue(tag, Um(8, 0, kTag + 1)).Status, kStatusAbgehakt | kStatusKorrigiert);
}

TEST_F(BuchungslisteTest, FortyBookingsOfAlternatingKindsStayInTheSlots) {
  TMonatTag tag = TagMit({});
  for (int i = 0; i < kMaxBuchungen; ++i) {
    tag.Buchungen[i] = TBuchung{Um(6, 10 * i), static_cast<uint8_t>(i % 3 == 0 ? 4 : 0), 0, 0};
  }
  tag.AnzBuchungen = kMaxBuchungen;
  const TListe l = Baue(tag, Um(8, 0, kTag + 1));
  ASSERT_EQ(l.Liste.Anzahl, kMaxBuchungen);
  EXPECT_EQ(l.Liste.Art(0), 0);
  EXPECT_EQ(l.Liste.Art(kMaxBuchungen - 1), 0);
  for (int kommen = 2; kommen < kMaxBuchungen; kommen += 2) {
    EXPECT_EQ(l.Liste.Art(kommen), l.Liste.Art(kommen - 1)) << "coming at " << kommen;
  }
  EXPECT_NE(l.Status & kStatusFalscheTaste, 0);

  // With the automatic coming put first, the last stored booking has no slot left.
  profil.HatAutoKommen = true;
  profil.AutoKommen = Hm(1);
  const TListe voll = Baue(tag, Um(8, 0, kTag + 1));
  ASSERT_EQ(voll.Liste.Anzahl, kMaxBuchungen);
  EXPECT_EQ(voll.Liste.Letzte(), Um(6, 10 * (kMaxBuchungen - 2)));
}

TEST_F(BuchungslisteTest, ABookingCountAboveTheSlotsReadsAsAllSlots) {
  TMonatTag tag = TagMit({{8, 0}, {12, 0}, {13, 0}, {17, 0}});
  tag.AnzBuchungen = 200;
  const TListe l = Baue(tag, Um(8, 0, kTag + 1));
  EXPECT_EQ(l.Liste.Anzahl, kMaxBuchungen);
  // The unused slots hold zero times: the later pairs have a coming at 0 and count nothing.
  EXPECT_EQ(Praesenz(tag, Um(8, 0, kTag + 1)), 8 * 60);
}

TEST_F(BuchungslisteTest, BookingsOutOfOrderNeverCountNegative) {
  TMonatTag tag = TagMit({{12, 0}, {8, 0}, {13, 0}, {17, 0}});
  EXPECT_EQ(Praesenz(tag, Um(8, 0, kTag + 1)), 4 * 60);
}

}  // namespace
}  // namespace qrv
