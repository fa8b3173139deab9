// The tool's JSON of each record kind, on records built by hand: field names as in the object
// records, dates "yyyy-mm-dd", date-times "yyyy-mm-ddThh:nn:ss", times and durations "h:mm"
// (negative "-h:mm"), 0 as a date-time null, text from code page 1252 as UTF-8.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "holidays/feiertage.h"
#include "json/calc_template_json.h"
#include "json/holidays_json.h"
#include "json/model_json.h"
#include "json/month_json.h"
#include "json/person_json.h"
#include "json/plan_month_json.h"
#include "json/plan_template_json.h"
#include "master/bervor.h"
#include "util/datetime.h"

namespace qrv {
namespace {

using tool::Json;

// A short string field: its length byte, then the 1252 bytes.
template <size_t N>
void Put(uint8_t (&field)[N], const char* ansi) {
  field[0] = static_cast<uint8_t>(std::strlen(ansi));
  std::memcpy(field + 1, ansi, field[0]);
}
template <size_t N>
void Put(std::array<uint8_t, N>& field, const char* ansi) {
  field[0] = static_cast<uint8_t>(std::strlen(ansi));
  std::memcpy(field.data() + 1, ansi, field[0]);
}

constexpr double Minutes(int m) {
  return m / 1440.0;
}

TEST(PersonJson, FieldsDatesAndTexts) {
  TPersonRec p{};
  p.PersNr = 17;
  p.AusweisNr = 10017;
  Put(p.Name, "M\xFCller");      // Müller
  Put(p.Vorname, "J\xF6rg");     // Jörg
  p.Eintritt = 45292;            // 1 January 2024
  p.Austritt = 0;                // none
  p.Zeitpunkt1 = 45292 + 0.375;  // 09:00
  p.Zeitpunkt3 = -Minutes(90);
  p.Belegt = 1;
  const Json j = p;
  EXPECT_EQ(j["PersNr"], 17);
  EXPECT_EQ(j["AusweisNr"], 10017);
  EXPECT_EQ(j["Name"], "M\xC3\xBCller");
  EXPECT_EQ(j["Vorname"], "J\xC3\xB6rg");
  EXPECT_EQ(j["Eintritt"], "2024-01-01");
  EXPECT_TRUE(j["Austritt"].is_null());
  EXPECT_EQ(j["Zeitpunkt1"], "2024-01-01T09:00:00");
  EXPECT_TRUE(j["Zeitpunkt2"].is_null());
  EXPECT_EQ(j["Zeitpunkt3"], "-1:30");
  EXPECT_EQ(j["Belegt"], true);
  EXPECT_EQ(j["Frei"].size(), 20u);
}

// A month of the full layout with two accounts, 31 days; day 3 has two bookings.
class MonthJson : public ::testing::Test {
 protected:
  MonthJson() : daten(std::make_unique<TMonatDaten>()) {
    *daten = {};
    TMonatTag& t = daten->Tag(3);
    t.Fehlzeit = ' ';
    t.AnzBuchungen = 2;
    t.Buchungen[0] = {45719 + Minutes(7 * 60 + 58), 1, 0, 0};  // 3 March 2025, 07:58
    t.Buchungen[1] = {45720 + Minutes(30), 2, 0, 0};           // past midnight, 00:30
    t.TagKonto[0] = -Minutes(5);
    daten->Tag(4).Fehlzeit = 'u';
    daten->MonSaldo = -Minutes(12 * 60 + 5);
    daten->MonKonto[1] = Minutes(600);
    view = {2025, 3, 2, false, 2, 2, 31, daten.get()};
  }
  std::unique_ptr<TMonatDaten> daten;
  tool::MonatAnsicht view;
};

TEST_F(MonthJson, NeverAccountedIsNull) {
  const Json j = view;
  EXPECT_TRUE(j["BerechnetAm"].is_null());
  EXPECT_EQ(j["BerechnetBis"], 0);
  daten->BerechnetAm = 45747 + Minutes(17 * 60 + 5);  // 31 March 2025, 17:05
  daten->BerechnetBis = 31;
  const Json k = view;
  EXPECT_EQ(k["BerechnetAm"], "2025-03-31T17:05:00");
  EXPECT_EQ(k["BerechnetBis"], 31);
}

TEST_F(MonthJson, ValuesDaysAndBookings) {
  const Json j = view;
  EXPECT_EQ(j["Jahr"], 2025);
  EXPECT_EQ(j["Monat"], 3);
  EXPECT_EQ(j["PersNr"], 2);
  EXPECT_EQ(j["Layout"], "voll");
  EXPECT_EQ(j["MonSaldo"], "-12:05");
  EXPECT_EQ(j["MonKonto"], Json::parse(R"(["0:00", "10:00"])"));
  EXPECT_EQ(j["MonTagKonto"].size(), 5u);
  EXPECT_TRUE(j.contains("MonFlag"));
  ASSERT_EQ(j["Tage"].size(), 31u);
  const Json& tag = j["Tage"][2];
  EXPECT_EQ(tag["Tag"], 3);
  EXPECT_EQ(tag["Fehlzeit"], "");
  EXPECT_EQ(tag["TagKonto"][0], "-0:05");
  EXPECT_EQ(tag["TagKontoWert"].size(), 2u);
  ASSERT_EQ(tag["Buchungen"].size(), 2u);
  EXPECT_EQ(tag["Buchungen"][0],
            Json::parse(R"({"Zeit": "2025-03-03T07:58:00", "Art": 1, "Code1": 0, "Code2": 0})"));
  EXPECT_EQ(tag["Buchungen"][1]["Zeit"], "2025-03-04T00:30:00");
  EXPECT_EQ(j["Tage"][3]["Fehlzeit"], "u");
}

TEST_F(MonthJson, CompactLayoutHasNoMonthIntegers) {
  view.Kompakt = true;
  view.Anz2 = 0;
  view.TageImMonat = 30;
  const Json j = view;
  EXPECT_EQ(j["Layout"], "kompakt");
  EXPECT_FALSE(j.contains("MonInt"));
  EXPECT_FALSE(j.contains("MonFlag"));
  EXPECT_FALSE(j["Tage"][0].contains("TagKontoWert"));
  EXPECT_EQ(j["Tage"].size(), 30u);
}

TEST(ModelJson, VersionAndProfileTimes) {
  auto v = std::make_unique<ModellVersion>();
  *v = {};
  Put(v->Name,
      "Nachtschicht S\xFC"
      "d");
  v->Nummer = 2004;
  v->SortDatum = 45474;  // 1 July 2024
  Tagesprofil& t = v->Profil[0];
  t.Mitternacht = true;
  t.Soll = Minutes(7 * 60 + 30);
  t.HatKernzeit = true;
  t.KernBeginn = Minutes(22 * 60);
  t.KernEnde = 1 + Minutes(4 * 60 + 30);  // 04:30 on the next day
  t.Pausen[1] = {true, Minutes(2 * 60), Minutes(2 * 60 + 45)};
  const Json j = *v;
  EXPECT_EQ(j["Name"],
            "Nachtschicht S\xC3\xBC"
            "d");
  EXPECT_EQ(j["Nummer"], 2004);
  EXPECT_EQ(j["SortDatum"], "2024-07-01");
  EXPECT_TRUE(j["StartDatum"].is_null());
  ASSERT_EQ(j["Profil"].size(), 8u);
  const Json& p = j["Profil"][0];
  EXPECT_EQ(p["Mitternacht"], true);
  EXPECT_EQ(p["Soll"], "7:30");
  EXPECT_EQ(p["Kernzeit"], Json::parse(R"({"Aktiv": true, "Von": "22:00", "Bis": "28:30"})"));
  EXPECT_EQ(p["Pausen"][1], Json::parse(R"({"Aktiv": true, "Von": "2:00", "Bis": "2:45"})"));
  EXPECT_EQ(p["Kontofenster"].size(), 20u);
}

TEST(CalcTemplateJson, OptionsBoundsAndStatusTexts) {
  auto r = std::make_unique<TBerVorRecord>();
  *r = {};
  Put(r->Name, "Standard");
  r->MonatsEnde = 25;
  r->Optionen = 0x05;
  r->Obergrenze.Setze(1, true, 40.5);
  r->Fehler = kStatusAutoGehen | kStatusNachKernzeit;
  const Json j = *r;
  EXPECT_EQ(j["Name"], "Standard");
  EXPECT_EQ(j["MonatsEnde"], 25);
  EXPECT_EQ(j["Optionen"], Json::parse(R"({"Wert": 5, "Bits": [0, 2]})"));
  EXPECT_EQ(j["Obergrenze"], Json::parse(R"({"1": 40.5})"));
  EXPECT_TRUE(j["Untergrenze"].empty());
  EXPECT_EQ(j["KontoVon"].size(), 40u);
  // The library's text of a mask has a CR LF between the bits' lines: one entry per line.
  EXPECT_EQ(j["Fehler"]["Wert"], 3);
  EXPECT_EQ(j["Fehler"]["Texte"],
            Json::parse(R"(["Automatisch ausgestempelt", "nach Kernzeit gekommen"])"));
  EXPECT_TRUE(j["Warnungen"]["Texte"].empty());
}

TEST(HolidaysJson, EntryWithAndWithoutDate) {
  TFeierObj f;
  f.Typ = ftNeujahr;
  f.Name = "Heilige Drei K\xF6nige";
  f.Datum = 45663;  // 6 January 2025
  f.Aktiv = true;
  EXPECT_EQ(Json(f), Json::parse(R"({"Typ": 1, "Name": "Heilige Drei Könige",
                                     "Datum": "2025-01-06", "Aktiv": true})"));
  f.Datum = kKeinDatum;  // an own holiday on 29 February in a common year
  EXPECT_TRUE(Json(f)["Datum"].is_null());
}

TEST(PlanTemplateJson, ListUpToTheCount) {
  TPlanvorlageRec r{};
  Put(r.Name, "Wechselschicht");
  r.Art = 1;
  r.Modell = 4;
  r.Anzahl = 2;
  r.Modelle[0] = 1;
  r.Modelle[1] = 4;
  r.Modelle[2] = 7;  // beyond the count
  r.Markiert[1] = 1;
  EXPECT_EQ(Json(r), Json::parse(R"({"Name": "Wechselschicht", "Art": 1, "Modell": 4,
      "Anzahl": 2, "Modelle": [{"Pos": 1, "Modell": 1, "Markiert": false},
                               {"Pos": 2, "Modell": 4, "Markiert": true}]})"));
}

TEST(PlanMonthJson, DaysWithAnswersAndFailures) {
  auto rec = std::make_unique<TPlanMonat>();
  *rec = {};
  rec->Modelle[0] = 1;
  rec->FesteTage = 1u << 2;
  rec->SchichtTage = 1u << 2;
  tool::PlanMonatAnsicht view{2025, 3, 2, 1001, 0, rec.get(), {}};
  // Version 3 of model 1.
  view.Tage.push_back({1, 1, "", 3001, "Gleitzeit", Minutes(7 * 60 + 48), ""});
  view.Tage.push_back({2, 0, "Ung\xFCltige Recordnummer", 0, "", 0, "Modell fehlt"});
  const Json j = view;
  EXPECT_EQ(j["VorlageNr"], 1001);
  EXPECT_TRUE(j["VorlageAb"].is_null());
  ASSERT_EQ(j["Tage"].size(), 2u);
  EXPECT_EQ(j["Tage"][0], Json::parse(R"({"Tag": 1, "Modelle": 1, "Kennungen": 0,
      "FesteTage": false, "SchichtTage": false, "GetModellNr": 1,
      "Profil": {"Modell": 1, "Version": 3001, "Name": "Gleitzeit", "Soll": "7:48"}})"));
  EXPECT_EQ(j["Tage"][1]["FesteTage"], true);
  EXPECT_EQ(j["Tage"][1]["SchichtTage"], true);
  EXPECT_EQ(j["Tage"][1]["GetModellNr"]["Fehler"], "Ungültige Recordnummer");
  EXPECT_EQ(j["Tage"][1]["Profil"]["Fehler"], "Modell fehlt");
}

}  // namespace
}  // namespace qrv
