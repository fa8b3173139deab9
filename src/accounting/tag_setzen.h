// Writing a day result: rounded to the minute, stored at its position and told to the trace.
#pragma once

#include <utility>

#include "accounting/tag_ergebnis.h"
#include "accounting/zeit_text.h"

namespace qrv {

// TagErgebnis[pos] := wert rounded to the minute; the trace gets the stored value and regel's
// text.
template <class Regel>
void Setze(TMonatTag& tag, const TTagSpur& spur, int schritt, int pos, double wert, Regel&& regel) {
  const double w = RoundToMinute(wert);
  SetErgebnis(tag, pos, w);
  spur.Melde(schritt, {nullptr, pos}, w, std::forward<Regel>(regel));
}

// TagKontoErgebnis[k] := wert rounded to the minute, told to the trace.
template <class Regel>
void SetzeTagKonto(TMonatTag& tag, const TTagSpur& spur, int schritt, int k, double wert,
                   Regel&& regel) {
  const double w = RoundToMinute(wert);
  SetTagKontoErgebnis(tag, k, w);
  spur.Melde(schritt, {"TagKontoErgebnis", k}, w, std::forward<Regel>(regel));
}

}  // namespace qrv
