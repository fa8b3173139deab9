#include "accounting/kontowerte.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "accounting/tag_setzen.h"

namespace qrv {

namespace {

// Whether the automatic break rule's own window lies on the account window.
bool AufFenster(const TRegelErgebnis& r, TIntervall fenster) {
  return r.EigenesFenster && r.Fenster.Von >= fenster.Von && r.Fenster.Bis <= fenster.Bis;
}

// Kinds 1 and 3: the presence in the window, the break rules on it, less the break windows.
double Praesenz(const TTagBasis& b, TIntervall fenster,
                const std::array<TRegelErgebnis, kRegelAnzahl>& regeln) {
  double wert = Messe(b.Liste, kPraesenz, fenster);
  for (const TRegelErgebnis& r : regeln) {
    if (AufFenster(r, fenster)) wert += r.Wert;
  }
  return wert - InPausen(b, kPraesenz, fenster);
}

// What account window j (0-based) adds for an account of kind art; 0 for a kind that collects
// nothing in a window, or when the window's minutes are not reached.
double FensterZuschlag(const TTagBasis& b, int j, uint8_t art,
                       const std::array<TRegelErgebnis, kRegelAnzahl>& regeln,
                       const TMonatTag& tag) {
  const TKontofenster kf = b.Profil.Kontofenster[j];
  switch (art) {
    case kaRahmenzeit:
    case kaMehrarbeit: {
      const double wert = Praesenz(b, b.Fenster(kf.Von, kf.Bis), regeln);
      return TimeGreater(kf.Minuten, wert) ? 0 : RoundToMinute(wert);
    }
    case kaUeberstunden:
      return RoundToMinute(
          KontoTeil(Ergebnis(tag, tpIst) - Ergebnis(tag, tpFeiertag), kf.Von, kf.Bis, kf.Minuten));
    case kaArbeitsstunden:
      return RoundToMinute(KontoTeil(Ergebnis(tag, tpNetto) + TagKontoErgebnis(tag, 1) +
                                         TagKontoErgebnis(tag, 2) + TagKontoErgebnis(tag, 3),
                                     kf.Von, kf.Bis, kf.Minuten));
    default:
      return 0;
  }
}

bool EigeneFehlzeit(const KontoDef& def, const FehlzeitDef* fehlzeit, char buchstabe) {
  return def.Art == kaSonstiges && fehlzeit != nullptr &&
         std::tolower(static_cast<unsigned char>(def.Zeichen)) == buchstabe;
}

// One sum-account operand.
double Operand(const TMonatTag& tag, int index, int n) {
  if (index > 0) return index <= n ? Ergebnis(tag, index) : 0;
  if (index == 0) return Ergebnis(tag, tpDifferenz);
  if (index >= -kTagKonten) return TagKontoErgebnis(tag, -index);
  return 0;
}

}  // namespace

int KontoZahl(const TKontoDefs& defs) {
  return std::clamp(defs.KontoAnzahl, 0, kKonten);
}

int TagesKontofenster(const TKontoDefs& defs) {
  return std::min({KontoZahl(defs), std::max(defs.ZeitfensterAnzahl, 0), kKontofensterAnzahl});
}

const TKontoDefs& KeineKonten() {
  static const TKontoDefs keine;
  return keine;
}

const TFehlzeiten& FehlzeitenVon(const TAuswertung& a) {
  static const TFehlzeiten keine;
  return a.Fehlzeiten != nullptr ? *a.Fehlzeiten : keine;
}

void KontoWerte(const TTagBasis& b, const TKontoDefs& defs, const FehlzeitDef* fehlzeit,
                const std::array<TRegelErgebnis, kRegelAnzahl>& regeln, TMonatTag& tag,
                const TTagSpur& spur) {
  const int fenster = TagesKontofenster(defs);
  for (int j = 0; j < KontoZahl(defs); ++j) {
    const int konto = j + 1;
    const KontoDef& def = defs.Konto(konto);
    double zuschlag = 0;
    enum { kGespeichert, kFehlzeit, kFenster } quelle = kGespeichert;
    if (EigeneFehlzeit(def, fehlzeit, tag.Fehlzeit)) {
      zuschlag = TagKonto(tag, 3);
      quelle = kFehlzeit;
    } else if (j < fenster && b.Profil.Kontofenster[j].Art != 0) {
      zuschlag = FensterZuschlag(b, j, def.Art, regeln, tag);
      quelle = kFenster;
    }
    Setze(tag, spur, 15, konto, TagKontoWert(tag, konto) + zuschlag, [&] {
      if (quelle == kFehlzeit) {
        return "stored value and the other hours of absence " + std::string(1, tag.Fehlzeit) +
               " (" + DauerText(zuschlag) + ")";
      }
      if (quelle == kGespeichert) return std::string("stored value");
      return "stored value and account window " + std::to_string(konto) + " (kind " +
             std::to_string(def.Art) + ") adds " + DauerText(zuschlag);
    });
  }
}

void SummenKonten(const TKontoDefs& defs, TMonatTag& tag, const TTagSpur& spur) {
  const int n = KontoZahl(defs);
  for (int konto = 1; konto <= n; ++konto) {
    const KontoDef& def = defs.Konto(konto);
    if (def.Art != kaSumme) continue;
    double summe = Ergebnis(tag, konto);
    for (int s = 0; s < kKontoSlots; ++s)
      summe += def.SumFaktor[s] * Operand(tag, def.SumKonto[s], n);
    Setze(tag, spur, 18, konto, summe,
          [&] { return "sum account " + std::to_string(konto) + " adds its operands"; });
  }
}

}  // namespace qrv
