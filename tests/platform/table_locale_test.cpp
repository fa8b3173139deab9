// The portable German locale against values known by hand. Its agreement with Windows for every
// byte and for a large set of comparisons is proven under Wine by tests/wine/locale_proof.
#include "platform/table_locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace qrv::platform {
namespace {

struct ByteCase {
  const char* label;
  unsigned char from;
  unsigned char to;
};

std::string Hex(unsigned char c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", c);
  return buf;
}

TEST(TableLocaleTest, AnsiToOemMapsKnownBytes) {
  const ByteCase cases[] = {
      {"a umlaut", 0xE4, 0x84}, {"A umlaut", 0xC4, 0x8E},     {"o umlaut", 0xF6, 0x94},
      {"O umlaut", 0xD6, 0x99}, {"u umlaut", 0xFC, 0x81},     {"U umlaut", 0xDC, 0x9A},
      {"sharp s", 0xDF, 0xE1},  {"section sign", 0xA7, 0xF5}, {"ASCII letter", 'A', 'A'},
      {"NUL", 0x00, 0x00},
  };
  TableLocale locale;
  for (const ByteCase& c : cases) {
    char out = 0;
    const char in = static_cast<char>(c.from);
    locale.ConvertAnsiToOem(&in, &out, 1);
    EXPECT_EQ(Hex(static_cast<unsigned char>(out)), Hex(c.to)) << c.label;
  }
}

TEST(TableLocaleTest, OemToAnsiMapsKnownBytes) {
  const ByteCase cases[] = {
      {"u umlaut", 0x81, 0xFC},  {"a umlaut", 0x84, 0xE4}, {"A umlaut", 0x8E, 0xC4},
      {"O umlaut", 0x99, 0xD6},  {"U umlaut", 0x9A, 0xDC}, {"sharp s", 0xE1, 0xDF},
      {"ASCII digit", '7', '7'},
  };
  TableLocale locale;
  for (const ByteCase& c : cases) {
    char out = 0;
    const char in = static_cast<char>(c.from);
    locale.ConvertOemToAnsi(&in, &out, 1);
    EXPECT_EQ(Hex(static_cast<unsigned char>(out)), Hex(c.to)) << c.label;
  }
}

TEST(TableLocaleTest, ConvertsInPlaceAndIntoOverlappingBuffers) {
  TableLocale locale;
  std::string text =
      "Gr\xFC\xDF"
      "e \xC4rger";
  const std::string oem =
      "Gr\x81\xE1"
      "e \x8E"
      "rger";

  std::string in_place = text;
  locale.ConvertAnsiToOem(in_place.data(), in_place.data(), in_place.size());
  EXPECT_EQ(in_place, oem);
  locale.ConvertOemToAnsi(in_place.data(), in_place.data(), in_place.size());
  EXPECT_EQ(in_place, text);

  // The result lands one byte further on in the same buffer: no byte is read after it was
  // overwritten.
  std::string shifted = text + '#';
  locale.ConvertAnsiToOem(shifted.data(), shifted.data() + 1, text.size());
  EXPECT_EQ(shifted.substr(1), oem);
}

TEST(TableLocaleTest, CaseMappingsCoverUmlautsAndLeaveSharpSAlone) {
  TableLocale locale;
  EXPECT_EQ(locale.UpperCase("m\xFCller \xE4\xF6\xFC\xDF \xFF\x9A"),
            "M\xDCLLER \xC4\xD6\xDC\xDF \x9F\x8A");
  EXPECT_EQ(locale.LowerCase("M\xDCLLER \xC4\xD6\xDC\xDF \x9F\x8A"),
            "m\xFCller \xE4\xF6\xFC\xDF \xFF\x9A");
  // Multiplication and division signs sit among the letters but have no case.
  EXPECT_EQ(locale.UpperCase("\xF7"), "\xF7");
  EXPECT_EQ(locale.LowerCase("\xD7"), "\xD7");
}

struct CompareCase {
  const char* label;
  const char* a;
  const char* b;
  int sign;
};

int Sign(int v) {
  return (v > 0) - (v < 0);
}

TEST(TableLocaleTest, CompareTextFollowsGermanCollation) {
  const CompareCase cases[] = {
      {"umlaut after its base letter", "arger", "\xC4rger", -1},
      {"umlaut counts as its base letter first", "\xC4rger", "Mueller", -1},
      {"u umlaut is not ue", "Mueller", "M\xFCller", -1},
      {"accent only decides when letters tie", "Muller", "M\xFCller", -1},
      {"sharp s equals ss",
       "Stra\xDF"
       "e",
       "Strasse", 0},
      {"case is ignored", "M\xDCLLER", "m\xFCller", 0},
      {"hyphen decides only last", "co-op", "coop", 1},
      {"hyphen ignored before letters", "co-op", "cop", -1},
      {"apostrophe ignored before letters", "O'Brien", "Obrist", -1},
      {"digits compare as characters", "a2", "a10", 1},
      {"space is a symbol before letters", "Meier Hans", "Meierhof", -1},
      {"prefix first", "Meier", "Meierhof", -1},
      {"empty texts are equal", "", "", 0},
      {"empty before letters", "", "a", -1},
      {"empty before a lone hyphen", "", "-", -1},
      {"soft hyphen ignored",
       "a\xAD"
       "b",
       "ab", 0},
  };
  TableLocale locale;
  for (const CompareCase& c : cases) {
    EXPECT_EQ(Sign(locale.CompareText(c.a, c.b)), c.sign) << c.label;
    EXPECT_EQ(Sign(locale.CompareText(c.b, c.a)), -c.sign) << c.label << " (swapped)";
  }
}

TEST(TableLocaleTest, SortsNamesInGermanOrder) {
  TableLocale locale;
  std::vector<std::string> names = {"Zander", "\xD6l",   "M\xFCller", "Arm",
                                    "Muller", "Mueller", "Ober",      "\xC4rger"};
  std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return locale.CompareText(a, b) < 0;
  });
  const std::vector<std::string> expected = {"\xC4rger",  "Arm",  "Mueller", "Muller",
                                             "M\xFCller", "Ober", "\xD6l",   "Zander"};
  EXPECT_EQ(names, expected);
}

TEST(TableLocaleTest, EveryByteHasAnOrderConsistentWithItself) {
  // Single bytes, including control characters and the unassigned 0x81..0x9F area, must form a
  // consistent order: antisymmetric, and equal to themselves.
  TableLocale locale;
  for (int a = 0; a < 256; ++a) {
    const std::string sa(1, static_cast<char>(a));
    ASSERT_EQ(locale.CompareText(sa, sa), 0) << Hex(static_cast<unsigned char>(a));
    for (int b = 0; b < 256; ++b) {
      const std::string sb(1, static_cast<char>(b));
      ASSERT_EQ(Sign(locale.CompareText(sa, sb)), -Sign(locale.CompareText(sb, sa)))
          << Hex(static_cast<unsigned char>(a)) << " vs " << Hex(static_cast<unsigned char>(b));
    }
  }
}

TEST(TableLocaleTest, ShortMonthNamesAreTheGermanOnes) {
  TableLocale locale;
  const char* const expected[] = {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun",
                                  "Jul", "Aug", "Sep",    "Okt", "Nov", "Dez"};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(locale.ShortMonthName(m), expected[m - 1]) << m;
  EXPECT_EQ(locale.ShortMonthName(0), "");
  EXPECT_EQ(locale.ShortMonthName(13), "");
}

}  // namespace
}  // namespace qrv::platform
