#include "accounting/praesenz.h"

#include <algorithm>

#include "config/konto_defs.h"

namespace qrv {

TIntervall Schneide(TIntervall i, TIntervall w) {
  if (!i.Zaehlt || !w.Zaehlt) return {w.Von, w.Von, false};
  if (i.Bis >= w.Von && i.Von <= w.Bis) {
    return {std::max(i.Von, w.Von), std::min(i.Bis, w.Bis), true};
  }
  const TDateTime rand = i.Von > w.Bis ? w.Bis : w.Von;
  return {rand, rand, false};
}

double KontoTeil(double summe, double von, double bis, double minimum) {
  const double teil = Schneide({0, summe}, {von, bis}).Dauer();
  return TimeGreater(minimum, teil) ? 0 : teil;
}

double Messe(const TBuchungsliste& l, TMass mass, TIntervall w) {
  double summe = 0;
  // Pairs start at the comings (0, 2, ...), gaps at the goings (1, 3, ...).
  for (int i = mass.Abwesend ? 1 : 0; i + 1 < l.Anzahl; i += 2) {
    if (mass.Abwesend && l.Art(i) != mass.Art) continue;
    summe += Schneide({l.Zeit(i), l.Zeit(i + 1)}, w).Dauer();
  }
  return summe;
}

TIntervall TTagBasis::Rahmen() const {
  if (Profil.HatRahmen) return Fenster(Profil.RahmenVon, Profil.RahmenBis);
  if (Liste.Leer()) return {0, 0, false};
  return {Liste.Erste(), Liste.Letzte()};
}

double Arbeitszeit(const TTagBasis& b, TMass mass, TIntervall w) {
  const TIntervall rahmen = Schneide(b.Rahmen(), w);
  double summe = Messe(b.Liste, mass, rahmen);
  const int n = std::min(b.Kontofenster, kKontofensterAnzahl);
  for (int j = 0; j < n; ++j) {
    const TKontofenster kf = b.Profil.Kontofenster[j];
    if (kf.Art != kaMehrarbeit) continue;
    const TIntervall fenster = b.Fenster(kf.Von, kf.Bis);
    if (TimeGreater(kf.Minuten, Messe(b.Liste, mass, fenster))) continue;
    summe += Messe(b.Liste, mass, Schneide(fenster, rahmen));
  }
  return summe;
}

double InPausen(const TTagBasis& b, TMass mass, TIntervall w) {
  double summe = 0;
  for (const TZeitfenster& p : b.Profil.Pausen) {
    if (!p.Aktiv) continue;
    summe += Messe(b.Liste, mass, Schneide(b.Fenster(p.Von, p.Bis), w));
  }
  return summe;
}

}  // namespace qrv
