#include "accounting/uebertrag.h"

#include <cmath>
#include <string>

#include "accounting/abrech_text.h"
#include "accounting/praesenz.h"
#include "accounting/zeit_text.h"
#include "master/begrenze.h"
#include "util/datetime.h"
#include "util/rounding.h"

namespace qrv {

namespace {

// The step of the month accounting that these values belong to, as the trace numbers it.
constexpr int kSchrittMonatskonten = 11;
constexpr int kSchrittUebertrag = 12;

// Shares and counters are bounded in the units the template's bounds are entered in.
constexpr double kSkalaAnteil = 144;
constexpr double kSkalaZaehler = 1440;

using Runden = double (*)(double wert, int32_t wertTeiler);
using Text = std::string (*)(double wert);

double AufMinute(double wert, int32_t) {
  return RoundToMinute(wert);
}
double AufTeil(double wert, int32_t teiler) {
  return RoundToFraction(teiler, wert);
}
double AufGanzzahl(double wert, int32_t) {
  // The counters are 16-bit: a sum beyond their range stays at its end.
  const double ganz = RoundHalfEven(wert);
  return ganz > 32767 ? 32767 : ganz < -32768 ? -32768 : ganz;
}

struct TRegel {
  const char* Name;
  int32_t Position;
  double Skala;
  Runden Rund;
  Text Zeige;
  int32_t Teiler = 0;  // 1/Teiler is the step of a share
  int Index = 0;       // of a value in a row (MonKonto[Index]); 0 for a single value
};

// The value's name as the trace shows it, formed only for a listener.
std::string Name(const TRegel& r) {
  return r.Index == 0 ? r.Name : std::string(r.Name) + "[" + std::to_string(r.Index) + "]";
}

// The new value of one carried value: the previous one bounded, plus correction and change.
double NeuerWert(const TUebertragEingabe& e, const TRegel& r, double vor, double korrektur,
                 double aenderung) {
  double begrenzt = vor / r.Skala;
  Begrenze(*e.Vorlage, begrenzt, r.Position, e.Jahreswechsel);
  begrenzt *= r.Skala;
  const double neu = r.Rund(begrenzt + korrektur + aenderung, r.Teiler);
  Melde(e.Spur, [&] {
    return TSpurEintrag{0, kSchrittUebertrag, Name(r), neu,
                        "carry-over: previous " + r.Zeige(vor) + ", bounded at position " +
                            std::to_string(r.Position) + (e.Jahreswechsel ? " with" : " without") +
                            " the year-change bounds to " + r.Zeige(begrenzt) + ", correction " +
                            r.Zeige(korrektur) + ", change " + r.Zeige(aenderung) + " -> " +
                            r.Zeige(neu)};
  });
  return neu;
}

bool Bewegt(double neu, double alt) {
  return std::fabs(neu - alt) >= kTimeTolerance;
}

const TRegel kSaldo{"MonSaldo", 0, 1, AufMinute, DauerText};

bool Salden(const TUebertragEingabe& e, TMonatDaten& m) {
  const TMonErgebnis& s = m.MonErgebnis;
  const TMonatDaten& vor = *e.Vormonat;
  bool geaendert = false;
  const double saldo =
      NeuerWert(e, kSaldo, vor.MonSaldo, m.MonSaldoKorr, s.Werte[ErgebnisPosition(49)]);
  if (Bewegt(saldo, m.MonSaldo)) {
    m.MonSaldo = saldo;
    geaendert = true;
  }

  const TRegel anteilB{"MonAnteilB", -7,       kSkalaAnteil,
                       AufTeil,      ZahlText, e.KontoDefs->Konto(-7).Wert};
  const double b = NeuerWert(e, anteilB, vor.MonAnteilB, m.MonAnteilBKorr, s.Werte[kErgAnteilB]);
  if (Bewegt(b, m.MonAnteilB)) {
    m.MonAnteilB = b;
    geaendert = true;
  }

  const TRegel anteilA{"MonAnteilA", -6,       kSkalaAnteil,
                       AufTeil,      ZahlText, e.KontoDefs->Konto(-6).Wert};
  const double a = NeuerWert(e, anteilA, vor.MonAnteilA, m.MonAnteilAKorr,
                             e.UrlaubZugang - s.Werte[kErgAnteilA]);
  if (Bewegt(a, m.MonAnteilA)) {
    m.MonAnteilA = a;
    geaendert = true;
  }
  return geaendert;
}

bool Zaehler(const TUebertragEingabe& e, TMonatDaten& m) {
  const TMonErgebnis& s = m.MonErgebnis;
  const TMonatDaten& vor = *e.Vormonat;
  bool geaendert = false;
  const TRegel fehler{"MonFehlerTage", -12, kSkalaZaehler, AufGanzzahl, ZahlText};
  const double f = NeuerWert(e, fehler, vor.MonFehlerTage, m.MonFehlerTageKorr, s.FehlerTage);
  if (Bewegt(f, m.MonFehlerTage)) {
    m.MonFehlerTage = static_cast<int16_t>(f);
    geaendert = true;
  }
  const TRegel warn{"MonWarnTage", -11, kSkalaZaehler, AufGanzzahl, ZahlText};
  const double w = NeuerWert(e, warn, vor.MonWarnTage, m.MonWarnTageKorr, s.WarnTage);
  if (Bewegt(w, m.MonWarnTage)) {
    m.MonWarnTage = static_cast<int16_t>(w);
    geaendert = true;
  }
  return geaendert;
}

bool Konten(const TUebertragEingabe& e, TMonatDaten& m) {
  const TMonErgebnis& s = m.MonErgebnis;
  const TMonatDaten& vor = *e.Vormonat;
  bool geaendert = false;
  for (int k = 1; k <= kTagKonten; ++k) {
    const TRegel regel{"MonTagKonto", -k, 1, AufMinute, DauerText, 0, k};
    const double v = NeuerWert(e, regel, vor.MonTagKonto[k - 1], m.MonTagKontoKorr[k - 1],
                               s.Werte[kErgTagKonto + k - 1]);
    if (Bewegt(v, m.MonTagKonto[k - 1])) {
      m.MonTagKonto[k - 1] = v;
      geaendert = true;
    }
  }
  const int anzahl = e.KontoDefs->KontoAnzahl < kKonten ? e.KontoDefs->KontoAnzahl : kKonten;
  for (int j = 1; j <= anzahl; ++j) {
    const TRegel regel{"MonKonto", j, 1, AufMinute, DauerText, 0, j};
    const double v = NeuerWert(e, regel, vor.MonKonto[j - 1], m.MonKontoKorr[j - 1],
                               s.Werte[kErgKonten + j - 1]);
    if (Bewegt(v, m.MonKonto[j - 1])) {
      m.MonKonto[j - 1] = v;
      geaendert = true;
    }
  }
  return geaendert;
}

}  // namespace

bool UebertragRechnen(const TUebertragEingabe& e, TMonatDaten& monat) {
  bool geaendert = Salden(e, monat);
  geaendert = Zaehler(e, monat) || geaendert;
  geaendert = Konten(e, monat) || geaendert;
  const double woche = monat.MonErgebnis.WochenLauf;
  Melde(e.Spur, [&] {
    return TSpurEintrag{0, kSchrittUebertrag, "WochenLauf", woche,
                        "weekly running sum at the month's end " + DauerText(woche) + " (stored " +
                            DauerText(monat.WochenLauf()) + ")"};
  });
  if (woche != monat.WochenLauf()) {
    monat.SetWochenLauf(woche);
    geaendert = true;
  }
  return geaendert;
}

void MonatskontenRechnen(const TBerVorRecord& vorlage, const TKontoDefs& defs, TMonErgebnis& block,
                         TSpur* spur) {
  const double summe = block.Werte[ErgebnisPosition(48)];
  const int anzahl = defs.KontoAnzahl < kKonten ? defs.KontoAnzahl : kKonten;
  for (int j = 1; j <= anzahl; ++j) {
    if (defs.Konto(j).Art != kaMonat) continue;
    const double von = vorlage.KontoVon[j - 1];
    const double bis = vorlage.KontoBis[j - 1];
    const double min = vorlage.KontoMin[j - 1];
    const double teil = KontoTeil(summe, von, bis, min);
    block.Werte[kErgKonten + j - 1] += teil;
    Melde(spur, [&] {
      return TSpurEintrag{0, kSchrittMonatskonten, std::to_string(j), teil,
                          "monthly account: part of the month's result " + DauerText(summe) +
                              " within " + DauerText(von) + "-" + DauerText(bis) + " (minimum " +
                              DauerText(min) + ") adds " + DauerText(teil)};
    });
  }
}

}  // namespace qrv
