// The installation's stations and their time-recording terminals, read from section Stations and
// the sections Terminals_<n> of the settings file. Owned by TKonfig, which picks the station this
// workstation belongs to and fills empty folders. The library uses a station's number, name and
// folders; the other values are held for the installation's other programs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "util/datetime.h"

namespace qrv {

class TMemIniFile;
struct TStation;

inline constexpr int kMaxStation = 15;
inline constexpr int kTerminalModelCount = 13;

// The name of terminal model typ (0..12); empty for any other value. Model 0 is the default.
std::string TerminalModelName(int typ);
// The model whose name equals name exactly; 0 when none does.
uint8_t TerminalModelIndex(const std::string& name);

struct TTerminalDef {
  uint8_t Typ = 0;       // index of the model name
  char Buchstabe = 'A';  // 'A' for the station's first terminal, 'B' for the second, ...
  int32_t Port = 1;      // serial port, or network port when Netz
  std::string Bezeichnung = "Terminal";  // at most 20 characters
  std::string Text5, Text6;              // at most 30 characters
  int32_t Wert7 = 4;
  TStation* Station = nullptr;  // the owning station
  std::string Text8, Text9;
  double Zeit10 = 0;
  double Zeit11 = 0.5;
  int32_t Wert12 = 300;
  int32_t Wert13 = 10;
  bool Netz = false;  // the configured port number was above 6
};

// The terminals of one station, owned, in the order read.
class TTerminalDefList {
 public:
  explicit TTerminalDefList(TStation& station) : station_(station) {}
  TTerminalDefList(const TTerminalDefList&) = delete;
  TTerminalDefList& operator=(const TTerminalDefList&) = delete;

  // Reads Terminal0, Terminal1, ... of section Terminals_<station number> up to the first
  // missing or empty one. A port that is not "COM" and a number raises EConvertError; the
  // terminals read before it stay in the list.
  void Read(const TMemIniFile& ini);

  int Count() const { return static_cast<int>(terminals_.size()); }
  // EListError for an index outside 0..Count()-1.
  TTerminalDef& operator[](int i);
  const TTerminalDef& operator[](int i) const;
  TTerminalDef& Add();
  void Clear() { terminals_.clear(); }
  TStation& Station() const { return station_; }

 private:
  TStation& station_;
  std::vector<std::unique_ptr<TTerminalDef>> terminals_;
};

struct TStation {
  TStation() = default;
  TStation(const TStation&) = delete;
  TStation& operator=(const TStation&) = delete;

  int32_t Nummer = 0;  // 1..15, the number in its key
  std::string Name;
  std::string Verzeichnis1;  // with trailing separator when not empty
  std::string Verzeichnis2;  // with trailing separator when not empty
  double Intervall = MinutesToTime(1);
  bool Aktiv1 = true;
  bool Aktiv2 = true;
  TTerminalDefList Terminals{*this};
  int32_t Anzahl = 1;
  bool Zusatz = false;
  double Zeit1 = MinutesToTime(30);
  double Zeit2 = MinutesToTime(180);
  double Zeit3 = MinutesToTime(15);
};

// Owning list of stations in the order read (ascending numbers).
class TStationList {
 public:
  // Reads Station_1 .. Station_15 of section Stations, skipping numbers without a value, each
  // with its additional line and its terminals. The conversion error of a terminal's port
  // propagates; the stations read before it stay in the list.
  void Read(const TMemIniFile& ini);

  int Count() const { return static_cast<int>(stations_.size()); }
  // EListError for an index outside 0..Count()-1.
  TStation& operator[](int i);
  const TStation& operator[](int i) const;
  TStation& Add() { return *stations_.emplace_back(std::make_unique<TStation>()); }
  void Clear() { stations_.clear(); }

 private:
  std::vector<std::unique_ptr<TStation>> stations_;
};

}  // namespace qrv
