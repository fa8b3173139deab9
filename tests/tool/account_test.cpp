// The accounting commands over a demo installation: account's month agrees with its days, day
// shows the same day as account and explains it, recalculation stores once and then finds
// nothing to change, account and day leave the folder as it was, bad input ends with a message
// and its exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "demo_gen.h"
#include "demo_suite.h"
#include "output/monatsblatt.h"
#include "support/temp_folder.h"
#include "util/datetime.h"

namespace qrv::tool {
namespace {

// Every file below folder with its bytes.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    if (e.is_regular_file()) files[e.path().string()] = testing::ReadFileBytes(e.path().string());
  }
  return files;
}

int SumMinutes(const Json& tage, const char* pos) {
  int sum = 0;
  for (const Json& t : tage) sum += DurationMinutes(t["TagErgebnis"][pos]);
  return sum;
}

class AccountOnDemo : public DemoSuite<8> {};

// --now pins the clock: the days after that day keep their results but no difference, and the
// month's year 0 ends there.
TEST_F(AccountOnDemo, NowPinsTheClock) {
  const Json a = Parsed(On({"account", "2", "2025", "2", "--now", "2025-02-10T12:00"}));
  ASSERT_FALSE(a.is_null());
  int tageDanach = 0;
  for (const Json& t : a["Tage"]) {
    if (t["Datum"].get<std::string>() <= "2025-02-10") continue;
    ++tageDanach;
    EXPECT_EQ(DurationMinutes(t["TagErgebnis"]["49"]), 0) << t["Datum"];
  }
  EXPECT_EQ(tageDanach, 18);
  const Json jetzt = Parsed(On({"account", "2", "0", "1", "--now", "2025-02-10T12:00"}));
  ASSERT_FALSE(jetzt.is_null());
  EXPECT_EQ(jetzt["Bis"], "2025-02-09T23:59:59");  // the start of today less a second
  EXPECT_EQ(On({"account", "2", "2025", "2", "--now", "2025-02-10"}).code, 2);
}

TEST_F(AccountOnDemo, MonthAgreesWithItsDays) {
  for (const char* person : {"2", "5", "7"}) {
    SCOPED_TRACE(person);
    const Json a = Parsed(On({"account", person, "2025", "2"}));
    ASSERT_FALSE(a.is_null());
    for (const char* key : {"Von", "Bis", "Vormonat", "Monat", "MonErgebnis", "Tage"}) {
      EXPECT_TRUE(a.contains(key)) << key;
    }
    const Json& tage = a["Tage"];
    ASSERT_FALSE(tage.empty());
    EXPECT_EQ(tage.front()["Datum"], a["Von"]);
    EXPECT_EQ(tage.back()["Datum"], a["Bis"]);
    const Json& summen = a["MonErgebnis"]["TagErgebnis"];
    for (const char* pos : {"47", "48", "49"}) {
      EXPECT_EQ(SumMinutes(tage, pos), DurationMinutes(summen[pos])) << pos;
    }
    int arbeitstage = 0, feiertage = 0;
    for (const Json& t : tage) {
      arbeitstage += t["Arbeitstag"] == 1;
      feiertage += t["Feiertag"] == 1;
      EXPECT_EQ(t["TagErgebnis"].size(), a["MonErgebnis"]["TagErgebnis"].size() + 1);  // and 56
    }
    EXPECT_EQ(a["MonErgebnis"]["Arbeitstage"], arbeitstage);
    EXPECT_EQ(a["MonErgebnis"]["Feiertage"], feiertage);
    EXPECT_GT(arbeitstage, 15);
  }
}

// The month sheet's last running balance is the month's balance, on the sum line too.
TEST_F(AccountOnDemo, MonthSheetEndsAtTheBalance) {
  const Json a = Parsed(On({"account", "2", "2025", "2"}));
  const Outcome text = On({"--format", "text", "account", "2", "2025", "2"});
  ASSERT_EQ(text.code, 0) << text.err;
  const std::string saldo = a["Monat"]["MonSaldo"];
  const size_t summe = text.out.find("\nSumme ");
  ASSERT_NE(summe, std::string::npos) << text.out;
  const std::string zeile = text.out.substr(summe + 1, text.out.find('\n', summe + 1) - summe - 1);
  EXPECT_EQ(zeile.substr(zeile.find_last_of(' ') + 1), saldo) << text.out;
  EXPECT_EQ(text.out.find('{'), std::string::npos);
}

