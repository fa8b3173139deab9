/*
 * abi_client - loads the library as the installation's programs do and calls its exports.
 *
 * Usage: abi_client LIBRARY COMMAND [ARGS...]
 *   datapath        prints "GetDataPath=[<answer>]"
 *   settings        prints the answers of the four settings exports, one per line:
 *                   GetDataPath=[..], GetPersFrei(i)=[..] for i = 0..21, GetAuswOffset=n,
 *                   GetAufOffset=n
 *   resolve NAME... looks every NAME up by its plain name and prints "NAME found" or "NAME missing"
 *
 * Exit codes: 0 done, 2 usage, 3 the library did not load, 4 an export is missing, 5 an answer
 * broke the interface's rules.
 *
 * The same source builds on Linux (dlopen) and as a 32-bit Windows program (LoadLibraryA, and
 * GetProcAddress with the undecorated names: a stdcall export that kept its @n suffix is missing).
 */
#include <stdio.h>
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

int main(int argc, char** argv) {
  Library library;
  if (argc < 3) {
    fprintf(stderr, "usage: abi_client LIBRARY datapath | settings | resolve NAME...\n");
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
  fprintf(stderr, "abi_client: unknown command %s\n", argv[2]);
  return kUsage;
}
