/*
 * abi_client - loads the library as the installation's programs do and calls its exports.
 *
 * Usage: abi_client LIBRARY COMMAND [ARGS...]
 *   datapath        prints "GetDataPath=[<answer>]"
 *   settings        prints the answers of the four settings exports, one per line:
 *                   GetDataPath=[..], GetPersFrei(i)=[..] for i = 0..21, GetAuswOffset=n,
 *                   GetAufOffset=n
 *   resolve NAME... looks every NAME up by its plain name and prints "NAME found" or "NAME missing"
 *   calc PERSNR VON BIS
 *                   prints "CalcZeit=b Zeit1=.. Zeit2=.. Zeit3=.. Zeit4=.." (durations h:mm)
 *   items PERSNR DATUM MODUS
 *                   begins the enumeration, prints "count=n", one line per item
 *                   "i: art von bis wert [text]", then "end=b"
 *   span PERSNR DATUM MODUS
 *                   prints "GetTagVonBis=b von=.. bis=.."
 *   hostile PERSNR DATUM
 *                   calls the calculation exports out of turn and with outputs and dates they must
 *                   refuse, and prints each answer (see CallHostile)
 *
 * A date-time argument is "yyyy-mm-dd" or "yyyy-mm-ddThh:mm", or a number of days since
 * 30 December 1899 ("nan" and "inf" included). Dates print as "yyyy-mm-dd hh:mm", a value of 0 as
 * "0", durations as "h:mm" (negative "-h:mm"); values that are not finite as the C library prints
 * them.
 *
 * Exit codes: 0 done, 2 usage, 3 the library did not load, 4 an export is missing, 5 an answer
 * broke the interface's rules.
 *
 * The same source builds on Linux (dlopen) and as a 32-bit Windows program (LoadLibraryA, and
 * GetProcAddress with the undecorated names: a stdcall export that kept its @n suffix is missing).
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "quorvane.h"

#if defined(_WIN32)
#include <windows.h>
typedef HMODULE Library;
typedef void(QRV_CALL* AnyExport)(void);

static Library OpenLibrary(const char* path) {
  return LoadLibraryA(path);
}

static AnyExport FindExport(Library library, const char* name) {
  /* One function pointer type to another, through the generic one. */
  return (AnyExport)(void (*)(void))GetProcAddress(library, name);
}

static void PrintLoadError(const char* path) {
  printf("LOAD FAILED: %s (Windows error %lu)\n", path, (unsigned long)GetLastError());
}
#else
#include <dlfcn.h>
typedef void* Library;
typedef void (*AnyExport)(void);