TEST_F(AccountOnDemo, DayIsTheMonthsDayAndExplainsIt) {
  const Json a = Parsed(On({"account", "2", "2025", "2"}));
  Json imMonat;
  for (const Json& t : a["Tage"]) {
    if (t["Datum"] == "2025-02-11") imMonat = t;
  }
  ASSERT_FALSE(imMonat.is_null());
  EXPECT_EQ(Parsed(On({"day", "2", "2025-02-11"})), imMonat);
  Json erklaert = Parsed(On({"day", "2", "2025-02-11", "--explain"}));
  ASSERT_TRUE(erklaert.contains("Spur"));
  const Json spur = erklaert["Spur"];
  ASSERT_FALSE(spur.empty());
  for (const Json& e : spur) {
    EXPECT_EQ(e.size(), 4u) << e.dump();
    for (const char* key : {"Schritt", "Position", "Wert", "Regel"}) EXPECT_TRUE(e.contains(key));
  }
  erklaert.erase("Spur");
  EXPECT_EQ(erklaert, imMonat);  // listening changes nothing
  const Outcome text = On({"--format", "text", "day", "2", "2025-02-11", "--explain"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_NE(text.out.find("Erkl\xC3\xA4rung:\n"), std::string::npos) << text.out;
}

TEST_F(AccountOnDemo, AccountAndDayLeaveTheFolderAsItWas) {
  const auto before = Files(folder->Path());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"account", "3", "2025", "1"},
        {"account", "3", "2024", "12", "--day", "28"},
        {"--format", "text", "account", "4", "2025", "3"},
        {"day", "6", "2025-03-03", "--explain"},
        {"account", "2", "2019", "1"}}) {
    On(args);
  }
  EXPECT_EQ(Files(folder->Path()), before);
}

TEST_F(AccountOnDemo, RecalculationStoresOnceThenChangesNothing) {
  testing::TempFolder kopie;
  std::filesystem::copy(
      folder->Path(), kopie.Path(),
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  const Outcome lauf = On(kopie.Path(), {"recalc", "2", "2025-01-01", "2025-02-28"});
  EXPECT_NE(lauf.err.find("quorvane: wrote "), std::string::npos) << lauf.err;
  const Json erste = Parsed(lauf);
  EXPECT_FALSE(erste["Geaendert"].empty());
  for (const Json& m : erste["Geaendert"]) EXPECT_EQ(m["PersNr"], 2);
  const Json zweite = Parsed(On(kopie.Path(), {"recalc", "2", "2025-01-01", "2025-02-28"}));
  EXPECT_EQ(zweite["Geaendert"], Json::array());
  // What was stored is what the accounting in memory computes.
  const Json gespeichert = Parsed(On(kopie.Path(), {"month", "2025", "2", "2"}));
  const Json gerechnet = Parsed(On(kopie.Path(), {"account", "2", "2025", "2"}));
  EXPECT_NE(gespeichert["BerechnetBis"], 0);
  EXPECT_EQ(gespeichert["MonSaldo"], gerechnet["Monat"]["MonSaldo"]);
  EXPECT_TRUE(std::filesystem::exists(kopie.Path() + "AUFREORG.DAT"));

  const Json alle = Parsed(On(kopie.Path(), {"recalc", "--all", "2025-02-01", "2025-02-28"}));
  EXPECT_EQ(alle["Fehler"], Json::array());
  EXPECT_GE(alle["Personen"], 7);

  // A person that does not exist changes nothing and ends with its message.
  const Outcome fehlt = On(kopie.Path(), {"recalc", "77", "2025-01-01", "2025-02-28"});
  EXPECT_EQ(fehlt.code, kExitDataError);
  EXPECT_NE(fehlt.err.find("0 new files, 0 files changed"), std::string::npos) << fehlt.err;
  EXPECT_NE(fehlt.err.find("quorvane: no person 77"), std::string::npos) << fehlt.err;
}

TEST_F(AccountOnDemo, BadInputEndsWithAMessage) {
  const struct {
    std::vector<std::string> args;
    int code;
    const char* message;
  } cases[] = {
      {{"account", "77", "2025", "2"}, kExitDataError, "no person 77"},
      {{"day", "77", "2025-02-03"}, kExitDataError, "no person 77"},
      {{"account", "2", "2019", "1"}, kExitDataError, "Monat vor Zeiterfassungsbeginn"},
      {{"account", "2", "2019", "1", "--day", "5"}, kExitDataError, "Monat vor 2024"},
      {{"account", "2", "2099", "1"}, kExitDataError, "Monat nach"},
      {{"day", "3", "2024-02-05"}, kExitDataError, "Monat vor Zeiterfassungsbeginn"},
      {{"day", "2", "2025-02-30"}, kExitUsageError, "DATE: no date of the form YYYY-MM-DD"},
      {{"account", "2", "2025", "2", "--until", "2025-02-31"}, kExitUsageError, "--until"},
      {{"account", "2", "2025", "2", "--day", "32"}, kExitUsageError, "--day"},
      {{"recalc", "2"}, kExitUsageError, "FROM"},
      {{"recalc", "2", "2025-13-01"}, kExitUsageError, "FROM: no date"},
      {{"recalc", "2", "2025-02-01", "2025-01-01"}, kExitUsageError, "TO: lies before FROM"},
      {{"recalc", "0", "2025-02-01"}, kExitUsageError, "PERSON: no person number"},
      {{"recalc", "--all", "2", "2025-02-01"}, kExitUsageError, "FROM: no date"},
  };
  for (const auto& c : cases) {
    std::string label;
    for (const std::string& a : c.args) label += a + " ";
    SCOPED_TRACE(label);
    const Outcome r = On(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.rfind("quorvane: ", 0), 0u) << r.err;
  }
}

}  // namespace
}  // namespace qrv::tool
