// A person's month as the tool shows it: the month values, then every day with its bookings.
// The month record (TMonat) needs its month file; the views below hold just what is shown, so a
// month built by hand shows the same way.
#pragma once

#include <cstdint>

#include "month/monat_daten.h"
#include "output/format.h"

namespace qrv {

class TMonat;

void to_json(tool::Json& j, const TBuchung& b);

}  // namespace qrv

namespace qrv::tool {

struct MonatAnsicht {
  int32_t Jahr = 0;
  int32_t Monat = 0;
  int32_t PersNr = 0;
  bool Kompakt = false;  // the compact layout, without MonInt, MonUebertrag and MonFlag
  int32_t Anz2 = 0;      // day account values the layout holds
  int32_t Anz4 = 0;      // month accounts the layout holds
  int32_t TageImMonat = 0;
  const TMonatDaten* Daten = nullptr;

  static MonatAnsicht Von(const TMonat& m);
};

// Day Tag (1 to 31) of a month.
struct TagAnsicht {
  int32_t Tag = 0;
  int32_t Anz2 = 0;
  const TMonatTag* Daten = nullptr;
};

void to_json(Json& j, const MonatAnsicht& m);
void to_json(Json& j, const TagAnsicht& t);

}  // namespace qrv::tool
