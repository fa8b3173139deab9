// The trace of an evaluation: a listener that the day evaluation and the accounting driver tell,
// rule by rule, which value they set and why. Nothing is built for it unless a listener is
// attached: every report goes through Melde, which forms the entry only for a listener.
#pragma once

#include <string>
#include <utility>

#include "util/datetime.h"

namespace qrv {

struct TSpurEintrag {
  TDateTime Datum = 0;   // the day evaluated; 0 for a value of the month
  int Schritt = 0;       // the day's step (1 to 19), 20 adding into the block; the month's step
  std::string Position;  // what was set: "48" (TagErgebnis), "Paare[3]", "Status", "MonSaldo"...
  double Wert = 0;       // the value set (a day fraction for times)
  std::string Regel;     // the rule that set it, with its inputs
};

class TSpur {
 public:
  virtual ~TSpur();
  virtual void Eintrag(TSpurEintrag eintrag) = 0;
};

// Reports the entry that make() forms, only when a listener is attached.
template <class Make>
inline void Melde(TSpur* spur, Make&& make) {
  if (spur != nullptr) spur->Eintrag(std::forward<Make>(make)());
}

}  // namespace qrv
