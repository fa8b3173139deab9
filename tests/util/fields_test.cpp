#include "util/fields.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(GetFieldTest, SplitsAtTheSeparator) {
  const struct {
    const char* text;
    int n;
    char sep;
    const char* expected;
  } cases[] = {
      {"a,b,c", 3, ',', "c"}, {"a,b,c", 4, ',', ""},    {"a;;c", 2, ';', ""},
      {"a;;c", 3, ';', "c"},  {"a,b,c", 1, ',', "a"},   {"abc", 1, ',', "abc"},
      {"", 1, ',', ""},       {"a,", 2, ',', ""},       {"a,b", 0, ',', ""},
      {"a,b", -1, ',', ""},   {"a;b,c", 2, ';', "b,c"}, {",x", 1, ',', ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetField(c.text, c.n, c.sep), c.expected) << c.text << " field " << c.n;
  }
}

TEST(GetFieldTest, DefaultOnlyForEmptyFields) {
  EXPECT_EQ(GetFieldDef("a;;c", 2, ';', "d"), "d");
  EXPECT_EQ(GetFieldDef("a;;c", 4, ';', "d"), "d");
  EXPECT_EQ(GetFieldDef("a;b;c", 2, ';', "d"), "b");
}

TEST(GetFieldTest, BooleanLetters) {
  const struct {
    const char* label;
    const char* text;
    bool def;
    bool expected;
  } cases[] = {
      {"J", "x;J", false, true},
      {"n", "x;n", true, false},
      {"ja", "x;ja", false, true},
      {"Yes", "x;Yes", false, true},
      {"t", "x;t", false, true},
      {"W", "x;W", false, true},
      {"w", "x;w", false, true},
      {"1", "x;1", false, true},
      {"0", "x;0", true, false},
      {"F", "x;F", true, false},
      {"blank first", "x; J", true, false},
      {"empty, default true", "x;", true, true},
      {"empty, default false", "x;", false, false},
      {"missing, default true", "x", true, true},
  };
  for (const auto& c : cases) EXPECT_EQ(GetFieldBool(c.text, 2, ';', c.def), c.expected) << c.label;
}

TEST(GetFieldTest, IntegersFallBackToTheDefault) {
  const struct {
    const char* label;
    const char* text;
    int32_t expected;
  } cases[] = {
      {"number", "a,42", 42},
      {"negative", "a,-7", -7},
      {"hex", "a,$1F", 31},
      {"letters", "a,x", 5},
      {"trailing garbage", "a,5x", 5},
      {"leading blank", "a, 5", 5},
      {"overflow", "a,2147483648", 5},
      {"empty", "a,", 5},
      {"missing", "a", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(GetFieldInt(c.text, 2, ',', 5), c.expected) << c.label;
}

TEST(GetFieldTest, FloatsUseTheLocalesDecimalSeparator) {
  const struct {
    const char* label;
    char decimal;
    const char* text;
    double expected;
  } cases[] = {
      {"decimal comma", ',', "x;1,5", 1.5},
      {"negative", ',', "x;-0,25", -0.25},
      {"no whole part", ',', "x;,5", 0.5},
      {"whole number", ',', "x;3", 3},
      {"exponent", ',', "x;1,5E3", 1500},
      {"point is no separator with the comma", ',', "x;1.5", 9},
      {"decimal point", '.', "x;1.5", 1.5},
      {"negative with the point", '.', "x;-0.25", -0.25},
      {"exponent with the point", '.', "x;2.5e-1", 0.25},
      {"comma is no separator with the point", '.', "x;1,5", 9},
      {"empty", ',', "x;", 9},
      {"missing", ',', "x", 9},
      {"beyond double", ',', "x;1E400", 9},
      {"blank", ',', "x; 1", 9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetFieldFloat(c.text, 2, ';', 9, c.decimal), c.expected) << c.label;
  }
}

TEST(GetFieldTest, TimesFallBackInsteadOfRaising) {
  const double def = -999;
  EXPECT_EQ(GetFieldTime("Pause;0:30", 2, ';', def), 30 / 1440.0);
  EXPECT_EQ(GetFieldTime("Pause;-1,5", 2, ';', def), -63 / 1440.0);
  EXPECT_EQ(GetFieldTime("Pause;halb", 2, ';', def), def);
  EXPECT_EQ(GetFieldTime("Pause;", 2, ';', def), def);
  EXPECT_EQ(GetFieldTime("Pause", 2, ';', def), def);
}

TEST(LeftRightCharsTest, CutOrKeepTheWholeText) {
  const struct {
    int n;
    const char* left;
    const char* right;
  } cases[] = {{2, "ab", "ef"},
               {6, "abcdef", "abcdef"},
               {10, "abcdef", "abcdef"},
               {0, "", ""},
               {-3, "", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(LeftChars("abcdef", c.n), c.left) << c.n;
    EXPECT_EQ(RightChars("abcdef", c.n), c.right) << c.n;
  }
}

}  // namespace
}  // namespace qrv
