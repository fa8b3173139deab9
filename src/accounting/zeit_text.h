// Texts of times and durations for the trace's rule texts: "08:06" for a time of day (hours past
// 23 for a time on the next day), "0:45" and "-0:30" for durations.
#pragma once

#include <string>

#include "accounting/spur.h"
#include "util/datetime.h"

namespace qrv {

// The time t of the day whose midnight is datum, as hh:mm.
std::string UhrText(TDateTime t, TDateTime datum);
// A duration as h:mm, negative with a leading "-".
std::string DauerText(double dauer);

// Where a traced value lives: a name alone ("41", "Status"), a name with a 1-based index
// ("Paare[3]"), or an account number alone ("7"). Cheap to pass; formed into text only for a
// listener.
struct TSpurPos {
  const char* Name = nullptr;
  int Index = 0;

  std::string Text() const;
};

// The day's trace: the listener, the day and the step. Melde forms the entry only for a
// listener, so rule texts are built by the lambda regel alone.
struct TTagSpur {
  TSpur* Spur = nullptr;
  TDateTime Datum = 0;

  template <class Regel>
  void Melde(int schritt, TSpurPos pos, double wert, Regel&& regel) const {
    qrv::Melde(Spur, [&] { return TSpurEintrag{Datum, schritt, pos.Text(), wert, regel()}; });
  }
};

}  // namespace qrv
