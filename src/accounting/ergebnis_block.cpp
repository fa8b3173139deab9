#include "accounting/ergebnis_block.h"

#include <string>

#include "accounting/kontowerte.h"
#include "accounting/praesenz.h"
#include "accounting/tag_setzen.h"
#include "master/tag_status.h"

namespace qrv {

namespace {

constexpr int kSchritt = 20;

const TBerVorRecord kLeereVorlage{};

// The part of [0, summe] within the account's range, nothing when it stays below the minimum.
// j counts the accounts from 0, as the template's arrays do.
double WochenAnteil(const TBerVorRecord& v, int j, double summe) {
  return KontoTeil(summe, v.KontoVon[j], v.KontoBis[j], v.KontoMin[j]);
}

// On the template's closing weekday the weekly accounts take their part of the week's sum, the
// sum is kept in the day and the running sum starts again.
void WochenEnde(const TAuswertung& a, const TBerVorRecord& v, TDateTime datum, TMonatTag& tag,
                TMonErgebnis& block, const TTagSpur& spur) {
  if (DayOfWeek(datum) - 1 != v.WochenEnde) return;
  const TKontoDefs& defs = a.KontoDefs != nullptr ? *a.KontoDefs : KeineKonten();
  const double summe = block.WochenLauf;
  for (int j = 0; j < KontoZahl(defs); ++j) {
    const int konto = j + 1;
    if (defs.Konto(konto).Art != kaWoche) continue;
    const double teil = WochenAnteil(v, j, summe);
    SetErgebnis(tag, konto, TagKontoWert(tag, konto) + teil);
    spur.Melde(kSchritt, {nullptr, konto}, Ergebnis(tag, konto), [&] {
      return "weekly account " + std::to_string(konto) + " closes the week at " + DauerText(summe) +
             ": adds " + DauerText(teil);
    });
  }
  tag.TagRest.WochenSumme = summe;
  block.WochenLauf = 0;
}

void Summen(const TMonatTag& tag, int n, TMonErgebnis& block) {
  for (int pos = tpAnwesenheit; pos <= kTagErgebnisse; ++pos) {
    const int i = ErgebnisPosition(pos);
    if (i >= 0) block.Werte[i] += Ergebnis(tag, pos);
  }
  for (int k = 0; k < kTagKonten; ++k) block.Werte[kErgTagKonto + k] += TagKonto(tag, k + 1);
  for (int konto = 1; konto <= n; ++konto) {
    block.Werte[ErgebnisPosition(konto)] += Ergebnis(tag, konto);
  }
  block.Werte[kErgArbeitstage] += tag.TagRest.Arbeitstag;
  block.Werte[kErgAnteilB] += tag.TagRest.AnteilB;
  block.Werte[kErgAnteilA] += tag.TagRest.AnteilA;
  block.Feiertage += tag.TagRest.Feiertag;
}

void Zaehler(const TBerVorRecord& v, uint16_t status, TMonErgebnis& block) {
  if (IstFehler(v, status)) {
    ++block.FehlerTage;
  } else if (IstWarnung(v, status)) {
    ++block.WarnTage;
  }
}

}  // namespace

bool IstZeitsumme(int i, int n) {
  if (i < 0 || i >= kErgWerte) return false;
  if (i >= kErgKonten && i < kErgKonten + kKonten) return i < kErgKonten + n;
  return i != kErgArbeitstage && i != kErgAnteilB && i != kErgAnteilA;
}

void TagAddieren(const TAuswertung& a, TDateTime datum, TMonatTag& tag, TMonErgebnis& block) {
  const TBerVorRecord& v = a.Vorlage != nullptr ? *a.Vorlage : kLeereVorlage;
  const TTagSpur spur{a.Spur, datum};
  const int n = KontoZahl(a.KontoDefs != nullptr ? *a.KontoDefs : KeineKonten());
  block.WochenLauf += Ergebnis(tag, tpIst);
  WochenEnde(a, v, datum, tag, block, spur);
  tag.TagRest.WochenLauf = block.WochenLauf;
  spur.Melde(kSchritt, {"WochenLauf"}, block.WochenLauf,
             [&] { return "weekly running sum after the day: " + DauerText(block.WochenLauf); });
  Summen(tag, n, block);
  Zaehler(v, tag.Status, block);
}

void BlockRunden(const TAuswertung& a, TMonErgebnis& block) {
  const int n = KontoZahl(a.KontoDefs != nullptr ? *a.KontoDefs : KeineKonten());
  for (int i = 0; i < kErgWerte; ++i) {
    if (IstZeitsumme(i, n)) block.Werte[i] = RoundToMinute(block.Werte[i]);
  }
  block.WochenLauf = RoundToMinute(block.WochenLauf);
}

}  // namespace qrv
