#include "accounting/pausenregeln.h"

#include <algorithm>
#include <string>

#include "util/bits.h"

namespace qrv {

namespace {

constexpr int kSchritt = 10;

// The kinds whose away time counts as worked time for the rules, with their switches in
// Optionen2.
constexpr struct {
  int Art;
  int Bit;
} kAlsArbeit[] = {{4, 2}, {6, 3}, {8, 4}};

// What a rule measures: the span it covers, its window and the worked time there.
struct TMessung {
  TIntervall Spanne;  // [S, E]
  TIntervall W;
  bool Eigen = false;
  double G = 0;
};

// The span from the first to the last entry (clipped to the frame), and the rule's own window
// clipped to the frame and then the span clipped to it. False when the two do not meet.
bool Spanne(const TTagBasis& b, const TPausenRegel& regel, TMessung& m) {
  const Tagesprofil& p = b.Profil;
  m.Spanne = {b.Liste.Erste(), b.Liste.Letzte()};
  if (p.HatRahmen) m.Spanne = Schneide(m.Spanne, b.Fenster(p.RahmenVon, p.RahmenBis));
  m.Eigen = regel.Von != regel.Bis;
  if (!m.Eigen) {
    m.W = m.Spanne;
    return true;
  }
  m.W = b.Fenster(regel.Von, regel.Bis);
  if (p.HatRahmen) m.W = Schneide(m.W, b.Fenster(p.RahmenVon, p.RahmenBis));
  m.Spanne = Schneide(m.W, m.Spanne);
  return m.Spanne.Zaehlt;
}

// The worked time within W; away times of kinds 4, 6 and 8 count when the template says so,
// less their part in the break windows.
double ArbeitImFenster(const TTagBasis& b, const TBerVorRecord& v, TIntervall w) {
  double g = Arbeitszeit(b, kPraesenz, w);
  for (const auto& k : kAlsArbeit) {
    if (!BitSet(v.Optionen2, k.Bit)) continue;
    const TMass mass = Abwesenheit(k.Art);
    g += Arbeitszeit(b, mass, w) - InPausen(b, mass, w);
  }
  return RoundToMinute(g);
}

double Basis(const TTagBasis& b, int basis, double arbeitszeit, const TMessung& m) {
  if (basis == 0) return arbeitszeit;
  if (basis == 1) return m.G;
  return RoundToMinute(Arbeitszeit(b, kPraesenz, {b.Liste.Erste(), m.Spanne.Von}));
}

double Begrenzt(double r, double g) {
  return std::max(std::min(r, 0.0), -g);
}

}  // namespace

TRegelErgebnis PausenRegel(const TTagBasis& b, const TBerVorRecord& v, int i, double arbeitszeit,
                           double bisher, const TTagSpur& spur) {
  const Tagesprofil& p = b.Profil;
  const TPausenRegel regel = p.Regeln[i];
  TRegelErgebnis out;
  if (regel.Typ <= 0) return out;
  out.EigenesFenster = regel.Von != regel.Bis;
  out.Fenster = b.Fenster(regel.Von, regel.Bis);
  const int art = regel.Typ & 3;
  const int basisArt = (regel.Typ >> 2) & 3;
  TMessung m;
  if (b.Liste.Anzahl < 2 || !Spanne(b, regel, m)) return out;
  // Durations are taken to the minute, so that a break of exactly the due minutes compares equal
  // to them whatever the date-time differences leave in the last bits.
  const double spanne = RoundToMinute(m.Spanne.Dauer());
  const double minuten = p.RegelMinuten[i];
  const double faellig = std::min(spanne, minuten);
  m.G = ArbeitImFenster(b, v, m.W);
  const double genommen = m.Eigen ? RoundToMinute(spanne - m.G) : 0.0;
  const double basis = Basis(b, basisArt, arbeitszeit, m);
  const double schwelle = p.RegelSchwelle[i];
  double r = 0;
  if (basis >= schwelle) {
    if (art == 1) {
      r = Begrenzt(-(faellig - genommen), m.G);
      if ((!m.Eigen || regel.Bis == p.Tagesende) && basis + r + bisher < schwelle) {
        r = Begrenzt(schwelle - basis - bisher, m.G);
      }
    } else if (art == 2) {
      r = std::min(genommen, faellig);
    } else if (art == 3) {
      r = genommen > faellig ? 0.0 : genommen;
    }
  }
  out.Wert = r;
  spur.Melde(kSchritt, {"Regel", i + 1}, r, [&] {
    return "break rule " + std::to_string(i + 1) + " (kind " + std::to_string(art) + ", basis " +
           std::to_string(basisArt) + "): due " + DauerText(faellig) + ", taken " +
           DauerText(genommen) + ", g " + DauerText(m.G) + ", basis " + DauerText(basis) +
           ", threshold " + DauerText(schwelle) + " -> " + DauerText(r);
  });
  return out;
}

std::array<TRegelErgebnis, kRegelAnzahl> PausenRegeln(const TTagBasis& b, const TBerVorRecord& v,
                                                      double arbeitszeit, const TTagSpur& spur) {
  std::array<TRegelErgebnis, kRegelAnzahl> out{};
  double bisher = 0;
  for (int i = 0; i < kRegelAnzahl; ++i) {
    out[i] = PausenRegel(b, v, i, arbeitszeit, bisher, spur);
    bisher += out[i].Wert;
  }
  return out;
}

}  // namespace qrv
