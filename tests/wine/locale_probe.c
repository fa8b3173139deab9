/* Dumps what the German Windows locale answers about code page 1252 text, as input for
 * gen_locale_tables.py: the code pages, the ANSI/OEM conversions and case mappings of every byte,
 * the short month names, and the case-insensitive sort keys and comparisons that the portable
 * comparison's weights are derived from. Every value is printed as hex, one record a line. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static void PrintHex(const char* tag, const unsigned char* p, int n) {
  printf("%s ", tag);
  for (int i = 0; i < n; ++i) printf("%02x", p[i]);
  printf("\n");
}

static void PrintTable(const char* tag, BOOL(WINAPI* convert)(LPCSTR, LPSTR, DWORD)) {
  unsigned char in[256], out[256];
  for (int i = 0; i < 256; ++i) in[i] = (unsigned char)i;
  convert((LPCSTR)in, (LPSTR)out, 256);
  PrintHex(tag, out, 256);
}

static void PrintCase(const char* tag, DWORD(WINAPI* convert)(LPSTR, DWORD)) {
  unsigned char buf[256];
  for (int i = 0; i < 256; ++i) buf[i] = (unsigned char)i;
  convert((LPSTR)buf, 256);
  PrintHex(tag, buf, 256);
}

static void PrintSortKey(const char* text, int n) {
  unsigned char key[1024];
  int len = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text, n, (LPSTR)key,
                         sizeof key);
  PrintHex("KEYOF", (const unsigned char*)text, n);
  PrintHex("KEY", key, len);
}

/* Texts whose keys show how several characters combine: expansions, ignored punctuation at
 * different positions, diacritics at the end. */
static const char* const kTexts[] = {
    "co-op",
    "coop",
    "cop",
    "a-b",
    "-ab",
    "ab-",
    "a--b",
    "a'b",
    "a-'b",
    "a'-b",
    "\xDF",
    "ss",
    "s\xDF",
    "\xE4",
    "a\xE4",
    "\xE4"
    "a",
    "aa",
    "a2",
    "a10",
    "Stra\xDF"
    "e",
    "Strasse",
    "M\xFCller",
    "Mueller",
    "a-\xE4",
    "\xE6",
    "ae",
    "a b",
    "a.b",
    "a/b",
    "a&b",
    "\x96",
    "a\x96"
    "b",
    "a\x01"
    "b",
    "ab\x01",
    "\x01",
    "a\xAD"
    "b",
    "\x8C",
    "\x9C"
    "e",
    "\x85",
    "\x99",
    "\x80",
    "\xBD",
};

int main(void) {
  printf("ACP %u\nOEMCP %u\n", GetACP(), GetOEMCP());
  PrintTable("ANSI2OEM", CharToOemBuffA);
  PrintTable("OEM2ANSI", OemToCharBuffA);
  PrintCase("UPPER", CharUpperBuffA);
  PrintCase("LOWER", CharLowerBuffA);
  for (int m = 0; m < 12; ++m) {
    char name[80];
    int len = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + m, name, sizeof name);
    PrintHex("MONTH", (const unsigned char*)name, len > 0 ? len - 1 : 0);
  }
  for (int c = 0; c < 256; ++c) {
    char ch = (char)c;
    PrintSortKey(&ch, 1);
  }
  for (size_t i = 0; i < sizeof kTexts / sizeof kTexts[0]; ++i)
    PrintSortKey(kTexts[i], (int)strlen(kTexts[i]));
  /* The comparison of every pair of single bytes, one row per first byte: '<', '=' or '>'. */
  for (int a = 0; a < 256; ++a) {
    char row[257];
    for (int b = 0; b < 256; ++b) {
      char ca = (char)a, cb = (char)b;
      int r = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, &ca, 1, &cb, 1);
      row[b] = r == CSTR_LESS_THAN      ? '<'
               : r == CSTR_EQUAL        ? '='
               : r == CSTR_GREATER_THAN ? '>'
                                        : '!';
    }
    row[256] = 0;
    printf("CMP %02x %s\n", a, row);
  }
  return 0;
}
