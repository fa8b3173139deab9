// The accounting's views on values built by hand: a day by its result positions, the result block
// by the positions its sums stand for, the month values, trace entries in their own units, and the
// month sheet's running balance.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "json/abrech_tag_json.h"
#include "json/mon_ergebnis_json.h"
#include "json/monatswerte_json.h"
#include "json/spur_json.h"
#include "master/tag_status.h"
#include "output/monatsblatt.h"
#include "util/datetime.h"

namespace qrv::tool {
namespace {

constexpr double Minutes(int m) {
  return m / 1440.0;
}

const TDateTime kMontag = EncodeDate(2025, 3, 3);

TBuchung Buchung(double zeit, uint8_t art, uint8_t code2) {
  return {zeit, art, 0, code2};
}

// Monday 3 March 2025: 08:00 to 12:00, then 12:30 to an automatic going at 17:00.
TMonatTag Tag() {
  TMonatTag t{};
  t.Fehlzeit = ' ';
  t.AnzPaare = 4;
  t.Paare[0] = Buchung(kMontag + Minutes(8 * 60), 0, 0);
  t.Paare[1] = Buchung(kMontag + Minutes(12 * 60), 4, 0);
  t.Paare[2] = Buchung(kMontag + Minutes(12 * 60 + 30), 4, 0);
  t.Paare[3] = Buchung(kMontag + Minutes(17 * 60), 0, 3);
  t.Status = kStatusAutoGehen | kStatusNachKernzeit;
  t.TagErgebnis[47 - 1] = Minutes(8 * 60);
  t.TagErgebnis[48 - 1] = Minutes(7 * 60 + 30);
  t.TagErgebnis[49 - 1] = Minutes(-30);
  t.TagErgebnis[56 - 1] = Minutes(-30);
  t.TagErgebnis[3 - 1] = Minutes(75);
  t.TagErgebnis[2 - 1] = Minutes(99);  // an account not defined: not shown
  t.TagKontoErgebnis[3] = Minutes(4 * 60);
  t.TagRest.Arbeitstag = 1;
  t.TagRest.AnteilA = 0.5;
  return t;
}

TEST(AbrechTagJson, PairsStatusAndResultsByPosition) {
  const TMonatTag t = Tag();
  const Json j = AbrechTagAnsicht{kMontag, &t, {1, 3}};
  EXPECT_EQ(j["Datum"], "2025-03-03");
  ASSERT_EQ(j["Paare"].size(), 4u);
  EXPECT_EQ(j["Paare"][0], (Json{{"Zeit", "2025-03-03T08:00"}, {"Art", 0}, {"Code2", 0}}));
  EXPECT_EQ(j["Paare"][3], (Json{{"Zeit", "2025-03-03T17:00"}, {"Art", 0}, {"Code2", 3}}));
  EXPECT_EQ(j["Status"], 3);
  EXPECT_EQ(j["StatusText"], (Json{"Automatisch ausgestempelt", "nach Kernzeit gekommen"}));
  const Json& e = j["TagErgebnis"];
  EXPECT_EQ(e.size(), 22u);  // 41 to 60, accounts 1 and 3
  EXPECT_EQ(e.begin().key(), "41");
  EXPECT_EQ(e["48"], "7:30");
  EXPECT_EQ(e["49"], "-0:30");
  EXPECT_EQ(e["56"], "-0:30");
  EXPECT_EQ(e["3"], "1:15");
  EXPECT_EQ(e["1"], "0:00");
  EXPECT_FALSE(e.contains("2"));
  EXPECT_EQ(j["TagKontoErgebnis"][3], "4:00");
  EXPECT_EQ(j["AnteilA"], 0.5);
  EXPECT_EQ(j["Arbeitstag"], 1);
  EXPECT_EQ(j["Feiertag"], 0);
  TMonatTag ohne = Tag();
  ohne.Status = 0;
  EXPECT_EQ(Json(AbrechTagAnsicht{kMontag, &ohne, {}})["StatusText"], Json::array());
}

// The block's doubles stand for positions in an order of their own (the sum of 42 first).
TEST(MonErgebnisJson, SumsKeyedByTheirDayResultPosition) {
  TMonErgebnis b{};
  b.Werte[0] = Minutes(16 * 60);   // 42
  b.Werte[1] = Minutes(100);       // 41
  b.Werte[8] = Minutes(-95);       // 49
  b.Werte[15] = Minutes(45);       // 57
  b.Werte[22 + 2] = Minutes(150);  // account 3
  b.Werte[62] = Minutes(20);       // 59
  b.Werte[kErgTagKonto + 3] = Minutes(16 * 60);
  b.Werte[kErgArbeitstage] = 19;
  b.Feiertage = 2;
  b.WarnTage = 3;
  b.FehlerTage = 1;
  const Json j = MonErgebnisAnsicht{&b, {3}};
  const Json& s = j["TagErgebnis"];
  EXPECT_EQ(s["42"], "16:00");
  EXPECT_EQ(s["41"], "1:40");
  EXPECT_EQ(s["49"], "-1:35");
  EXPECT_EQ(s["57"], "0:45");
  EXPECT_EQ(s["59"], "0:20");
  EXPECT_EQ(s["3"], "2:30");
  EXPECT_FALSE(s.contains("56"));  // no sum holds it
  EXPECT_EQ(s.size(), 20u);        // 41 to 60 but 56, and account 3
  EXPECT_EQ(j["TagKonto"][3], "16:00");
  EXPECT_EQ(j["Arbeitstage"], 19);
  EXPECT_EQ(j["Feiertage"], 2);
  EXPECT_EQ(j["WarnTage"], 3);
  EXPECT_EQ(j["FehlerTage"], 1);
}

TEST(MonatsWerteJson, BalancesAccountsAndTheWeeklySumOfTheMonthIntegers) {
  auto d = std::make_unique<TMonatDaten>();
  d->MonSaldo = Minutes(-61);
  d->MonAnteilA = 24.5;
  d->MonFehlerTage = 2;
  d->MonKonto[4 - 1] = Minutes(600);
  d->SetWochenLauf(Minutes(12 * 60 + 15));
  const Json j = MonatsWerteAnsicht{2025, 2, d.get(), {1, 4}};
  EXPECT_EQ(j["Jahr"], 2025);
  EXPECT_EQ(j["MonSaldo"], "-1:01");
  EXPECT_EQ(j["MonAnteilA"], 24.5);
  EXPECT_EQ(j["MonFehlerTage"], 2);
  EXPECT_EQ(j["MonKonto"], (Json{{"1", "0:00"}, {"4", "10:00"}}));
  EXPECT_EQ(j["WochenLauf"], "12:15");
}

TEST(SpurJson, EachValueInItsUnit) {
  const struct {
    const char* position;
    double wert;
    Json shown;
  } cases[] = {
      {"48", Minutes(8 * 60), "8:00"},
      {"3", Minutes(-45), "-0:45"},
      {"Paare[4]", kMontag + Minutes(17 * 60), "2025-03-03T17:00"},
      {"Paare[3]", 4, 4},  // a booking kind set
      {"Paare", 40, 40},   // the list's length
      {"Regel[2]", Minutes(-30), "-0:30"},
      {"TagKontoErgebnis[1]", Minutes(30), "0:30"},
      {"MonSaldo", Minutes(-90), "-1:30"},
      {"Status", 4097, 4097},
      {"MonAnteilA", 1.5, 1.5},
      {"MonFehlerTage", 3, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    const Json j = TSpurEintrag{kMontag, 14, c.position, c.wert, "Regel"};
    EXPECT_EQ(j["Wert"], c.shown);
  }
  const Json j =
      TSpurEintrag{kMontag, 10, "53", Minutes(-30), "Pausenregel 1: Schwelle 6:00, f\xE4llig 0:30"};
  EXPECT_EQ(j, (Json{{"Schritt", 10},
                     {"Position", "53"},
                     {"Wert", "-0:30"},
                     {"Regel", "Pausenregel 1: Schwelle 6:00, f\xC3\xA4llig 0:30"}}));
}

TEST(DurationMinutes, ReadsTheToolsDurations) {
  const struct {
    const char* text;
    int minutes;
  } cases[] = {{"0:00", 0}, {"7:30", 450}, {"-0:30", -30}, {"-12:05", -725}, {"123:59", 7439}};
  for (const auto& c : cases) EXPECT_EQ(DurationMinutes(c.text), c.minutes) << c.text;
}

// A month of two days: +0:30, then -1:00; the month ends at a balance of 10:00, so it took
// over 10:30, and the days run 11:00, 10:00.
TEST(Monatsblatt, RunningBalanceEndsAtTheMonthsBalance) {
  TMonatTag t1 = Tag(), t2 = Tag();
  t1.TagErgebnis[49 - 1] = Minutes(30);
  t2.TagErgebnis[49 - 1] = Minutes(-60);
  t2.Fehlzeit = 'u';
  auto monat = std::make_unique<TMonatDaten>();
  auto vormonat = std::make_unique<TMonatDaten>();
  monat->MonSaldo = Minutes(600);
  vormonat->MonSaldo = Minutes(630);
  monat->MonErgebnis.Werte[8] = Minutes(-30);
  Json a = {{"PersNr", 2},
            {"Name", "M\xC3\xBCller"},
            {"Vorname", "Anna"},
            {"Von", "2025-03-03"},
            {"Bis", "2025-03-04"}};
  a["Vormonat"] = MonatsWerteAnsicht{2025, 2, vormonat.get(), {1}};
  a["Monat"] = MonatsWerteAnsicht{2025, 3, monat.get(), {1}};
  a["MonErgebnis"] = MonErgebnisAnsicht{&monat->MonErgebnis, {1}};
  a["Tage"] = {AbrechTagAnsicht{kMontag, &t1, {1}}, AbrechTagAnsicht{kMontag + 1, &t2, {1}}};
  std::ostringstream out;
  PrintMonatsblatt(out, a);
  const std::string s = out.str();
  EXPECT_NE(s.find("M\xC3\xBCller, Anna"), std::string::npos) << s;
  EXPECT_NE(s.find("Vortrag"), std::string::npos) << s;
  const auto line = [&s](const std::string& start) {
    const size_t at = s.find("\n" + start);
    return at == std::string::npos ? std::string()
                                   : s.substr(at + 1, s.find('\n', at + 1) - at - 1);
  };
  EXPECT_NE(line("Vortrag").find("10:30"), std::string::npos) << s;
  EXPECT_NE(line("Mo 2025-03-03").find("08:00-12:00 12:30-17:00"), std::string::npos) << s;
  EXPECT_NE(line("Mo 2025-03-03").find("0:30   11:00  Automatisch ausgestempelt, nach Kernzeit"),
            std::string::npos)
      << s;
  EXPECT_NE(line("Di 2025-03-04").find("-1:00   10:00  u, Automatisch"), std::string::npos) << s;
  EXPECT_NE(line("  MonSaldo").find("10:30 -> 10:00"), std::string::npos) << s;
  EXPECT_NE(line("  MonKonto[1]").find("0:00 -> 0:00"), std::string::npos) << s;
}

// The explanation shows the rules that moved a time: no status word, no result of 0:00.
TEST(Monatsblatt, ExplanationListsTheRulesThatMovedTime) {
  const TMonatTag t = Tag();
  Json tag = AbrechTagAnsicht{kMontag, &t, {}};
  tag["Spur"] = {
      TSpurEintrag{kMontag, 1, "Status", 3, "Gehen fehlt"},
      TSpurEintrag{kMontag, 4, "52", 0, "Pausenfenster"},
      TSpurEintrag{kMontag, 10, "53", Minutes(-30), "Pausenregel 1"},
      TSpurEintrag{kMontag, 1, "Paare[4]", kMontag + Minutes(17 * 60), "Gehen um 17:00"}};
  std::ostringstream out;
  PrintTagErklaerung(out, tag);
  const std::string s = out.str();
  const std::string erklaerung = s.substr(s.find("Erkl"));
  EXPECT_EQ(erklaerung.find("Gehen fehlt"), std::string::npos) << s;
  EXPECT_EQ(erklaerung.find("Pausenfenster"), std::string::npos) << s;
  EXPECT_NE(erklaerung.find("-0:30  Pausenregel 1"), std::string::npos) << s;
  EXPECT_NE(erklaerung.find("2025-03-03T17:00  Gehen um 17:00"), std::string::npos) << s;
}

}  // namespace
}  // namespace qrv::tool
