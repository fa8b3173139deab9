// Proves TableLocale against the Windows locale it stands in for, in one process under Wine with
// the German locale: the conversions and case mappings byte for byte, the month names, and the
// comparison in sign on a table of texts people type and on pseudo-random pairs. Prints every
// mismatch and a summary per part; exits non-zero when anything disagrees.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/table_locale.h"

namespace {

qrv::platform::TableLocale table;
long failures = 0;

std::string Hex(std::string_view s) {
  std::string r;
  char buf[4];
  for (unsigned char c : s) {
    std::snprintf(buf, sizeof buf, "%02X", c);
    r += buf;
  }
  return r.empty() ? "(empty)" : r;
}

std::string AllBytes() {
  std::string s(256, '\0');
  for (int i = 0; i < 256; ++i) s[i] = static_cast<char>(i);
  return s;
}

void CheckBytes(const char* what, const std::string& ours, const std::string& windows) {
  long bad = 0;
  for (int i = 0; i < 256; ++i) {
    if (ours[i] == windows[i]) continue;
    std::printf("MISMATCH %s byte %02X: ours %02X, Windows %02X\n", what, i,
                static_cast<unsigned char>(ours[i]), static_cast<unsigned char>(windows[i]));
    ++bad;
  }
  std::printf("%s: 256 bytes, %ld mismatches\n", what, bad);
  failures += bad;
}

void CheckTables() {
  const std::string all = AllBytes();
  std::string ours(256, '\0'), windows(256, '\0');
  table.ConvertAnsiToOem(all.data(), ours.data(), 256);
  CharToOemBuffA(all.data(), windows.data(), 256);
  CheckBytes("ConvertAnsiToOem", ours, windows);
  table.ConvertOemToAnsi(all.data(), ours.data(), 256);
  OemToCharBuffA(all.data(), windows.data(), 256);
  CheckBytes("ConvertOemToAnsi", ours, windows);
  windows = all;
  CharUpperBuffA(windows.data(), 256);
  CheckBytes("UpperCase", table.UpperCase(all), windows);
  windows = all;
  CharLowerBuffA(windows.data(), 256);
  CheckBytes("LowerCase", table.LowerCase(all), windows);
}

void CheckMonths() {
  long bad = 0;
  for (int m = 1; m <= 12; ++m) {
    char name[80] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + m - 1, name, sizeof name);
    if (table.ShortMonthName(m) == name) continue;
    std::printf("MISMATCH month %d: ours %s, Windows %s\n", m, Hex(table.ShortMonthName(m)).c_str(),
                Hex(name).c_str());
    ++bad;
  }
  std::printf("ShortMonthName: 12 months, %ld mismatches\n", bad);
  failures += bad;
}

int WindowsSign(std::string_view a, std::string_view b) {
  int r = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                         b.data(), static_cast<int>(b.size()));
  return r - CSTR_EQUAL;  // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3
}

int Sign(int v) {
  return (v > 0) - (v < 0);
}

// Compares one pair both ways; counts the outcome by Windows' sign (index 0: less).
bool ComparePair(std::string_view a, std::string_view b, long counts[3]) {
  int windows = WindowsSign(a, b);
  int ours = Sign(table.CompareText(a, b));
  if (windows >= -1 && windows <= 1) ++counts[windows + 1];
  if (ours == windows) return true;
  std::printf("MISMATCH compare %s : %s ours %d, Windows %d\n", Hex(a).c_str(), Hex(b).c_str(),
              ours, windows);
  return false;
}

struct Pair {
  const char* a;
  const char* b;
};

