// The Win32 platform layer against a real Windows API (Wine's in the test run): files, registry,
// locale, date-time conversion, command line and message box. Run with the German locale
// (LC_ALL=de_DE.UTF-8), TZ=Europe/Berlin and the test's own first parameter.
// Usage: win32_platform_check.exe FIRST-PARAMETER
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_time.h"
#include "platform/win32/win32_ui.h"

namespace qrv::platform {
namespace {

int checks = 0;
int failures = 0;

void Check(bool ok, const std::string& what) {
  ++checks;
  if (ok) return;
  ++failures;
  std::printf("FAIL: %s\n", what.c_str());
}

template <typename T>
void CheckEq(const T& actual, const T& expected, const std::string& what) {
  Check(actual == expected, what);
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char piece[4];
  for (unsigned char c : bytes) {
    std::snprintf(piece, sizeof piece, "%02X ", c);
    out += piece;
  }
  return out;
}

std::string UniqueName() {
  std::random_device random;
  return "qrv" + std::to_string(random()) + std::to_string(random() & 0xFFFF);
}

// ---- date-time conversion

void CheckDateTimes() {
  struct Case {
    const char* label;
    SYSTEMTIME time;  // year, month, day of week, day, hour, minute, second, ms
    double expected;
  };
  const Case cases[] = {
      {"day zero", {1899, 12, 0, 30, 0, 0, 0, 0}, 0.0},
      {"first of 1900", {1900, 1, 0, 1, 0, 0, 0, 0}, 2.0},
      {"leap day noon with ms", {2024, 2, 0, 29, 12, 0, 0, 500}, 45351.5 + 500.0 / 86400000.0},
      {"last ms of 2023", {2023, 12, 0, 31, 23, 59, 59, 999}, 45291.0 + 86399999.0 / 86400000.0},
      {"before day zero counts the time away from it", {1899, 12, 0, 29, 6, 0, 0, 0}, -1.25},
  };
  for (const Case& c : cases) {
    const double got = DateTimeFromSystemTime(c.time);
    Check(got > c.expected - 1e-9 && got < c.expected + 1e-9,
          std::string("DateTimeFromSystemTime ") + c.label + ": " + std::to_string(got));
  }
}

// ---- files

std::string ReadAll(File& file) {
  int64_t size = 0;
  file.Size(&size);
  std::string bytes(static_cast<size_t>(size), '\0');
  size_t got = 0;
  file.ReadAt(0, bytes.data(), bytes.size(), &got);
  bytes.resize(got);
  return bytes;
}

void CheckFileReadWrite(Win32FileSystem& fs, const std::string& folder) {
  std::unique_ptr<File> file;
  CheckEq(fs.Open(folder + "a.dat", OpenMode::kCreate, &file), kOk, "create a.dat");
  if (!file) return;
  CheckEq(file->WriteAt(0, "0123456789", 10), kOk, "write at 0");
  CheckEq(file->WriteAt(12, "AB", 2), kOk, "write past the end extends the file");
  CheckEq(ReadAll(*file), std::string("0123456789\0\0AB", 14), "content after writes");
  char buffer[8];
  size_t got = 99;
  CheckEq(file->ReadAt(10, buffer, sizeof buffer, &got), kOk, "read across the end");
  CheckEq(got, size_t{4}, "read across the end gives the bytes up to the end");
  CheckEq(file->ReadAt(100, buffer, sizeof buffer, &got), kOk, "read beyond the end");
  CheckEq(got, size_t{0}, "read beyond the end gives nothing");
  CheckEq(file->Truncate(4), kOk, "truncate shorter");
  CheckEq(ReadAll(*file), std::string("0123"), "content after cutting");
  CheckEq(file->Truncate(6), kOk, "truncate longer");
  CheckEq(ReadAll(*file), std::string("0123\0\0", 6), "content after extending");
  CheckEq(file->Close(), kOk, "close");
  CheckEq(fs.Open(folder + "A.DAT", OpenMode::kReadWrite, &file), kOk, "reopen in other case");
  if (file) CheckEq(ReadAll(*file), std::string("0123\0\0", 6), "content after reopening");
  file.reset();
  CheckEq(fs.Open(folder + "a.dat", OpenMode::kCreate, &file), kOk, "create again");
  if (file) CheckEq(ReadAll(*file), std::string(), "create empties an existing file");
}

void CheckFileErrors(Win32FileSystem& fs, const std::string& folder) {
  struct Case {
    const char* label;
    std::string path;
    OsError expected;
  };
  const Case cases[] = {
      {"missing file", folder + "fehlt.dat", kFileNotFound},
      {"missing folder", folder + "fehlt\\x.dat", kPathNotFound},
  };
  for (const Case& c : cases) {
    std::unique_ptr<File> file;
    CheckEq(fs.Open(c.path, OpenMode::kRead, &file), c.expected, std::string("open ") + c.label);
    Check(file == nullptr, std::string("no file object for ") + c.label);
    std::vector<FileInfo> found;
    CheckEq(fs.Find(c.path, &found), c.expected, std::string("find ") + c.label);
  }
  CheckEq(fs.Remove(folder + "fehlt.dat"), kFileNotFound, "remove a missing file");
}

// A file another process holds without sharing: the bounded retry ends with the sharing error.
void CheckSharingViolation(Win32FileSystem& fs, const std::string& folder) {
  const std::string path = folder + "gesperrt.lck";
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  Check(holder != INVALID_HANDLE_VALUE, "hold a file without sharing");
  std::unique_ptr<File> file;
  CheckEq(fs.Open(path, OpenMode::kRead, &file), kSharingViolation, "open a held file");
  CloseHandle(holder);
  CheckEq(fs.Open(path, OpenMode::kRead, &file), kOk, "open after it was let go");
}

void CheckFind(Win32FileSystem& fs, const std::string& folder) {
  CheckEq(fs.CreateFolders(folder + "sub"), kOk, "create a subfolder");
  for (const char* name : {"b.DAT", "c.txt", "sub\\d.dat"}) {
    std::unique_ptr<File> file;
    CheckEq(fs.Open(folder + name, OpenMode::kCreate, &file), kOk, std::string("create ") + name);
    if (file) file->WriteAt(0, "xyz", 3);
  }
  std::vector<FileInfo> found;
  CheckEq(fs.Find(folder + "*.dat", &found), kOk, "find *.dat");
  std::set<std::string> names;
  for (const FileInfo& info : found) names.insert(info.name);
  CheckEq(names, std::set<std::string>{"a.dat", "b.DAT"}, "*.dat matches without regard to case");
  CheckEq(fs.Find(folder + "?.TXT", &found), kOk, "find ?.TXT");
  Check(found.size() == 1 && found[0].name == "c.txt" && found[0].size == 3 && !found[0].directory,
        "?.TXT gives c.txt with its size");
  CheckEq(fs.Find(folder + "*", &found), kOk, "find *");
  bool sawSub = false;
  for (const FileInfo& info : found) {
    Check(info.name != "." && info.name != "..", "no dot entries");
    sawSub = sawSub || (info.name == "sub" && info.directory);
  }
  Check(sawSub, "folders are found and marked");
  CheckEq(fs.Find(folder + "*.xyz", &found), kFileNotFound, "nothing found in an existing folder");
}

// Last-write times are local: a UTC time in winter and one in summer, seen from Berlin.
void CheckLastWrite(Win32FileSystem& fs, const std::string& folder) {
  struct Case {
    const char* label;
    SYSTEMTIME utc;
    double expectedLocal;
  };
  const Case cases[] = {
      {"winter (UTC+1)", {2024, 1, 0, 15, 10, 0, 0, 0}, 45306.0 + 11.0 / 24},
      {"summer (UTC+2)", {2024, 7, 0, 1, 10, 0, 0, 0}, 45474.0 + 12.0 / 24},
  };
  const std::string path = folder + "zeit.dat";
  for (const Case& c : cases) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    FILETIME stamp;
    SystemTimeToFileTime(&c.utc, &stamp);
    SetFileTime(handle, nullptr, nullptr, &stamp);
    CloseHandle(handle);
    std::vector<FileInfo> found;
    fs.Find(path, &found);
    const double got = found.size() == 1 ? found[0].lastWrite : -1;
    Check(got > c.expectedLocal - 1e-6 && got < c.expectedLocal + 1e-6,
          std::string("last write ") + c.label + ": " + std::to_string(got));
  }
}

void CheckRenameRemove(Win32FileSystem& fs, const std::string& folder) {
  CheckEq(fs.Rename(folder + "c.txt", folder + "b.DAT"), kOk, "rename over an existing file");
  std::vector<FileInfo> found;
  CheckEq(fs.Find(folder + "c.txt", &found), kFileNotFound, "renamed file is gone");
  CheckEq(fs.Remove(folder + "b.dat"), kOk, "remove");
  CheckEq(fs.Find(folder + "b.dat", &found), kFileNotFound, "removed file is gone");
}

void CheckFiles() {
  Win32FileSystem fs;
  const std::string temp = fs.TempDir();
  Check(!temp.empty() && temp.back() == '\\', "temp folder ends with a backslash: " + temp);
  const std::string folder = temp + UniqueName() + "\\";
  CheckEq(fs.CreateFolders(folder + "x\\y\\"), kOk, "create a folder chain");
  CheckEq(fs.CreateFolders(folder + "x\\y"), kOk, "an existing chain is success");
  CheckFileReadWrite(fs, folder);
  CheckFileErrors(fs, folder);
  CheckSharingViolation(fs, folder);
  CheckFind(fs, folder);
  CheckLastWrite(fs, folder);
  CheckRenameRemove(fs, folder);
  // Clean up what the checks left; the folder was new and is ours.
  for (const char* name : {"a.dat", "sub\\d.dat", "gesperrt.lck", "zeit.dat"}) {
    fs.Remove(folder + name);
  }
  for (const char* sub : {"x\\y", "x", "sub", ""}) RemoveDirectoryA((folder + sub).c_str());
}

// ---- registry

void CheckRegistryValues(Win32Registry& reg, const std::string& key) {
  struct Case {
    const char* name;
    RegValue value;
  };
  const Case cases[] = {
      {"Text",
       {kRegSz, std::string("Stra\xDF"
                            "e\0",
                            7)}},
      {"Expand", {kRegExpandSz, std::string("%TEMP%\\x\0", 9)}},
      {"Binary", {kRegBinary, std::string("\x00\x01\xFF\x00", 4)}},
      {"Zahl", {kRegDword, std::string("\x2A\x00\x00\x80", 4)}},
      {"Multi", {kRegMultiSz, std::string("a\0\xC4\0\0", 5)}},
      {"Leer", {kRegBinary, std::string()}},
      {"", {kRegSz, std::string("Vorgabe\0", 8)}},
      {"Gross", {kRegBinary, std::string(5000, '\x5A')}},
  };
  std::set<std::string> expectedNames;
  for (const Case& c : cases) {
    const std::string label = std::string("value '") + c.name + "'";
    CheckEq(reg.SetValue(RegRoot::kCurrentUser, key, c.name, c.value), kOk, "set " + label);
    RegValue back;
    CheckEq(reg.QueryValue(RegRoot::kCurrentUser, key, c.name, &back), kOk, "query " + label);
    CheckEq(back.type, c.value.type, "type of " + label);
    Check(back.data == c.value.data, "bytes of " + label + ": " + Hex(back.data.substr(0, 16)));
    if (*c.name) expectedNames.insert(c.name);
  }
  std::vector<std::string> names;
  CheckEq(reg.EnumValues(RegRoot::kCurrentUser, key, &names), kOk, "enumerate values");
  std::set<std::string> named;
  for (const std::string& name : names) {
    if (!name.empty()) named.insert(name);
  }
  CheckEq(named, expectedNames, "every named value is enumerated");
  RegKeyInfo info;
  CheckEq(reg.QueryKeyInfo(RegRoot::kCurrentUser, key, &info), kOk, "key info");
  CheckEq(info.values, uint32_t{8}, "key info counts the values");
  CheckEq(info.maxValueNameLen, uint32_t{6}, "key info gives the longest value name");
  CheckEq(info.maxValueLen, uint32_t{5000}, "key info gives the longest value");
  CheckEq(reg.DeleteValue(RegRoot::kCurrentUser, key, "Zahl"), kOk, "delete a value");
  RegValue gone;
  CheckEq(reg.QueryValue(RegRoot::kCurrentUser, key, "Zahl", &gone), kFileNotFound,
          "deleted value is gone");
  CheckEq(gone.type, uint32_t{kRegNone}, "a missing value answers no type");
}

void CheckRegistryKeys(Win32Registry& reg, const std::string& key) {
  CheckEq(reg.CreateKey(RegRoot::kCurrentUser, key + "\\Eins\\Zwei"), kOk, "create a key chain");
  CheckEq(reg.CreateKey(RegRoot::kCurrentUser, key + "\\Drei"), kOk, "create a second subkey");
  CheckEq(reg.CreateKey(RegRoot::kCurrentUser, key + "\\Drei"), kOk, "create an existing key");
  CheckEq(reg.OpenKey(RegRoot::kCurrentUser, key + "\\eins\\ZWEI"), kOk, "open in other case");
  CheckEq(reg.OpenKey(RegRoot::kCurrentUser, key + "\\Fehlt"), kFileNotFound, "open missing");
  std::vector<std::string> names;
  CheckEq(reg.EnumKeys(RegRoot::kCurrentUser, key, &names), kOk, "enumerate keys");
  CheckEq(std::set<std::string>(names.begin(), names.end()), std::set<std::string>{"Drei", "Eins"},
          "subkeys enumerated");
  RegKeyInfo info;
  reg.QueryKeyInfo(RegRoot::kCurrentUser, key, &info);
  CheckEq(info.subKeys, uint32_t{2}, "key info counts the subkeys");
  Check(info.lastWrite > 36526, "key info gives a last-write date after 2000");
  CheckEq(reg.Flush(RegRoot::kCurrentUser, key), kOk, "flush");
  CheckEq(reg.DeleteKey(RegRoot::kCurrentUser, key + "\\Eins"), kAccessDenied,
          "a key with subkeys is not deleted");
  CheckEq(reg.DeleteKey(RegRoot::kCurrentUser, key + "\\Eins\\Zwei"), kOk, "delete a leaf key");
  CheckEq(reg.DeleteKey(RegRoot::kCurrentUser, key + "\\Eins"), kOk, "delete the emptied key");
  CheckEq(reg.OpenKey(RegRoot::kCurrentUser, key + "\\Eins"), kFileNotFound, "deleted key gone");
  CheckEq(reg.DeleteKey(RegRoot::kCurrentUser, key + "\\Drei"), kOk, "delete the second key");
  std::vector<std::string> none;
  CheckEq(reg.EnumKeys(RegRoot::kCurrentUser, key + "\\Fehlt", &none), kFileNotFound,
          "enumerate a missing key");
}

void CheckRegistry() {
  Win32Registry reg;
  const std::string parent = "Software\\QuorvanePlatformCheck";
  const std::string key = parent + "\\" + UniqueName();
  CheckEq(reg.CreateKey(RegRoot::kCurrentUser, key), kOk, "create the check's key");
  CheckRegistryValues(reg, key);
  CheckRegistryKeys(reg, key);
  CheckEq(reg.DeleteKey(RegRoot::kCurrentUser, key), kOk, "delete the check's key");
  reg.DeleteKey(RegRoot::kCurrentUser, parent);
}

// ---- locale (German: ANSI 1252, OEM 850)

void CheckLocale() {
  Win32Locale locale;
  const std::string ansi = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xE9 aZ";
  const std::string oem = "\x8E\x99\x9A\x84\x94\x81\xE1\x82 aZ";
  std::string buffer = ansi;
  locale.ConvertAnsiToOem(buffer.data(), buffer.data(), buffer.size());
  CheckEq(Hex(buffer), Hex(oem), "ANSI to OEM in place");
  locale.ConvertOemToAnsi(buffer.data(), buffer.data(), buffer.size());
  CheckEq(Hex(buffer), Hex(ansi), "OEM to ANSI back");

  struct Order {
    const char* label;
    const char* a;
    const char* b;
    int sign;
  };
  const Order orders[] = {
      {"umlaut after its base letter", "arger", "\xC4rger", -1},
      {"umlaut before the next word", "\xC4rger", "Mueller", -1},
      {"ue before \xFC", "Mueller", "M\xFCller", -1},
      {"sharp s equals ss",
       "Stra\xDF"
       "e",
       "STRASSE", 0},
      {"hyphen ignored but decides last", "co-op", "coop", 1},
      {"hyphen ignored before letters", "co-op", "cop", -1},
      {"digits compared as text", "a2", "a10", 1},
      {"case ignored", "m\xFCller", "M\xDCLLER", 0},
      {"empty first", "", "a", -1},
  };
  for (const Order& o : orders) {
    const int got = locale.CompareText(o.a, o.b);
    Check((got > 0) - (got < 0) == o.sign, std::string("compare: ") + o.label);
  }
  CheckEq(locale.UpperCase("\xE4\xF6\xFC\xE9 abc \xDF"), std::string("\xC4\xD6\xDC\xC9 ABC \xDF"),
          "upper case");
  CheckEq(locale.LowerCase("\xC4\xD6\xDC\xC9 ABC"), std::string("\xE4\xF6\xFC\xE9 abc"),
          "lower case");
  CheckEq(locale.ShortMonthName(5), std::string("Mai"), "month 5");
  CheckEq(locale.ShortMonthName(10), std::string("Okt"), "month 10");
  CheckEq(locale.ShortMonthName(12), std::string("Dez"), "month 12");
  CheckEq(locale.ShortMonthName(0), std::string(), "month 0");
  CheckEq(locale.ShortMonthName(13), std::string(), "month 13");
  CheckEq(locale.DecimalSeparator(), ',', "decimal separator");
}

// ---- host process

void CheckCommandLine(const char* expectedFirst) {
  struct Case {
    const char* label;
    const char* line;
    const char* first;
  };
  const Case cases[] = {
      {"program only", "prog.exe", ""},
      {"plain parameter", "prog.exe s:7 zwei", "s:7"},
      {"quoted program name", "\"C:\\Program Files\\x.exe\" -PERSVIEW", "-PERSVIEW"},
      {"quoted parameter", "x.exe \"S:1 a\" b", "S:1 a"},
      {"quotes inside a word", "x.exe a\"b c\"d e", "ab cd"},
      {"tabs and blanks", "x.exe\t \t S:3\t", "S:3"},
      {"unclosed quote", "x.exe \"offen bis", "offen bis"},
      {"trailing blanks", "x.exe   ", ""},
      {"no command line", nullptr, ""},
  };
  for (const Case& c : cases) {
    CheckEq(FirstCommandLineParameter(c.line), std::string(c.first),
            std::string("command line: ") + c.label);
  }
  Win32HostProcess host;
  CheckEq(host.FirstParameter(), std::string(expectedFirst), "this process's first parameter");
  const std::string exe = host.ExecutablePath();
  const std::string tail = "\\win32_platform_check.exe";
  Check(exe.size() > tail.size() &&
            lstrcmpiA(exe.substr(exe.size() - tail.size()).c_str(), tail.c_str()) == 0,
        "executable path: " + exe);
}

// ---- user interface: without a display every box returns at once, nothing hangs.

void CheckUserInterface() {
  Win32UserInterface ui;
  ui.SetHourglass(true);
  ui.ErrorBox("Ung\xFCltiger Datenpfad: X:\\\r\nBitte neu einstellen!");
  ui.ShowException(
      "Pr\xFC"
      "fung");
  ui.SetHourglass(false);
  ui.SelectPrinter("Kein solcher Drucker");
  const std::string fallback = ui.CurrentPrinter();
  ui.SelectPrinter("");
  CheckEq(ui.CurrentPrinter(), fallback, "an unknown printer chooses the default one");
}

}  // namespace
}  // namespace qrv::platform

int main(int argc, char** argv) {
  using namespace qrv::platform;
  if (argc < 2) {
    std::printf("usage: win32_platform_check.exe FIRST-PARAMETER\n");
    return 2;
  }
  CheckDateTimes();
  CheckFiles();
  CheckRegistry();
  CheckLocale();
  CheckCommandLine(argv[1]);
  CheckUserInterface();
  std::printf("win32 platform: %d checks, %d failed\n", checks, failures);
  return failures == 0 ? 0 : 1;
}
