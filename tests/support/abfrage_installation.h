// A small installation on disk for the queries' tests and the interface tests: settings with the
// permitted years 2003 to 2005 (full month layout), working-time models with a chosen weekday
// profile (Monday to Friday; weekends and holidays empty), calculation templates, persons and
// their bookings, all written through the library's own record classes. The platform's registry
// must name the folder as the data path; everything is written before a library is started on it.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "master/bervor_record.h"
#include "master/modell_version.h"
#include "month/monat_daten.h"
#include "platform/platform.h"
#include "util/datetime.h"

namespace qrv {
class TKonfig;
}

namespace qrv::testing {

// h:mm as a day fraction.
inline double Uhr(int h, int m = 0) {
  return MinutesToTime(h * 60 + m);
}

class AbfrageInstallation {
 public:
  // Writes the settings file, the empty person file and the folders into dir (with its
  // separator at the end).
  AbfrageInstallation(const platform::Platform& platform, const std::string& dir);
  ~AbfrageInstallation();

  // Model m named name, valid from 2000: werktag from Monday to Friday.
  void Modell(int32_t m, const std::string& name, const Tagesprofil& werktag);
  // Calculation template n.
  void Vorlage(int32_t n, const TBerVorRecord& rec);
  // Person nr "Muster, Erika" on model m (through its plan template 1000 + m) and template
  // berVor, recording from eintritt.
  void Person(int32_t nr, int32_t modell, int32_t berVor, TDateTime eintritt);
  // Stores plain bookings on a day: times relative to the day's midnight (above 1 on the next
  // day), comings and goings alternating.
  void Buchen(int32_t nr, int jahr, int monat, int tag, std::initializer_list<double> zeiten);
  // Lets edit change a stored day entry.
  void Tag(int32_t nr, int jahr, int monat, int tag, const std::function<void(TMonatTag&)>& edit);

 private:
  platform::Platform platform_;
  std::string dir_;
  bool reported_ = false;
  std::unique_ptr<TKonfig> konfig_;
};

}  // namespace qrv::testing