// Names, streets, codes and edge cases as they occur in stored data.
const Pair kPairs[] = {
    {"arger", "\xC4rger"},
    {"\xC4rger", "Mueller"},
    {"Mueller", "M\xFCller"},
    {"M\xFCller", "Muller"},
    {"M\xFCller", "Mylius"},
    {"M\xD6LLER", "m\xF6ller"},
    {"\xD6zt\xFCrk", "Ozturk"},
    {"\xFC", "ue"},
    {"Stra\xDF"
     "e",
     "Strasse"},
    {"Stra\xDF"
     "e",
     "STRASSE"},
    {"Hauptstr.",
     "Hauptstra\xDF"
     "e"},
    {"Hauptstr. 5", "Hauptstr 5"},
    {"Gro\xDF", "Gross"},
    {"Gro\xDF", "Grot"},
    {"Ma\xDF", "Masse"},
    {"co-op", "coop"},
    {"co-op", "cop"},
    {"O'Brien", "OBrien"},
    {"O'Brien", "Obrist"},
    {"M\xFCller-L\xFC"
     "denscheidt",
     "M\xFCllerL"},
    {"a2", "a10"},
    {"A-10", "A10"},
    {"A-10", "A/10"},
    {"A 10", "A10"},
    {"10/2023", "10-2023"},
    {"K-12/3", "K12/3"},
    {"R&D", "RD"},
    {"R&D", "R D"},
    {"", ""},
    {"", "a"},
    {"", "-"},
    {"", " "},
    {"-", "'"},
    {"Meier", "Meier "},
    {"Meier", "Meierhof"},
    {"abc", "ab"},
    {"\xC4", "A"},
    {"\xE4", "\xC4"},
    {"\xE6", "ae"},
    {"\x8C", "OE"},
    {"\xDE", "th"},
    {"\xB2", "2"},
    {"\xAA", "a"},
    {"\x96", "-"},
    {"a\x96"
     "b",
     "a-b"},
    {"\x80", "E"},
    {"Zoe", "Zo\xEB"},
    {"Jos\xE9", "Jose"},
    {"\xC5"
     "berg",
     "Aberg"},
    {"\xC5"
     "berg",
     "\xC4"
     "berg"},
    {"Tab\t", "Tab "},
    {"a\x01"
     "b",
     "ab"},
    {"a\xAD"
     "b",
     "ab"},
};

void CheckPairTable() {
  long counts[3] = {}, bad = 0, n = 0;
  for (const Pair& p : kPairs) {
    bad += !ComparePair(p.a, p.b, counts);
    bad += !ComparePair(p.b, p.a, counts);
    n += 2;
  }
  std::printf("CompareText fixed table: %ld pairs, %ld mismatches\n", n, bad);
  failures += bad;
}

// splitmix64: a fixed sequence on every platform.
struct Random {
  uint64_t state;
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }
};

std::string RandomWord(Random& rng, std::string_view alphabet, size_t max_len) {
  std::string w(rng.Below(max_len + 1), '\0');
  for (char& c : w) c = alphabet[rng.Below(alphabet.size())];
  return w;
}

// A word close to w, so that pairs also differ only in accents, case, punctuation or length.
std::string Mutate(Random& rng, std::string w, std::string_view alphabet) {
  size_t pos = rng.Below(w.size() + 1);
  char c = alphabet[rng.Below(alphabet.size())];
  switch (rng.Below(4)) {
    case 0:
      if (pos < w.size()) w[pos] = c;
      break;
    case 1:
      w.insert(pos, 1, c);
      break;
    case 2:
      if (pos < w.size()) w.erase(pos, 1);
      break;
    default:
      w = table.UpperCase(w);
  }
  return w;
}

void CheckRandom(const char* what, std::string_view alphabet, long pairs, uint64_t seed) {
  Random rng{seed};
  long counts[3] = {}, bad = 0;
  for (long i = 0; i < pairs; ++i) {
    std::string a = RandomWord(rng, alphabet, 8);
    std::string b = rng.Below(2) ? Mutate(rng, a, alphabet) : RandomWord(rng, alphabet, 8);
    bad += !ComparePair(a, b, counts);
  }
  std::printf(
      "CompareText %s: %ld pairs (Windows: %ld less, %ld equal, %ld greater), %ld mismatches\n",
      what, pairs, counts[0], counts[1], counts[2], bad);
  failures += bad;
}

}  // namespace

int main() {
  std::printf("code pages: ANSI %u, OEM %u\n", GetACP(), GetOEMCP());
  CheckTables();
  CheckMonths();
  CheckPairTable();
  CheckRandom("words",
              "aAeEoOsSuUzZ\xE4\xC4\xF6\xD6\xFC\xDC\xDF"
              "0129 -'./&",
              200000, 1);
  CheckRandom("all bytes", AllBytes(), 100000, 2);
  std::printf("%s: %ld mismatches in all\n", failures == 0 ? "PASS" : "FAIL", failures);
  return failures == 0 ? 0 : 1;
}
