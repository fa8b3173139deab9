// The installation's stations. Each station is a group of workstations with its own folders; the
// settings object picks the station this workstation belongs to.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qrv {

struct TStation {
  int32_t Nummer = 0;  // 1..15, the number in its key
  std::string Name;
  std::string Verzeichnis1;  // with trailing separator when not empty
  std::string Verzeichnis2;  // with trailing separator when not empty
  double Intervall = 1.0 / 1440;
  bool Aktiv1 = true;
  bool Aktiv2 = true;
  int32_t Anzahl = 1;
  bool Zusatz = false;
  double Zeit1 = 30.0 / 1440;
  double Zeit2 = 180.0 / 1440;
  double Zeit3 = 15.0 / 1440;
};

// Owning list of stations in the order read (ascending numbers).
class TStationList {
 public:
  int Count() const { return static_cast<int>(stations_.size()); }
  TStation& operator[](int i) { return *stations_.at(static_cast<size_t>(i)); }
  const TStation& operator[](int i) const { return *stations_.at(static_cast<size_t>(i)); }
  TStation& Add() { return *stations_.emplace_back(std::make_unique<TStation>()); }
  void Clear() { stations_.clear(); }

 private:
  std::vector<std::unique_ptr<TStation>> stations_;
};

}  // namespace qrv
