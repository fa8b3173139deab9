// Building the inputs of a day evaluation in a test: a day profile, a day entry with bookings,
// the template, account definitions and absence types, and a trace listener that keeps what it
// is told.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "accounting/spur.h"
#include "accounting/tag_auswertung.h"
#include "accounting/tag_ergebnis.h"
#include "util/datetime.h"

namespace qrv::testing {

// Wednesday, 9 December 2026; the test clock stands on the 10th at noon.
inline const TDateTime kTag = EncodeDate(2026, 12, 9);
inline const TDateTime kHeute = EncodeDate(2026, 12, 10);

// h:mm as a day fraction (negative hours for a negative duration).
inline double Hm(int h, int m = 0) {
  return HMToTime(h, h < 0 ? -m : m);
}
// The time h:mm of day datum (h above 23 for the next day).
inline TDateTime Um(int h, int m = 0, TDateTime datum = kTag) {
  return datum + Hm(h, m);
}

// A profile with nothing switched on, the day ending at midnight.
inline Tagesprofil LeeresProfil() {
  Tagesprofil p;
  std::memset(&p, 0, sizeof p);
  p.HatTagesende = true;
  p.Tagesende = 1.0;
  return p;
}

struct Buchung {
  int H, M;
  uint8_t Art = 0;
};

// A day entry, all zero, no absence, with these bookings (at most the slots; the count may be
// set higher by the caller).
inline TMonatTag TagMit(std::initializer_list<Buchung> buchungen, TDateTime datum = kTag) {
  TMonatTag t;
  std::memset(&t, 0, sizeof t);
  t.Fehlzeit = ' ';
  for (const Buchung& b : buchungen) {
    if (t.AnzBuchungen >= kMaxBuchungen) break;
    t.Buchungen[t.AnzBuchungen++] = TBuchung{Um(b.H, b.M, datum), b.Art, 0, 0};
  }
  return t;
}

inline TBerVorRecord LeereVorlage() {
  TBerVorRecord v;
  std::memset(&v, 0, sizeof v);
  return v;
}

class SpurListe : public TSpur {
 public:
  void Eintrag(TSpurEintrag e) override { eintraege.push_back(std::move(e)); }
  // The entries whose rule text contains text.
  std::vector<TSpurEintrag> Mit(const std::string& text) const {
    std::vector<TSpurEintrag> out;
    for (const TSpurEintrag& e : eintraege) {
      if (e.Regel.find(text) != std::string::npos) out.push_back(e);
    }
    return out;
  }
  std::vector<TSpurEintrag> eintraege;
};

// A day fraction in whole minutes, for comparing with values worked out by hand.
inline int32_t Min(double x) {
  return TimeToMinutes(x);
}

}  // namespace qrv::testing
