#include "accounting/rundung.h"

#include <cmath>
#include <string>

#include "util/bits.h"

namespace qrv {

namespace {

constexpr int kSchritt = 2;

int32_t FloorDiv(int64_t a, int32_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int32_t>(q);
}

struct TRundung {
  int32_t Raster = 0;
  uint32_t Flags = 0;
  bool FreiAn = false;
  TDateTime FreiVon = 0;
  TDateTime FreiBis = 0;

  bool ImFreiFenster(TDateTime t) const { return FreiAn && t >= FreiVon && t <= FreiBis; }
  bool NurErstes() const { return BitSet(Flags, 3); }
  bool NurLetztes() const { return BitSet(Flags, 4); }
  bool Alle() const { return !NurErstes() && !NurLetztes(); }
};

// Rounds entry i (a coming when kommen) of l in place when the rules choose it.
void RundeEintrag(TBuchungsliste& l, int i, bool kommen, bool gewaehlt, const TRundung& r,
                  const Tagesprofil& p, TDateTime datum, const TTagSpur& spur) {
  const TDateTime alt = l.Zeit(i);
  if (!gewaehlt || r.ImFreiFenster(alt)) return;
  const int32_t t = TimeToMinutes(kommen ? p.RundKommen : p.RundGehen);
  const bool ab = BitSet(r.Flags, kommen ? 1 : 2);
  const TDateTime neu = RundeZeit(alt, r.Raster, t, ab);
  l.Eintrag[i].Zeit = neu;
  spur.Melde(kSchritt, {"Paare", i + 1}, neu, [&] {
    return std::string("rounding of ") + (kommen ? "coming " : "going ") + std::to_string(i + 1) +
           " " + UhrText(alt, datum) + " -> " + UhrText(neu, datum) + " (grid " +
           std::to_string(r.Raster) + ", tolerance " + std::to_string(t) + ", " +
           (ab ? "down" : "up") + ")";
  });
}

}  // namespace

int32_t RundeMinuten(int32_t m, int32_t g, int32_t t, bool ab) {
  const int64_t zaehler = ab ? int64_t{m} + t : int64_t{m} + g - t - 1;
  return g * FloorDiv(zaehler, g);
}

TDateTime RundeZeit(TDateTime t, int32_t g, int32_t toleranz, bool ab) {
  if (g <= 0 || !std::isfinite(t)) return t;
  const double mitternacht = std::floor(t);
  const int32_t m = TimeToMinutes(t - mitternacht);
  return mitternacht + MinutesToTime(RundeMinuten(m, g, toleranz, ab));
}

bool RundungAn(const Tagesprofil& profil) {
  return BitSet(profil.RundFlags, 0) && TimeToMinutes(profil.RundRaster) > 0;
}

TBuchungsliste RundeListe(const TBuchungsliste& liste, const Tagesprofil& p, TDateTime datum,
                          const TTagSpur& spur) {
  TBuchungsliste l = liste;
  if (!RundungAn(p)) return l;
  TRundung r{TimeToMinutes(p.RundRaster), p.RundFlags, p.RundFrei, datum + p.RundFreiVon,
             datum + p.RundFreiBis};
  const int paare = l.Anzahl / 2;
  for (int k = 0; k < paare; ++k) {
    const int kommen = 2 * k;
    const int gehen = kommen + 1;
    RundeEintrag(l, kommen, true, r.Alle() || (r.NurErstes() && k == 0), r, p, datum, spur);
    RundeEintrag(l, gehen, false, r.Alle() || (r.NurLetztes() && k == paare - 1), r, p, datum,
                 spur);
    if (l.Zeit(gehen) < l.Zeit(kommen)) {
      l.Eintrag[gehen].Zeit = l.Zeit(kommen);
      spur.Melde(kSchritt, {"Paare", gehen + 1}, l.Zeit(gehen), [&] {
        return "going " + std::to_string(gehen + 1) + " would fall before its coming: set to " +
               UhrText(l.Zeit(gehen), datum);
      });
    }
  }
  return l;
}

}  // namespace qrv
