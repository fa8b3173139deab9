// calc, items and span over a demo installation: a worked day whose answers follow by hand from
// its bookings and its model's break windows, the modes, a night shift, and bad input with its
// message and exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_gen.h"
#include "demo_suite.h"
#include "output/format.h"
#include "support/temp_folder.h"
#include "util/datetime.h"

namespace qrv::tool {
namespace {

class QueriesOnDemo : public DemoSuite<8> {
 protected:
  // The day's evaluated comings and goings as hh:mm.
  static std::vector<std::string> Paare(const std::string& person, const std::string& datum) {
    std::vector<std::string> zeiten;
    const Json tag = Parsed({"day", person, datum});
    for (const Json& p : tag["Paare"]) {
      zeiten.push_back(p["Zeit"].get<std::string>().substr(11));
    }
    return zeiten;
  }
};

// Person 3 works model 2 (no rounding, break windows 09:30-09:45 and 12:00-12:30, automatic
// break 0:30 from 6:00) and booked 07:28-16:11 on Monday 2025-02-10 and 07:27-16:11 on the
// Tuesday; the Sunday before is free.
TEST_F(QueriesOnDemo, CalcOfAMorningFollowsFromTheBookings) {
  ASSERT_EQ(Paare("3", "2025-02-10"), (std::vector<std::string>{"07:28", "16:11"}));
  ASSERT_EQ(Paare("3", "2025-02-11"), (std::vector<std::string>{"07:27", "16:11"}));
  ASSERT_TRUE(Paare("3", "2025-02-09").empty());
  const Json c = Parsed({"calc", "3", "2025-02-10T08:00", "2025-02-10T12:00"});
  ASSERT_EQ(c["Zeiten"].size(), 4u);
  EXPECT_EQ(c["TageVon"], "2025-02-09");
  EXPECT_EQ(c["TageBis"], "2025-02-11");
  // The break windows of the two worked days (2 x 0:45) go into every sum: the window holds
  // 4:00 of presence, the days walked 8:43 + 8:44.
  const struct {
    const char* name;
    const char* dauer;
    int minuten;
  } erwartet[] = {{"Zeit1", "2:30", 150},
                  {"Zeit2", "2:30", 150},
                  {"Zeit3", "15:57", 957},
                  {"Zeit4", "15:57", 957}};
  for (size_t i = 0; i < 4; ++i) {
    const Json& z = c["Zeiten"][i];
    EXPECT_EQ(z["Name"], erwartet[i].name);
    EXPECT_EQ(z["Dauer"], erwartet[i].dauer) << erwartet[i].name;
    EXPECT_NEAR(z["Tage"].get<double>(), erwartet[i].minuten / 1440.0, 1e-9) << erwartet[i].name;
    EXPECT_FALSE(z["Bedeutung"].get<std::string>().empty());
  }
}

TEST_F(QueriesOnDemo, ItemsOfADayWithBreakWindows) {
  const Json j = Parsed({"items", "3", "2025-02-10", "--mode", "1"});
  // Art, name, from, to, value, text: model and target, the net span (8:43 less the windows'
  // 0:45 and the automatic 0:30), the windows with the presence in them, span and pair, and
  // the pieces outside the windows.
  const std::vector<std::vector<Json>> erwartet = {
      {2, "Modell", nullptr, nullptr, "0:00", "0002 Festzeit B\xC3\xBCro"},
      {3, "Soll", nullptr, nullptr, "8:00", ""},
      {7, "Netto", "2025-02-10T07:28", "2025-02-10T16:11", "7:28", ""},
      {9, "Pause", "2025-02-10T09:30", "2025-02-10T09:45", "0:15", ""},
      {9, "Pause", "2025-02-10T12:00", "2025-02-10T12:30", "0:30", ""},
      {0, "Spanne", "2025-02-10T07:28", "2025-02-10T16:11", "8:43", ""},
      {1, "Paar", "2025-02-10T07:28", "2025-02-10T16:11", "8:43", ""},
      {15, "Stueck", "2025-02-10T07:28", "2025-02-10T09:30", "2:02", ""},
      {15, "Stueck", "2025-02-10T09:45", "2025-02-10T12:00", "2:15", ""},
      {15, "Stueck", "2025-02-10T12:30", "2025-02-10T16:11", "3:41", ""},
  };
  ASSERT_EQ(j["Items"].size(), erwartet.size()) << j.dump(1);
  const char* felder[] = {"Art", "ArtName", "Von", "Bis", "Wert", "Text"};
  for (size_t i = 0; i < erwartet.size(); ++i) {
    for (size_t f = 0; f < 6; ++f) {
      EXPECT_EQ(j["Items"][i][felder[f]], erwartet[i][f]) << "item " << i << " " << felder[f];
    }
  }
  const Outcome text = On({"--format", "text", "items", "3", "2025-02-10"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_NE(text.out.find("Art  ArtName  Von"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("15   Stueck   2025-02-10T12:30  2025-02-10T16:11  3:41"),
            std::string::npos)
      << text.out;
  // A Sunday without bookings and without target has no items.
  EXPECT_EQ(Parsed({"items", "3", "2025-02-09"})["Items"], Json::array());
}

TEST_F(QueriesOnDemo, SpanOfDaysNightsAndFreeDays) {
  // Person 2's model rounds comings and goings on a grid; person 7 works nights.
  ASSERT_EQ(Paare("7", "2025-02-03").size(), 2u);
  const struct {
    std::vector<std::string> args;
    const char* von;
    const char* bis;
  } cases[] = {
      {{"span", "3", "2025-02-10"}, "2025-02-10T07:28", "2025-02-10T16:11"},
      {{"span", "2", "2025-02-05", "--mode", "1"}, "2025-02-05T08:25", "2025-02-05T16:48"},
      {{"span", "7", "2025-02-03", "--mode", "1"}, "2025-02-03T21:50", "2025-02-04T06:06"},
      {{"span", "3", "2025-02-09"}, "2025-02-09T00:00", "2025-02-10T00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1] + " " + c.args[2]);
    const Json s = Parsed(c.args);
    EXPECT_EQ(s["Von"], c.von);
    EXPECT_EQ(s["Bis"], c.bis);
  }
  // Modes 0 and 2 take the rounded first coming and last going, as the day's evaluation has
  // them.
  const std::vector<std::string> gerundet = Paare("2", "2025-02-05");
  ASSERT_EQ(gerundet.size(), 4u);
  for (const char* mode : {"0", "2"}) {
    const Json s = Parsed({"span", "2", "2025-02-05", "--mode", mode});
    EXPECT_EQ(s["Von"], "2025-02-05T" + gerundet.front()) << mode;
    EXPECT_EQ(s["Bis"], "2025-02-05T" + gerundet.back()) << mode;
  }
  EXPECT_NE(gerundet.front(), "08:25");
}

TEST_F(QueriesOnDemo, BadInputEndsWithAMessage) {
  const struct {
    std::vector<std::string> args;
    int code;
    const char* message;
  } cases[] = {
      {{"calc", "3", "2025-02-10T8", "2025-02-10T12:00"},
       kExitUsageError,
       "FROM: no date and time of the form YYYY-MM-DDThh:mm"},
      {{"calc", "3", "2025-02-10T08:00", "2025-02-30T12:00"}, kExitUsageError, "TO: no date"},
      {{"calc", "3", "2025-02-10T12:00", "2025-02-10T08:00"},
       kExitUsageError,
       "TO: lies before FROM"},
      {{"calc", "77", "2025-02-10T08:00", "2025-02-10T12:00"}, kExitDataError, "no person 77"},
      {{"calc", "3", "2019-02-10T08:00", "2019-02-10T12:00"},
       kExitDataError,
       "Monat vor Zeiterfassungsbeginn"},
      {{"items", "77", "2025-02-10"}, kExitDataError, "no person 77"},
      {{"items", "3", "2025-02-10", "--mode", "3"}, kExitUsageError, "--mode"},
      {{"items", "3", "2019-02-10"}, kExitDataError, "Fehler bei Monatsabrechnung 02.2019"},
      {{"items", "3", "2025-02-10T08:00"}, kExitUsageError, "DATE: no date"},
      {{"span", "77", "2025-02-10"}, kExitDataError, "no person 77"},
      {{"span", "3", "2025-02-10", "--mode", "3"}, kExitUsageError, "--mode"},
  };
  for (const auto& c : cases) {
    std::string label;
    for (const std::string& a : c.args) label += a + " ";
    SCOPED_TRACE(label);
    const Outcome r = On(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace qrv::tool
