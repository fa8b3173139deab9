#include "config/stations.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "config/mem_ini.h"
#include "util/errors.h"
#include "util/fields.h"
#include "util/fileprobe.h"
#include "util/texts.h"

namespace qrv {
namespace {

constexpr char kSep = ',';
// Ports above this number are network ports, counted from 1 after it.
constexpr int32_t kSerialPorts = 6;

constexpr std::array<std::string_view, kTerminalModelCount> kModelNames = {
    "QT-100",      "QT-100 Plus", "QT-200",      "QT-200 Funk", "QT-300", "QT-300 Bio", "QT-400",
    "QT-400 Zutr", "QT-500",      "QT-500 Netz", "QT-600",      "QT-700", "QT-Modem",
};

std::string Printf(const char* format, int n) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, n);
  return buffer;
}

// "COM3" is port 3; the first "COM" is dropped and the rest must be an integer.
int32_t PortNumber(std::string port) {
  size_t com = port.find("COM");
  if (com != std::string::npos) port.erase(com, 3);
  int32_t number = 0;
  if (!TryStrToInt(port, &number)) {
    throw EConvertError("'" + port +
                        "' ist kein g\xFC"
                        "ltiger Integerwert");
  }
  return number;
}

void ParseTerminal(const std::string& line, TTerminalDef& t) {
  t.Bezeichnung = LeftChars(GetFieldDef(line, 4, kSep, "Terminal"), 20);
  // Field 3 once named the letter; the letter now follows the terminal's place in the list.
  int32_t port = PortNumber(GetFieldDef(line, 2, kSep, "COM1"));
  t.Netz = port > kSerialPorts;
  t.Port = t.Netz ? port - kSerialPorts : port;
  t.Typ = TerminalModelIndex(GetFieldDef(line, 1, kSep, std::string(kModelNames[0])));
  t.Text5 = LeftChars(GetField(line, 5, kSep), 30);
  t.Text6 = LeftChars(GetField(line, 6, kSep), 30);
  t.Wert7 = GetFieldInt(line, 7, kSep, 4);
  t.Text8 = GetField(line, 8, kSep);
  t.Text9 = GetField(line, 9, kSep);
  t.Zeit10 = GetFieldTime(line, 10, kSep, 0);
  t.Zeit11 = GetFieldTime(line, 11, kSep, 0.5);
  t.Wert12 = GetFieldInt(line, 12, kSep, 300);
  t.Wert13 = GetFieldInt(line, 13, kSep, 10);
}

void ParseStation(const std::string& line, const std::string& extra, TStation& s) {
  s.Aktiv1 = GetFieldBool(line, 1, kSep, true);
  s.Verzeichnis1 = WithBackslash(GetField(line, 2, kSep));
  s.Intervall = GetFieldTime(line, 3, kSep, MinutesToTime(1));
  s.Name = GetField(line, 4, kSep);
  s.Verzeichnis2 = WithBackslash(GetField(line, 5, kSep));
  s.Anzahl = GetFieldInt(line, 6, kSep, 1);
  s.Aktiv2 = GetFieldBool(line, 7, kSep, true);
  s.Zusatz = GetFieldBool(extra, 1, kSep, false);
  s.Zeit1 = GetFieldTime(extra, 2, kSep, MinutesToTime(30));
  s.Zeit2 = GetFieldTime(extra, 3, kSep, MinutesToTime(180));
  s.Zeit3 = GetFieldTime(extra, 4, kSep, MinutesToTime(15));
}

}  // namespace

std::string TerminalModelName(int typ) {
  if (typ < 0 || typ >= kTerminalModelCount) return {};
  return std::string(kModelNames[static_cast<size_t>(typ)]);
}

uint8_t TerminalModelIndex(const std::string& name) {
  for (size_t i = 0; i < kModelNames.size(); ++i) {
    if (kModelNames[i] == name) return static_cast<uint8_t>(i);
  }
  return 0;
}

void TTerminalDefList::Read(const TMemIniFile& ini) {
  Clear();
  std::string section = Printf("Terminals_%d", station_.Nummer);
  for (int n = 0;; ++n) {
    std::string line = ini.ReadString(section, Printf("Terminal%d", n), "");
    if (line.empty()) return;
    auto t = std::make_unique<TTerminalDef>();
    ParseTerminal(line, *t);
    t->Buchstabe = static_cast<char>('A' + Count());
    t->Station = &station_;
    terminals_.push_back(std::move(t));
  }
}

TTerminalDef& TTerminalDefList::operator[](int i) {
  if (i < 0 || i >= Count()) RaiseListIndex(i);
  return *terminals_[static_cast<size_t>(i)];
}

const TTerminalDef& TTerminalDefList::operator[](int i) const {
  if (i < 0 || i >= Count()) RaiseListIndex(i);
  return *terminals_[static_cast<size_t>(i)];
}

TTerminalDef& TTerminalDefList::Add() {
  char letter = static_cast<char>('A' + Count());
  TTerminalDef& t = *terminals_.emplace_back(std::make_unique<TTerminalDef>());
  t.Buchstabe = letter;
  t.Station = &station_;
  return t;
}

void TStationList::Read(const TMemIniFile& ini) {
  Clear();
  for (int i = 1; i <= kMaxStation; ++i) {
    std::string line = ini.ReadString("Stations", Printf("Station_%d", i), "");
    if (line.empty()) continue;
    auto s = std::make_unique<TStation>();
    s->Nummer = i;
    ParseStation(line, ini.ReadString("Stations", Printf("Station_%dA", i), ""), *s);
    s->Terminals.Read(ini);
    stations_.push_back(std::move(s));
  }
}

TStation& TStationList::operator[](int i) {
  if (i < 0 || i >= Count()) RaiseListIndex(i);
  return *stations_[static_cast<size_t>(i)];
}

const TStation& TStationList::operator[](int i) const {
  if (i < 0 || i >= Count()) RaiseListIndex(i);
  return *stations_[static_cast<size_t>(i)];
}

}  // namespace qrv
