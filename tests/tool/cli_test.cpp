// quorvane run in-process: exit code 2 with a clear message for every usage error, 1 for a data
// error, the common options before or after the subcommand, and a month never accounted shown
// with BerechnetAm null.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "demo_gen.h"
#include "demo_suite.h"
#include "output/format.h"
#include "run_quorvane.h"
#include "support/own_system_folders.h"
#include "support/temp_folder.h"
#include "util/datetime.h"

namespace qrv::tool {
namespace {

const testing::OwnSystemFolders kOwnSystemFolders;

TEST(QuorvaneUsage, OutOfRangeAndMalformedArgumentsExitWith2) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"person", "0"}, "PERSON: Value 0 not in range 1 to 9999"},
      {{"person", "10000"}, "PERSON: Value 10000 not in range 1 to 9999"},
      {{"person", "zwei"}, "PERSON"},
      {{"month", "2026", "13", "1"}, "MONTH: Value 13 not in range 1 to 12"},
      {{"month", "10000", "1", "1"}, "YEAR: Value 10000 not in range 1 to 9999"},
      {{"month", "2026", "1"}, "PERSON is required"},
      {{"model", "1000"}, "is no model number (1 to 999 or 9000)"},
      {{"model", "0"}, "is no model number"},
      {{"model", "1", "--date", "2025-02-30"}, "--date: no date of the form YYYY-MM-DD"},
      {{"model", "1", "--date", "2025-3-1x"}, "--date: no date of the form YYYY-MM-DD"},
      {{"calc-template", "0"}, "TEMPLATE: Value 0 not in range 1 to 9999"},
      {{"plan-template", "10000"}, "TEMPLATE: Value 10000 not in range 1 to 9999"},
      {{"plan", "2026", "1", "10000"}, "PLAN"},
      {{"plan", "2026", "1", "100000"}, "PLAN"},
      {{"holidays", "0"}, "YEAR: Value 0 not in range 1 to 9999"},
      {{"persons", "--order", "7"}, "--order"},
      {{"demo", "/nowhere", "--persons", "0"}, "--persons"},
      {{"--format", "xml", "config"}, "--format"},
      {{"config", "--format", "xml"}, "--format"},
      {{}, "A subcommand is required"},
      {{"monthly", "2026"}, "no subcommand monthly"},
  };
  for (const auto& c : cases) {
    std::string label;
    for (const std::string& a : c.args) label += a + " ";
    SCOPED_TRACE(label);
    const Outcome r = Quorvane(c.args);
    EXPECT_EQ(r.code, kExitUsageError);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.rfind("quorvane: ", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(QuorvaneUsage, HelpExitsWith0) {
  const Outcome r = Quorvane({"month", "--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("PERSON"), std::string::npos);
  EXPECT_NE(r.out.find("1 to 9999"), std::string::npos);
}

class QuorvaneOnDemo : public DemoSuite<3> {};

TEST_F(QuorvaneOnDemo, MissingTemplateIsADataError) {
  const Outcome r = On({"calc-template", "77"});
  EXPECT_EQ(r.code, kExitDataError);
  EXPECT_EQ(r.err, "quorvane: Berechnungsvorlage 77 nicht gefunden\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(QuorvaneOnDemo, MissingDataFolderIsADataError) {
  const Outcome r = Quorvane({"--data", folder->Path() + "fehlt", "config"});
  EXPECT_EQ(r.code, kExitDataError);
  EXPECT_EQ(r.err.rfind("quorvane: ", 0), 0u) << r.err;
  EXPECT_EQ(r.err.find('\r'), std::string::npos);
}

TEST_F(QuorvaneOnDemo, MonthNeverAccountedHasNoDate) {
  const Outcome r = On({"month", "2025", "3", "2"});
  ASSERT_EQ(r.code, 0) << r.err;
  const Json j = Json::parse(r.out);
  EXPECT_TRUE(j["BerechnetAm"].is_null());
  EXPECT_EQ(j["BerechnetBis"], 0);
  const Outcome t = On({"month", "2025", "3", "2", "--format", "text"});
  EXPECT_NE(t.out.find("\nBerechnetAm:\n"), std::string::npos);
  EXPECT_EQ(t.out.find("1899"), std::string::npos);
}

TEST_F(QuorvaneOnDemo, CommonOptionsBeforeOrAfterTheSubcommand) {
  const Outcome before = Quorvane({"--data", folder->Path(), "--format", "text", "person", "2"});
  const Outcome after = Quorvane({"person", "2", "--format", "text", "--data", folder->Path()});
  ASSERT_EQ(before.code, 0) << before.err;
  EXPECT_EQ(after.code, 0) << after.err;
  EXPECT_EQ(before.out, after.out);
  EXPECT_EQ(before.out.rfind("PersNr: 2\nAusweisNr: 10002\n", 0), 0u) << before.out;
}

// The rotating template's calendar changes model from week to week; every day names the version
// that model 4 (night shift) or model 1 has, not what another day's model left behind.
TEST_F(QuorvaneOnDemo, EveryPlanDayNamesItsOwnModelVersion) {
  const Outcome plan = On({"plan", "2025", "3", "100001"});
  ASSERT_EQ(plan.code, 0) << plan.err;
  std::map<int, std::string> names;
  for (int m : {1, 4}) {
    const Outcome model = On({"model", std::to_string(m)});
    ASSERT_EQ(model.code, 0) << model.err;
    names[m] = Json::parse(model.out)["Versionen"][0]["Name"];
  }
  std::set<int> seen;
  const Json tage = Json::parse(plan.out)["Tage"];
  for (const Json& tag : tage) {
    const int modell = tag["Profil"]["Modell"];
    ASSERT_TRUE(names.count(modell)) << tag.dump();
    EXPECT_EQ(tag["Profil"]["Name"], names[modell]) << tag.dump();
    seen.insert(modell);
  }
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(QuorvaneOnDemo, TextShowsNoRecordAsJson) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"persons"},
                                               {"holidays", "2025"},
                                               {"model", "4"},
                                               {"plan", "2025", "3", "2"},
                                               {"calc-template", "1"},
                                               {"config"}}) {
    SCOPED_TRACE(args[0]);
    std::vector<std::string> text = args;
    text.push_back("--format=text");
    const Outcome r = On(text);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find('{'), std::string::npos);
    EXPECT_EQ(r.out.find("\":"), std::string::npos);
  }
}

}  // namespace
}  // namespace qrv::tool