static Library OpenLibrary(const char* path) {
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

static AnyExport FindExport(Library library, const char* name) {
  void* symbol = dlsym(library, name);
  AnyExport function;
  /* POSIX guarantees that a data pointer from dlsym holds a function's address. */
  memcpy(&function, &symbol, sizeof function);
  return function;
}

static void PrintLoadError(const char* path) {
  const char* reason = dlerror();
  printf("LOAD FAILED: %s (%s)\n", path, reason ? reason : "unknown reason");
}
#endif

typedef void(QRV_CALL* GetDataPathFn)(char* Buffer);
typedef void(QRV_CALL* GetPersFreiFn)(int32_t Index, char* Buffer);
typedef int32_t(QRV_CALL* GetOffsetFn)(void);
typedef QrvBool(QRV_CALL* CalcZeitFn)(int32_t PersNr, QrvDateTime Von, QrvDateTime Bis,
                                      double* Zeit1, double* Zeit2, double* Zeit3, double* Zeit4);
typedef int32_t(QRV_CALL* BeginAufTagFn)(int32_t PersNr, QrvDateTime Datum, unsigned char Modus);
typedef QrvBool(QRV_CALL* GetAufTagDataFn)(int32_t Index, int32_t* Art, double* Von, double* Bis,
                                           double* Wert, char* Buffer);
typedef QrvBool(QRV_CALL* EndAufTagFn)(void);
typedef QrvBool(QRV_CALL* GetTagVonBisFn)(int32_t PersNr, double* Von, double* Bis,
                                          unsigned char Modus);

enum { kDone = 0, kUsage = 2, kLoadFailed = 3, kMissingExport = 4, kBadAnswer = 5 };

/* A buffer far larger than any path, pre-filled so that a missing terminator shows. */
#define ANSWER_SIZE 4096

static int CallGetDataPath(Library library) {
  static char answer[ANSWER_SIZE];
  GetDataPathFn getDataPath = (GetDataPathFn)FindExport(library, "GetDataPath");
  if (getDataPath == NULL) {
    printf("GetDataPath missing\n");
    return kMissingExport;
  }
  memset(answer, 'X', sizeof answer);
  getDataPath(answer);
  if (memchr(answer, 0, sizeof answer) == NULL) {
    printf("GetDataPath wrote no terminating zero\n");
    return kBadAnswer;
  }
  printf("GetDataPath=[%s]\n", answer);
  return kDone;
}

/* Calls a text export into a pre-filled buffer; 0 when it wrote no terminating zero. */
static int TextAnswerOk(const char* answer) {
  return memchr(answer, 0, ANSWER_SIZE) != NULL;
}

static int CallSettings(Library library) {
  static char answer[ANSWER_SIZE];
  GetPersFreiFn getPersFrei = (GetPersFreiFn)FindExport(library, "GetPersFrei");
  GetOffsetFn getAuswOffset = (GetOffsetFn)FindExport(library, "GetAuswOffset");
  GetOffsetFn getAufOffset = (GetOffsetFn)FindExport(library, "GetAufOffset");
  int result = CallGetDataPath(library);
  int32_t i;
  if (result != kDone) return result;
  if (getPersFrei == NULL || getAuswOffset == NULL || getAufOffset == NULL) {
    printf("settings export missing\n");
    return kMissingExport;
  }
  /* 0 and 21 lie outside the captions: the answer must still be a text. */
  for (i = 0; i <= 21; ++i) {
    memset(answer, 'X', sizeof answer);
    getPersFrei(i, answer);
    if (!TextAnswerOk(answer)) {
      printf("GetPersFrei(%d) wrote no terminating zero\n", (int)i);
      return kBadAnswer;
    }
    printf("GetPersFrei(%d)=[%s]\n", (int)i, answer);
  }
  printf("GetAuswOffset=%d\n", (int)getAuswOffset());
  printf("GetAufOffset=%d\n", (int)getAufOffset());
  return kDone;
}

/* The five calculation exports, looked up together. */
typedef struct {
  CalcZeitFn calcZeit;
  BeginAufTagFn begin;
  GetAufTagDataFn get;
  EndAufTagFn end;
  GetTagVonBisFn span;
} CalcExports;

static int FindCalcExports(Library library, CalcExports* e) {
  e->calcZeit = (CalcZeitFn)FindExport(library, "CalcZeit");
  e->begin = (BeginAufTagFn)FindExport(library, "QRVBeginAufTag");
  e->get = (GetAufTagDataFn)FindExport(library, "QRVGetAufTagData");
  e->end = (EndAufTagFn)FindExport(library, "QRVEndAufTag");
  e->span = (GetTagVonBisFn)FindExport(library, "QRVGetTagVonBis");
  if (e->calcZeit && e->begin && e->get && e->end && e->span) return kDone;
  printf("calculation export missing\n");
  return kMissingExport;
}

/* Days since 30 December 1899 of a Gregorian date (counted through eras of 400 years from
   1 March of year 0; 1 January 1970 is day 25569). */
static long DaysOf(long y, long m, long d) {
  const long a = y - (m <= 2);
  const long era = (a >= 0 ? a : a - 399) / 400;
  const long yoe = a - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 693899;
}

static void DateOf(long days, long* y, long* m, long* d) {
  const long z = days + 693899;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp + (mp < 10 ? 3 : -9);
  *y = yoe + era * 400 + (*m <= 2);
}

/* A date-time argument; 0 with *ok cleared when it is neither a date nor a number. */
static double ParseDateTime(const char* text, int* ok) {
  long y, m, d, hh = 0, mm = 0;
  char rest;
  char* end;
  double value;
  *ok = 1;
  if (sscanf(text, "%ld-%ld-%ldT%ld:%ld%c", &y, &m, &d, &hh, &mm, &rest) == 5 ||
      sscanf(text, "%ld-%ld-%ld%c", &y, &m, &d, &rest) == 3) {
    return (double)DaysOf(y, m, d) + (double)(hh * 60 + mm) / 1440.0;
  }
  value = strtod(text, &end);
  if (end == text || *end != '\0') *ok = 0;
  return value;
}

static int IsFinite(double x) {
  return x == x && x - x == 0;
}

/* x as a count of whole minutes, halves away from zero. */
static long Minutes(double x) {
  const double m = x * 1440.0;
  return (long)(m < 0 ? m - 0.5 : m + 0.5);
}

static void PrintDateTime(double t) {
  long minutes, days, y, m, d;
  if (!IsFinite(t) || t > 3e6 || t < -7e5) {
    printf("%g", t);
    return;
  }
  if (t == 0) {
    printf("0");
    return;
  }
  minutes = Minutes(t);
  days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
  DateOf(days, &y, &m, &d);
  minutes -= days * 1440;
  printf("%04ld-%02ld-%02ld %02ld:%02ld", y, m, d, minutes / 60, minutes % 60);
}

static void PrintDuration(double x) {
  long minutes;
  if (!IsFinite(x) || x > 1e6 || x < -1e6) {
    printf("%g", x);
    return;
  }
  minutes = Minutes(x);
  if (minutes < 0) {
    printf("-");
    minutes = -minutes;
  }
  printf("%ld:%02ld", minutes / 60, minutes % 60);
}

static int CallCalc(const CalcExports* e, int32_t pers, double von, double bis) {
  double z[4] = {-1, -1, -1, -1};
  int i;
  const QrvBool ok = e->calcZeit(pers, von, bis, &z[0], &z[1], &z[2], &z[3]);
  printf("CalcZeit=%d", (int)ok);
  for (i = 0; i < 4; ++i) {
    printf(" Zeit%d=", i + 1);
    PrintDuration(z[i]);
  }
  printf("\n");
  return kDone;
}

/* Prints item index of the open enumeration; 0 when the export answered false. */
static int PrintItem(const CalcExports* e, int32_t index) {
  static char text[ANSWER_SIZE];
  int32_t art = -1;
  double von = 0, bis = 0, wert = 0;
  QrvBool ok;
  memset(text, 'X', sizeof text);
  ok = e->get(index, &art, &von, &bis, &wert, text);
  if (!TextAnswerOk(text)) {
    printf("QRVGetAufTagData(%d) wrote no terminating zero\n", (int)index);
    return 0;
  }
  if (!ok) return 0;
  printf("%d: %d ", (int)index, (int)art);
  PrintDateTime(von);
  printf(" ");
  PrintDateTime(bis);
  printf(" ");
  PrintDuration(wert);
  printf(" [%s]\n", text);
  return 1;
}

static int CallItems(const CalcExports* e, int32_t pers, double datum, int modus) {
  const int32_t count = e->begin(pers, datum, (unsigned char)modus);
  int32_t i;
  printf("count=%d\n", (int)count);
  for (i = 0; i < count; ++i) {
    if (!PrintItem(e, i)) {
      printf("item %d not handed out\n", (int)i);
      return kBadAnswer;
    }
  }
  printf("end=%d\n", (int)e->end());
  return kDone;
}

static int CallSpan(const CalcExports* e, int32_t pers, double datum, int modus) {
  double von = datum;
  double bis = -1;
  const QrvBool ok = e->span(pers, &von, &bis, (unsigned char)modus);
  printf("GetTagVonBis=%d von=", (int)ok);
  PrintDateTime(von);
  printf(" bis=");
  PrintDateTime(bis);
  printf("\n");
  return kDone;
}

/* One answer of QRVGetAufTagData with marked outputs: the Boolean, whether any number was
   written, and the text. */
static void PrintRefusedItem(const CalcExports* e, const char* label, int32_t index, int nullNumber,
                             int nullText) {
  static char text[64];
  int32_t art = -7;
  double von = -7, bis = -7, wert = -7;
  QrvBool ok;
  memset(text, 'X', sizeof text);
  text[sizeof text - 1] = 0;
  ok = e->get(index, nullNumber ? NULL : &art, &von, &bis, &wert, nullText ? NULL : text);
  printf("%s: %d written=%d text=[%s]\n", label, (int)ok,
         art != -7 || von != -7 || bis != -7 || wert != -7, text);
}

static void PrintRefusedCalc(const CalcExports* e, const char* label, int32_t pers, double von,
                             double bis) {
  double z[4] = {-7, -7, -7, -7};
  const QrvBool ok = e->calcZeit(pers, von, bis, &z[0], &z[1], &z[2], &z[3]);
  printf("%s: %d zeros=%d\n", label, (int)ok, z[0] == 0 && z[1] == 0 && z[2] == 0 && z[3] == 0);
}

/* The calls a caller must not rely on, each with the answer printed. datum names a day of
   person pers with items. */
static int CallHostile(const CalcExports* e, int32_t pers, double datum) {
  const double nan = strtod("nan", NULL);
  const double inf = strtod("inf", NULL);
  double z[4] = {-7, -7, -7, -7};
  double von, bis;
  int32_t count;
  PrintRefusedItem(e, "get before begin", 0, 0, 0);
  printf("end without begin: %d\n", (int)e->end());
  printf("begin nan: %d\n", (int)e->begin(pers, nan, 0));
  printf("begin inf: %d\n", (int)e->begin(pers, inf, 0));
  printf("begin person 0: %d\n", (int)e->begin(0, datum, 0));
  printf("begin person 10000: %d\n", (int)e->begin(10000, datum, 0));
  count = e->begin(pers, datum, 0);
  printf("begin: %s\n", count > 0 ? "items" : "none");
  PrintRefusedItem(e, "get -1", -1, 0, 0);
  PrintRefusedItem(e, "get count", count, 0, 0);
  PrintRefusedItem(e, "get null Art", 0, 1, 0);
  PrintRefusedItem(e, "get null Buffer", 0, 0, 1);
  printf("end: %d\n", (int)e->end());
  PrintRefusedItem(e, "get after end", 0, 0, 0);
  PrintRefusedCalc(e, "calc person 0", 0, datum, datum + 0.5);
  PrintRefusedCalc(e, "calc person 10000", 10000, datum, datum + 0.5);
  PrintRefusedCalc(e, "calc nan", pers, nan, datum + 0.5);
  PrintRefusedCalc(e, "calc inf", pers, datum, inf);
  PrintRefusedCalc(e, "calc reversed", pers, datum + 0.5, datum);
  PrintRefusedCalc(e, "calc year 0", pers, -693600.0, datum);
  printf("calc null Zeit3: %d",
         (int)e->calcZeit(pers, datum, datum + 0.5, &z[0], &z[1], NULL, &z[3]));
  printf(" written=%d\n", z[0] != -7 || z[1] != -7 || z[3] != -7);
  von = nan;
  bis = -7;
  printf("span nan: %d", (int)e->span(pers, &von, &bis, 0));
  printf(" written=%d\n", von == von || bis != -7);
  von = datum;
  printf("span null Bis: %d", (int)e->span(pers, &von, NULL, 0));
  printf(" written=%d\n", von != datum);
  printf("span null Von: %d", (int)e->span(pers, NULL, &bis, 0));
  printf(" written=%d\n", bis != -7);
  von = -693600.25;
  printf("span year 0: %d", (int)e->span(pers, &von, &bis, 0));
  printf(" von=%.2f bis=%.2f\n", von, bis);
  return CallItems(e, pers, datum, 0);
}

static int ResolveAll(Library library, int count, char** names) {
  int result = kDone;
  int i;
  for (i = 0; i < count; ++i) {
    const int found = FindExport(library, names[i]) != NULL;
    printf("%s %s\n", names[i], found ? "found" : "missing");
    if (!found) result = kMissingExport;
  }
  return result;
}

/* The calculation commands: calc, items, span, hostile; kUsage for any other command. */
static int CallCalculation(Library library, int argc, char** argv) {
  CalcExports e;
  int ok1 = 1, ok2 = 1;
  long pers;
  double a, b = 0;
  const char* command = argv[2];
  const int arity = strcmp(command, "hostile") == 0 ? 5 : 6;
  int result;
  if (argc != arity) return kUsage;
  pers = strtol(argv[3], NULL, 10);
  a = ParseDateTime(argv[4], &ok1);
  if (arity == 6 && strcmp(command, "calc") == 0) b = ParseDateTime(argv[5], &ok2);
  if (!ok1 || !ok2) return kUsage;
  result = FindCalcExports(library, &e);
  if (result != kDone) return result;
  if (strcmp(command, "calc") == 0) return CallCalc(&e, (int32_t)pers, a, b);
  if (strcmp(command, "items") == 0) return CallItems(&e, (int32_t)pers, a, atoi(argv[5]));
  if (strcmp(command, "span") == 0) return CallSpan(&e, (int32_t)pers, a, atoi(argv[5]));
  return CallHostile(&e, (int32_t)pers, a);
}

static int IsCalculation(const char* command) {
  return strcmp(command, "calc") == 0 || strcmp(command, "items") == 0 ||
         strcmp(command, "span") == 0 || strcmp(command, "hostile") == 0;
}

int main(int argc, char** argv) {
  Library library;
  if (argc < 3) {
    fprintf(stderr,
            "usage: abi_client LIBRARY datapath | settings | resolve NAME... |\n"
            "       calc PERSNR VON BIS | items PERSNR DATUM MODUS | span PERSNR DATUM MODUS |\n"
            "       hostile PERSNR DATUM\n");
    return kUsage;
  }
  library = OpenLibrary(argv[1]);
  if (library == NULL) {
    PrintLoadError(argv[1]);
    return kLoadFailed;
  }
  if (strcmp(argv[2], "datapath") == 0) return CallGetDataPath(library);
  if (strcmp(argv[2], "settings") == 0) return CallSettings(library);
  if (strcmp(argv[2], "resolve") == 0) return ResolveAll(library, argc - 3, argv + 3);
  if (IsCalculation(argv[2])) {
    const int result = CallCalculation(library, argc, argv);
    if (result == kUsage) fprintf(stderr, "abi_client: bad arguments for %s\n", argv[2]);
    return result;
  }
  fprintf(stderr, "abi_client: unknown command %s\n", argv[2]);
  return kUsage;
}
