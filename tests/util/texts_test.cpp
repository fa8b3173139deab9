#include "util/texts.h"

#include <gtest/gtest.h>

#include <climits>

#include "util/errors.h"

namespace qrv {
namespace {

TEST(StrToIntTest, HostRuntimeIntegerRules) {
  const struct {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"-42", true, -42},
      {"+42", true, 42},
      {"007", true, 7},
      {"2147483647", true, INT32_MAX},
      {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999999", false, 0},
      {"$FF", true, 255},
      {"0x1f", true, 31},
      {"0XFF", true, 255},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"$80000000", true, INT32_MIN},
      {"$100000000", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"$G", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"12a", false, 0},
      {"--1", false, 0},
      {"1.5", false, 0},
      {"1,5", false, 0},
  };
  for (const auto& c : cases) {
    int32_t value = 12345;
    EXPECT_EQ(TryStrToInt(c.text, &value), c.ok) << "'" << c.text << "'";
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
    EXPECT_EQ(StrToIntDef(c.text, -9), c.ok ? c.value : -9) << c.text;
  }
}

TEST(StrToFloatTest, TheGermanCommaOnly) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1,5", true, 1.5},    {"-2", true, -2},        {"+0,75", true, 0.75}, {",5", true, 0.5},
      {"5,", true, 5},       {"1,5e-2", true, 0.015}, {"2E3", true, 2000},   {"1.5", false, 0},
      {"1.000,5", false, 0}, {"", false, 0},          {",", false, 0},       {"-", false, 0},
      {"1e", false, 0},      {"1,5 ", false, 0},      {"inf", false, 0},     {"nan", false, 0},
      {"1E400", false, 0},   {"0x10", false, 0},      {"1,2,3", false, 0},
  };
  for (const auto& c : cases) {
    double value = 0;
    EXPECT_EQ(TryStrToFloat(c.text, ',', &value), c.ok) << "'" << c.text << "'";
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
  }
}

TEST(StrToFloatTest, AnotherLocalesSeparatorReplacesTheComma) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1.5", true, 1.5}, {".5", true, 0.5},     {"-2.25E1", true, -22.5},
      {"1,5", false, 0},  {"1,000.5", false, 0}, {"1.2.3", false, 0},
  };
  for (const auto& c : cases) {
    double value = 0;
    EXPECT_EQ(TryStrToFloat(c.text, '.', &value), c.ok) << "'" << c.text << "'";
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(ZeroPadTest, PadsAndCuts) {
  const struct {
    int32_t number;
    int width;
    const char* expected;
  } cases[] = {
      {7, 4, "0007"},
      {12345, 3, "345"},
      {-7, 4, "-007"},
      {-12345, 3, "-45"},
      {0, 1, "0"},
      {123, 0, ""},
      {-5, 1, "-"},
      {INT32_MIN, 10, "-147483648"},
      {INT32_MAX, 12, "2147483647"},
      {42, -3, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ZeroPad(c.number, c.width), c.expected) << c.number << " width " << c.width;
  }
}

TEST(HexToIntTest, DigitsWrapAndBadCharactersRaise) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {{"1A2C", 6700},   {"00000010", 16},         {"ff", 255},
               {"", 0},          {"FFFFFFFF", -1},         {"7fffffff", INT32_MAX},
               {"100000001", 1}, {"123456789", 0x23456789}};
  for (const auto& c : cases) EXPECT_EQ(HexToInt(c.text), c.value) << c.text;

  for (const char* bad : {"12G", "-1", " 1", "$FF", "0x10", "1A2C "}) {
    try {
      HexToInt(bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "Ung\xFCltige Hexadezimalzahl") << bad;
    }
  }
}

TEST(TextsTest, TrimRemovesBlanksAndControlsAtBothEnds) {
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(Trim("\x01 Fr\xFChschicht \r\n"), "Fr\xFChschicht");
  EXPECT_EQ(Trim("a  b"), "a  b");
  // 0xA0 (no-break space in 1252) is a character of the text, not a blank.
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(TextsTest, NameWithInitial) {
  EXPECT_EQ(NameWithInitial("Meier", ""), "Meier");
  EXPECT_EQ(NameWithInitial("Meier", "Fritz"), "Meier, F.");
  EXPECT_EQ(NameWithInitial("M\xFCller", "\xC4nne"), "M\xFCller, \xC4.");
}

TEST(TextsTest, BoolTexts) {
  EXPECT_EQ(BoolToTF(true), "T");
  EXPECT_EQ(BoolToTF(false), "F");
  EXPECT_EQ(BoolChar(true, "JN"), 'J');
  EXPECT_EQ(BoolChar(false, "JN"), 'N');
  EXPECT_EQ(BoolChar(false, "J"), ' ');
  EXPECT_EQ(BoolChar(true, ""), ' ');
}

// Pair characters: a pair v prints as code v + 33 up to 93; 94..99 use six codes of their own.
TEST(BarcodeTextTest, EncodesDigitPairsBetweenStartAndStop) {
  const struct {
    const char* label;
    int32_t number;
    int width;
    bool check;
    std::string expected;
  } cases[] = {
      // 0123 -> pairs 01, 23 -> codes 34, 56.
      {"0123 without check", 123, 4, false, "\xC4\x22\x38\xE4"},
      // 0123 -> 00123; 3*3 + 2*1 + 1*3 + 0 + 0 = 14, check 6 -> pairs 00, 12, 36 -> 33, 45, 69.
      {"0123 with check", 123, 4, true, "\xC4!-E\xE4"},
      // 4711 -> 04711; 1*3 + 1*1 + 7*3 + 4*1 + 0*3 = 29, check 1 -> 04, 71, 11 -> 37, 104, 44.
      {"4711 with check", 4711, 4, true, "\xC4%h,\xE4"},
      // 0055 -> 00055; 5*3 + 5*1 = 20, check (10 - 0) mod 10 = 0 -> 00, 05, 50 -> 33, 38, 83.
      {"check digit 0", 55, 4, true, "\xC4!&S\xE4"},
      // 012 is odd already: 2*3 + 1*1 + 0*3 = 7, check 3 -> 01, 23.
      {"odd count with check", 12, 3, true, "\xC4\x22\x38\xE4"},
      {"odd count without check", 5, 1, false, "\xC4&\xE4"},
      {"pair 93", 93, 2, false, "\xC4~\xE4"},
      {"pairs 94 to 96", 949596, 6, false, "\xC4\xFC\xF6\xB0\xE4"},
      {"pairs 97 to 99", 979899, 6, false, "\xC4\xD6\xDC\xDF\xE4"},
      {"minus drawn as 0", -7, 4, false, "\xC4!(\xE4"},
      {"no digits", 5, 0, false, "\xC4\xE4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BarcodeText(c.number, c.width, c.check), c.expected) << c.label;
  }
}

}  // namespace
}  // namespace qrv
