// The times a day's evaluated list yields inside a window: clipping an interval to a window,
// presence (coming to going) and away time of a booking kind (going to the next coming), and the
// worked time from the first to the last entry within the frame or the span, with the account
// windows of kind 3.
#pragma once

#include <limits>

#include "accounting/buchungsliste.h"
#include "master/modell_version.h"

namespace qrv {

// An interval, and whether it counts (it met the window it was clipped to).
struct TIntervall {
  TDateTime Von = 0;
  TDateTime Bis = 0;
  bool Zaehlt = true;

  // End minus start; 0 for an interval that does not count or whose end lies before its start
  // (bookings out of order never count negative).
  double Dauer() const { return Zaehlt && Bis > Von ? Bis - Von : 0; }
};

// The whole time line.
inline constexpr TIntervall kOffen{std::numeric_limits<double>::lowest(),
                                   std::numeric_limits<double>::max(), true};

// [i.Von, i.Bis] clipped to [w.Von, w.Bis]: when they meet (i.Bis >= w.Von and i.Von <= w.Bis)
// the common part, which counts; otherwise an empty interval at w.Von (or at w.Bis when i lies
// after w) that does not count. An interval or window that does not count clips to nothing.
TIntervall Schneide(TIntervall i, TIntervall w);

// The part of a sum [0, summe] that lies within [von, bis], all durations, or nothing when the
// minimum exceeds that part by more than the tolerance: how weekly, monthly and windowed
// accounts take their share.
double KontoTeil(double summe, double von, double bis, double minimum);

// What is measured: the presence of all kinds, or the away time after goings of one kind (the
// kind -1 standing for plain goings, like 0).
struct TMass {
  bool Abwesend = false;
  int Art = 0;
};
inline constexpr TMass kPraesenz{};
inline TMass Abwesenheit(int art) {
  return TMass{true, art < 0 ? 0 : art};
}

// The sum over the pairs (or the gaps of the kind) of their durations clipped to w.
double Messe(const TBuchungsliste& l, TMass mass, TIntervall w);

// A day's list with the profile it is evaluated under.
struct TTagBasis {
  const TBuchungsliste& Liste;
  const Tagesprofil& Profil;
  TDateTime Datum = 0;   // the day's midnight
  int Kontofenster = 0;  // account windows 1 to this number take part (at most 20)

  TIntervall Fenster(TDateTime von, TDateTime bis) const { return {Datum + von, Datum + bis}; }
  // The frame when the profile has one, else the span from the first to the last entry (which
  // does not count for an empty list).
  TIntervall Rahmen() const;
};

// The worked time from the first to the last entry within w: the measure clipped to the frame
// (or span) and w, plus for each account window of kind 3 the measure inside the part of the
// window within the frame (or span) and w, counted only when the measure inside the whole window
// reaches the window's minutes (within 1e-7).
double Arbeitszeit(const TTagBasis& b, TMass mass, TIntervall w = kOffen);

// The measure inside the switched-on break windows, each clipped to w.
double InPausen(const TTagBasis& b, TMass mass, TIntervall w = kOffen);

}  // namespace qrv
