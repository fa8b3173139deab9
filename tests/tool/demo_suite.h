// A demo installation of a given number of persons, dated 15 March 2025, written once for a test
// suite, and quorvane run in-process on it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "demo_gen.h"
#include "output/format.h"
#include "run_quorvane.h"
#include "support/temp_folder.h"
#include "util/datetime.h"

namespace qrv::tool {

template <int Persons>
class DemoSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new testing::TempFolder;
    DemoOptions o;
    o.persons = Persons;
    o.today = EncodeDate(2025, 3, 15);
    WriteDemo(folder->Path(), o);
  }
  static void TearDownTestSuite() {
    delete folder;
    folder = nullptr;
  }
  // quorvane with --data naming the installation in data (the suite's by default).
  static Outcome On(const std::string& data, std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", data});
    return Quorvane(args);
  }
  static Outcome On(std::vector<std::string> args) { return On(folder->Path(), std::move(args)); }
  // The JSON a successful run printed; null (and a failure) otherwise.
  static Json Parsed(const Outcome& r) {
    EXPECT_EQ(r.code, 0) << r.err;
    return r.code == 0 ? Json::parse(r.out) : Json();
  }
  static Json Parsed(std::vector<std::string> args) { return Parsed(On(std::move(args))); }

  static inline testing::TempFolder* folder = nullptr;
};

}  // namespace qrv::tool
