#include "accounting/tag_auswertung.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "accounting/buchungsliste.h"
#include "accounting/kontowerte.h"
#include "accounting/pausenregeln.h"
#include "accounting/praesenz.h"
#include "accounting/rundung.h"
#include "accounting/tag_setzen.h"
#include "master/tag_status.h"
#include "util/bits.h"

namespace qrv {

namespace {

const TBerVorRecord kLeereVorlage{};

std::string Text(const char* text) {
  return text;
}

// A day share as a decimal number ("1.0", "0.5", "0.33").
std::string AnteilText(double anteil) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", anteil);
  std::string s = text;
  while (s.size() > 3 && s.back() == '0') s.pop_back();
  return s;
}

// The evaluation window as an interval; a start of 0 is open.
TIntervall Auswertefenster(const TFenster& f) {
  return {f.Von == 0 ? kOffen.Von : f.Von, f.Bis};
}

// A deduction limited in size to grenze (never below 0).
double Begrenzt(double wert, double grenze) {
  const double g = std::max(grenze, 0.0);
  return std::clamp(wert, -g, g);
}

// One evaluation of one day: the steps in order, each reading the results of the steps before
// from the day entry.
class TTagLauf {
 public:
  TTagLauf(const TAuswertung& a, const Tagesprofil& p, TDateTime datum, const TFenster& f,
           TMonatTag& tag)
      : a_(a),
        p_(p),
        v_(a.Vorlage != nullptr ? *a.Vorlage : kLeereVorlage),
        defs_(a.KontoDefs != nullptr ? *a.KontoDefs : KeineKonten()),
        datum_(datum),
        fenster_(f),
        tag_(tag),
        spur_{a.Spur, datum},
        basis_{liste_, p, datum, TagesKontofenster(defs_)} {}

  void Laufen() {
    Liste();
    Runden();
    Pausenfenster();
    if (!ImFenster()) return;
    Anteile();
    Arbeitstag();
    Feiertag();
    Abzuege();
    AutoPausen();
    Abwesenheiten();
    TagKonten();
    Ist(14);
    KontoWerte(basis_, defs_, Fehlzeit(), regeln_, tag_, spur_);
    Soll();
    Differenz();
    SummenKonten(defs_, tag_, spur_);
    StatusBits();
  }

 private:
  double E(int pos) const { return Ergebnis(tag_, pos); }
  template <class Regel>
  void Setze(int schritt, int pos, double wert, Regel&& regel) {
    qrv::Setze(tag_, spur_, schritt, pos, wert, std::forward<Regel>(regel));
  }
  const FehlzeitDef* Fehlzeit() const {
    return HatFehlzeit(tag_.Fehlzeit) ? &FehlzeitenVon(a_).Fehlzeit(tag_.Fehlzeit) : nullptr;
  }
  bool Option(int bit) const { return BitSet(v_.Optionen, bit); }
  bool Option2(int bit) const { return BitSet(v_.Optionen2, bit); }

  void Liste();
  void Kernzeit();
  void Runden();
  void Pausenfenster();
  bool ImFenster() const;
  void Anteile();
  void Arbeitstag();
  void Feiertag();
  const char* FeiertagGesperrt() const;
  void Abzuege();
  void AutoPausen();
  void Abwesenheiten();
  void TagKonten();
  void Ist(int schritt);
  void Soll();
  void Differenz();
  void StatusBits();

