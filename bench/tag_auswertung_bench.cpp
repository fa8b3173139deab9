// The cost of evaluating a day: a full day with rounding, break windows, a break rule and
// account windows, without a trace listener and with one that keeps every entry.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "accounting/tag_auswertung.h"
#include "accounting/tag_ergebnis.h"

namespace {

using qrv::HMToTime;

qrv::Tagesprofil Profil() {
  qrv::Tagesprofil p;
  std::memset(&p, 0, sizeof p);
  p.Tagesende = 1.0;
  p.Soll = HMToTime(8, 0);
  p.RundFlags = 1;
  p.RundRaster = HMToTime(0, 15);
  p.RundKommen = HMToTime(0, 5);
  p.Pausen[0] = qrv::TZeitfenster{true, HMToTime(12, 0), HMToTime(12, 30)};
  p.Regeln[0] = qrv::TPausenRegel{1, 0, 0};
  p.RegelSchwelle[0] = HMToTime(6, 0);
  p.RegelMinuten[0] = HMToTime(0, 30);
  p.Kontofenster[0] = qrv::TKontofenster{HMToTime(6, 0), HMToTime(14, 0), 1, 0};
  return p;
}

qrv::TMonatTag Tag(qrv::TDateTime datum) {
  qrv::TMonatTag t;
  std::memset(&t, 0, sizeof t);
  t.Fehlzeit = ' ';
  const int zeiten[] = {7 * 60 + 58, 12 * 60 + 2, 12 * 60 + 31, 16 * 60 + 47};
  for (int m : zeiten)
    t.Buchungen[t.AnzBuchungen++] = qrv::TBuchung{datum + HMToTime(0, m), 0, 0, 0};
  return t;
}

class Sammler : public qrv::TSpur {
 public:
  void Eintrag(qrv::TSpurEintrag e) override { eintraege.push_back(std::move(e)); }
  std::vector<qrv::TSpurEintrag> eintraege;
};

void Auswerten(benchmark::State& state, qrv::TSpur* spur) {
  const qrv::TDateTime datum = 46365;
  const qrv::Tagesprofil p = Profil();
  qrv::TBerVorRecord v;
  std::memset(&v, 0, sizeof v);
  qrv::TKontoDefs defs;
  qrv::TAuswertung a;
  a.Vorlage = &v;
  a.KontoDefs = &defs;
  a.Jetzt = datum + 2;
  a.Spur = spur;
  for (auto _ : state) {
    qrv::TMonatTag t = Tag(datum);
    qrv::TagAuswerten(a, p, datum, qrv::TFenster{}, t);
    benchmark::DoNotOptimize(qrv::Ergebnis(t, qrv::tpIst));
  }
}

void BM_TagAuswertenOhneSpur(benchmark::State& state) {
  Auswerten(state, nullptr);
}
BENCHMARK(BM_TagAuswertenOhneSpur);

void BM_TagAuswertenMitSpur(benchmark::State& state) {
  Sammler spur;
  Auswerten(state, &spur);
  state.counters["entries"] =
      static_cast<double>(spur.eintraege.size()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TagAuswertenMitSpur);

}  // namespace
