// The per-account day values of the defined accounts: each starts from the day's stored value;
// an account window of the day profile adds the time its account's kind collects there, an
// account of kind 6 the other hours of its absence letter, and a sum account adds up its operands.
#pragma once

#include <array>

#include "accounting/pausenregeln.h"
#include "accounting/tag_auswertung.h"
#include "accounting/zeit_text.h"
#include "config/fehlzeiten.h"
#include "config/konto_defs.h"

namespace qrv {

// The defined accounts 1 to this number (0 to 40) take part.
int KontoZahl(const TKontoDefs& defs);
// The account windows 1 to this number (0 to 20) take part.
int TagesKontofenster(const TKontoDefs& defs);
// Accounts all unused, for an evaluation given none.
const TKontoDefs& KeineKonten();
// The evaluation's absence types; all undefined when it was given none.
const TFehlzeiten& FehlzeitenVon(const TAuswertung& a);
// Whether a day's absence character is an absence letter (a to z).
inline bool HatFehlzeit(char c) {
  return c >= 'a' && c <= 'z';
}

// TagErgebnis[1..n] from the stored values TagKontoWert, the account windows and the absence
// letter. Reads TagErgebnis[42], [46], [48], TagKontoErgebnis[1..3] and TagKonto[3].
void KontoWerte(const TTagBasis& b, const TKontoDefs& defs, const FehlzeitDef* fehlzeit,
                const std::array<TRegelErgebnis, kRegelAnzahl>& regeln, TMonatTag& tag,
                const TTagSpur& spur);

// Each sum account adds its operands: another account's value (index above 0), the difference
// TagErgebnis[49] (0) or a day account TagKontoErgebnis[1..5] (-1 to -5), each times its factor.
void SummenKonten(const TKontoDefs& defs, TMonatTag& tag, const TTagSpur& spur);

}  // namespace qrv