  const TAuswertung& a_;
  const Tagesprofil& p_;
  const TBerVorRecord& v_;
  const TKontoDefs& defs_;
  TDateTime datum_;
  const TFenster& fenster_;
  TMonatTag& tag_;
  TTagSpur spur_;
  TBuchungsliste liste_;
  TTagBasis basis_;
  std::array<TRegelErgebnis, kRegelAnzahl> regeln_{};
  bool feiertag_ = false;
};

void TTagLauf::Liste() {
  const TListe l = BaueListe(p_, v_, datum_, a_.Jetzt, tag_, spur_);
  liste_ = l.Liste;
  tag_.Status = l.Status;
  liste_.InPaare(tag_);
  Setze(1, tpAnwesenheit, Messe(liste_, kPraesenz, Auswertefenster(fenster_)),
        [] { return Text("presence in the evaluation window, before rounding"); });
  Kernzeit();
}

// Came after or left before the core time, from the stored bookings.
void TTagLauf::Kernzeit() {
  tag_.Status &= static_cast<uint16_t>(~(kStatusNachKernzeit | kStatusVorKernzeit));
  const int n = tag_.Buchungszahl();
  if (!p_.HatKernzeit || liste_.Leer() || n == 0) return;
  const TDateTime erste = tag_.Buchungen[0].Zeit;
  const int letzteBuchung = n - 1;
  const TDateTime letzte = tag_.Buchungen[letzteBuchung].Zeit;
  if (erste > datum_ + p_.KernBeginn) tag_.Status |= kStatusNachKernzeit;
  if (n % 2 == 0 && letzte < datum_ + p_.KernEnde) tag_.Status |= kStatusVorKernzeit;
  spur_.Melde(1, {"Status"}, tag_.Status, [&] {
    return "core time " + UhrText(datum_ + p_.KernBeginn, datum_) + "-" +
           UhrText(datum_ + p_.KernEnde, datum_) + ": first booking " + UhrText(erste, datum_) +
           ", last booking " + UhrText(letzte, datum_);
  });
}

void TTagLauf::Runden() {
  const bool rund = RundungAn(p_);
  if (rund) {
    Setze(2, tpPraesenz, Messe(liste_, kPraesenz, Auswertefenster(fenster_)),
          [] { return Text("presence in the evaluation window, before rounding"); });
    Setze(2, tpArbeitUngerundet, Arbeitszeit(basis_, kPraesenz),
          [] { return Text("worked time from the first to the last entry, before rounding"); });
    liste_ = RundeListe(liste_, p_, datum_, spur_);
    liste_.InPaare(tag_);
  }
  Setze(3, tpPraesenz, Messe(liste_, kPraesenz, Auswertefenster(fenster_)),
        [] { return Text("presence in the evaluation window"); });
  Setze(3, tpArbeitszeit, Arbeitszeit(basis_, kPraesenz), [&] {
    const TIntervall r = basis_.Rahmen();
    return std::string(p_.HatRahmen ? "frame " : "span ") + UhrText(r.Von, datum_) + "-" +
           UhrText(r.Bis, datum_) + " clips worked time";
  });
  if (!rund)
    Setze(3, tpArbeitUngerundet, E(tpArbeitszeit),
          [] { return Text("no rounding: worked time before rounding is the worked time"); });
}

// The break windows deduct the presence inside them, at most the worked time. (The limit does
// not look at deductions an earlier evaluation left in the entry: evaluating a day again gives
// the same result.)
void TTagLauf::Pausenfenster() {
  double pausen = -InPausen(basis_, kPraesenz);
  if (-pausen > E(tpArbeitszeit)) pausen = -E(tpArbeitszeit);
  Setze(4, tpPausen, pausen, [&] {
    std::string text;
    for (int i = 0; i < kPausenAnzahl; ++i) {
      const TZeitfenster w = p_.Pausen[i];
      if (!w.Aktiv) continue;
      const TIntervall f = basis_.Fenster(w.Von, w.Bis);
      text += (text.empty() ? "" : ", ") + std::string("break window ") + std::to_string(i + 1) +
              " " + UhrText(f.Von, datum_) + "-" + UhrText(f.Bis, datum_) + " deducts " +
              DauerText(Messe(liste_, kPraesenz, f));
    }
    return text.empty() ? Text("no break window") : text;
  });
  Setze(4, tpAbzuege, E(tpPausen), [] { return Text("deductions so far: the break windows"); });
}

bool TTagLauf::ImFenster() const {
  const bool ab = fenster_.Von == 0 || fenster_.Von <= datum_;
  const bool ok = ab && datum_ < fenster_.Bis;
  spur_.Melde(5, {"Fenster"}, ok ? 1 : 0, [&] {
    return ok ? Text("day inside the evaluation window")
              : Text("day outside the evaluation window: evaluation ends");
  });
  return ok;
}

void TTagLauf::Anteile() {
  const double w1 = p_.TagWert1, w2 = p_.TagWert2;
  const double a = w1 != 0 ? RoundToFraction(defs_.Konto(-6).Wert, TagKonto(tag_, 4) / w1) : 0;
  const double b = w2 != 0 ? RoundToFraction(defs_.Konto(-7).Wert, TagKonto(tag_, 5) / w2) : 0;
  tag_.TagRest.AnteilA = a;
  tag_.TagRest.AnteilB = b;
  spur_.Melde(6, {"AnteilA"}, a, [&] {
    return "share A " + AnteilText(a) + " (vacation " + DauerText(TagKonto(tag_, 4)) + " of " +
           DauerText(w1) + ")";
  });
  spur_.Melde(6, {"AnteilB"}, b, [&] {
    return "share B " + AnteilText(b) + " (sick " + DauerText(TagKonto(tag_, 5)) + " of " +
           DauerText(w2) + ")";
  });
}

void TTagLauf::Arbeitstag() {
  feiertag_ = a_.Feiertage != nullptr && a_.Feiertage->IstFeiertag(datum_);
  const FehlzeitDef* f = Fehlzeit();
  const bool option = f != nullptr && f->Option;
  tag_.TagRest.Arbeitstag = !feiertag_ && p_.Soll > 0 && !option ? 1 : 0;
  spur_.Melde(7, {"Arbeitstag"}, tag_.TagRest.Arbeitstag, [&] {
    return feiertag_     ? Text("no working day: public holiday")
           : option      ? Text("no working day: absence type with option")
           : p_.Soll > 0 ? Text("working day")
                         : Text("no working day: no target");
  });
}

// Why a holiday is not credited, or null when nothing blocks it.
const char* TTagLauf::FeiertagGesperrt() const {
  const FehlzeitDef* f = Fehlzeit();
  if (TagKonto(tag_, 5) != 0) return "no credit: sick hours on the day";
  if (TagKonto(tag_, 2) != 0 && Option2(1)) return "no credit: a value in day account 2";
  if (TagKonto(tag_, 3) == 0 && f != nullptr && f->OhneZeit) {
    return "no credit: absence without time";
  }
  return nullptr;
}

void TTagLauf::Feiertag() {
  double gutschrift = 0;
  tag_.TagRest.Feiertag = 0;
  const char* warum = feiertag_ ? "no credit: holidays are not credited" : "no holiday";
  bool anteilB = false;
  if (feiertag_ && !Option(2)) {
    tag_.TagRest.AnteilA = 0;
    gutschrift = p_.Feiertagszeit;
    tag_.TagRest.Feiertag = 1;
    warum = nullptr;
    if (Option(4)) {
      tag_.TagRest.AnteilB = 0;
      anteilB = true;
    } else if ((warum = FeiertagGesperrt()) != nullptr) {
      gutschrift = 0;
    }
  }
  Setze(8, tpFeiertag, gutschrift, [&] {
    if (warum != nullptr) return Text(warum);
    return "holiday credit " + DauerText(gutschrift) + (anteilB ? ", share B cleared" : "");
  });
}

void TTagLauf::Abzuege() {
  const double a2 = Begrenzt(p_.HatAbzug2 ? -p_.Abzug2 : 0.0, E(tpArbeitszeit));
  Setze(9, tpAbzug2, a2, [] { return Text("fixed deduction 2"); });
  Setze(9, tpAbzuege, E(tpAbzuege) + E(tpAbzug2), [] { return Text("deductions so far"); });
  const double a1 = Begrenzt(p_.HatAbzug1 ? -p_.Abzug1 : 0.0, E(tpArbeitszeit) + E(tpAbzuege));
  Setze(9, tpAbzug1, a1, [] { return Text("fixed deduction 1"); });
  Setze(9, tpAbzuege, E(tpAbzuege) + E(tpAbzug1), [] { return Text("deductions so far"); });
}

void TTagLauf::AutoPausen() {
  regeln_ = PausenRegeln(basis_, v_, E(tpArbeitszeit), spur_);
  double summe = 0;
  for (const TRegelErgebnis& r : regeln_) summe += r.Wert;
  // Deductions never exceed the time left; with none left the rules deduct nothing (and a
  // limit below zero must not turn a deduction into a credit).
  const double grenze = std::max(E(tpArbeitszeit) + E(tpAbzuege), 0.0);
  if (summe < -grenze) summe = -grenze;
  Setze(10, tpAutoPausen, summe, [] { return Text("automatic break rules 1 to 4"); });
  Setze(10, tpAbzuege, E(tpAbzuege) + E(tpAutoPausen), [] { return Text("deductions so far"); });
  Setze(11, tpNetto, E(tpArbeitszeit) + E(tpAbzuege),
        [] { return Text("net working time: worked time and deductions"); });
}

void TTagLauf::Abwesenheiten() {
  constexpr struct {
    int Pos, Art;
  } kArten[] = {{tpAbwesend4, 4}, {tpAbwesend6, 6}, {tpAbwesend8, 8}};
  for (const auto& k : kArten) {
    const TMass mass = Abwesenheit(k.Art);
    Setze(12, k.Pos, Arbeitszeit(basis_, mass) - InPausen(basis_, mass), [&] {
      return "away time of kind " + std::to_string(k.Art) + " outside the break windows";
    });
  }
  const TIntervall spanne =
      liste_.Leer() ? TIntervall{0, 0, false} : TIntervall{liste_.Erste(), liste_.Letzte()};
  Setze(12, tpAbwesend, -Messe(liste_, Abwesenheit(0), spanne),
        [] { return Text("away time of plain goings"); });
}

void TTagLauf::TagKonten() {
  constexpr struct {
    int K, Pos;
  } kZuschlag[] = {{1, tpAbwesend6}, {2, tpAbwesend8}, {3, tpAbwesend4}};
  for (const auto& z : kZuschlag) {
    SetzeTagKonto(tag_, spur_, 13, z.K, TagKonto(tag_, z.K) + E(z.Pos), [&] {
      return "day account " + std::to_string(z.K) + " plus away time " + std::to_string(z.Pos);
    });
  }
  for (int k = 4; k <= kTagKonten; ++k) {
    SetzeTagKonto(tag_, spur_, 13, k, TagKonto(tag_, k), [] { return Text("day account"); });
  }
  double summe = 0;
  for (int k = 1; k <= kTagKonten; ++k) summe += TagKontoErgebnis(tag_, k);
  for (int j = 1; j <= KontoZahl(defs_); ++j) {
    if (defs_.Konto(j).Art == kaIstzeit) summe += TagKontoWert(tag_, j);
  }
  Setze(13, tpTagKonten, summe,
        [] { return Text("day accounts 1 to 5 and the accounts of kind 10"); });
  Setze(13, tpZusatz, 0, [] { return Text("cleared"); });
}

void TTagLauf::Ist(int schritt) {
  Setze(schritt, tpIst, E(tpNetto) + E(tpTagKonten) + E(tpZusatz) + E(tpFeiertag),
        [] { return Text("result: net time, day accounts and holiday credit"); });
}

void TTagLauf::Soll() {
  double soll = p_.Soll;
  const char* warum = "target of the day profile";
  const double w1 = p_.TagWert1, w2 = p_.TagWert2, fz = p_.Feiertagszeit;
  if (w1 > 0 && w1 == TagKonto(tag_, 4)) {
    soll = TagKonto(tag_, 4);
    warum = "target replaced by vacation hours";
  }
  if (w2 > 0 && w2 == TagKonto(tag_, 5)) {
    soll = TagKonto(tag_, 5);
    warum = "target replaced by sick hours";
  }
  if (fz > 0 && fz == E(tpFeiertag)) {
    soll = E(tpFeiertag);
    warum = "target replaced by the holiday credit";
  }
  const FehlzeitDef* f = Fehlzeit();
  if (f != nullptr && f->Option) {
    soll = 0;
    Setze(16, tpFeiertag, 0, [] { return Text("absence type with option: no holiday credit"); });
    warum = "absence type with option: no target";
  }
  Setze(16, tpSoll, soll, [&] { return Text(warum); });
  Ist(16);
}

void TTagLauf::Differenz() {
  const bool spaeter = datum_ > std::floor(a_.Jetzt);
  Setze(17, tpDifferenz, spaeter ? 0.0 : E(tpIst) - E(tpSoll), [&] {
    return spaeter ? Text("day after today: no difference") : Text("result less target");
  });
  if (!Option(3)) return;
  Setze(17, tpSoll, E(tpSoll) - E(tpFeiertag),
        [] { return Text("holiday credit subtracted from the target"); });
  Setze(17, tpIst, E(tpIst) - E(tpFeiertag),
        [] { return Text("holiday credit subtracted from the result"); });
}

void TTagLauf::StatusBits() {
  const bool fehlt = datum_ < std::floor(a_.Jetzt) && liste_.Leer() && p_.Soll > 0 &&
                     E(tpIst) == 0 && !HatFehlzeit(tag_.Fehlzeit);
  const bool trotz = !liste_.Leer() && (tag_.TagRest.AnteilA >= 1 || tag_.TagRest.AnteilB >= 1);
  tag_.Status = fehlt ? tag_.Status | kStatusFehlt : tag_.Status & ~kStatusFehlt;
  tag_.Status = trotz ? tag_.Status | kStatusTrotzUrlaub : tag_.Status & ~kStatusTrotzUrlaub;
  spur_.Melde(19, {"Status"}, tag_.Status, [&] {
    return std::string(fehlt ? "entry missing (bit 4)" : "entry not missing") +
           (trotz ? ", bookings despite vacation or sickness (bit 11)" : "");
  });
}

}  // namespace

void TagAuswerten(const TAuswertung& a, const Tagesprofil& profil, TDateTime datum,
                  const TFenster& fenster, TMonatTag& tag) {
  TTagLauf(a, profil, datum, fenster, tag).Laufen();
}

}  // namespace qrv
