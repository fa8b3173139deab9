#include "queries/auftag_liste.h"

#include <algorithm>

#include "accounting/buchungsliste.h"
#include "accounting/kontowerte.h"
#include "accounting/praesenz.h"
#include "accounting/rundung.h"
#include "accounting/tag_ergebnis.h"
#include "master/modell.h"
#include "master/modell_record.h"
#include "master/tag_status.h"
#include "util/bits.h"
#include "util/texts.h"

namespace qrv {

namespace {

// The window the list before rounding is measured in: open at its start.
constexpr TIntervall kUngerundetFenster{kOffen.Von, 99999, true};

void Neu(std::vector<TAuftagItem>& liste, uint8_t art, TDateTime von, TDateTime bis, double wert,
         std::string text = {}) {
  liste.push_back(TAuftagItem{art, von, bis, wert, std::move(text)});
}

std::string RundungTeil(const char* wer, bool ab, TDateTime toleranz) {
  std::string text = std::string(wer) + (ab ? "ab" : "auf") + "runden";
  if (toleranz > 0) text += " (" + std::to_string(TimeToMinutes(toleranz)) + "min)";
  return text;
}

class TAuftagBau {
 public:
  TAuftagBau(const TAuftagEingabe& e, std::vector<TAuftagItem>& liste)
      : e_(e), liste_(liste), paare_(TBuchungsliste::AusPaaren(e.Tag)) {}

  void Bauen() {
    Kopf();
    if (paare_.Anzahl <= 1) return;
    Netto();
    const TBuchungsliste ungerundet =
        BaueListe(e_.Profil, e_.Vorlage, e_.Datum, e_.Jetzt, e_.Tag, TTagSpur{nullptr, e_.Datum})
            .Liste;
    Spanne(ungerundet);
    Einstellungen();
    const bool runden = (e_.Modus == 0 || e_.Modus == 2) && BitSet(e_.Profil.RundFlags, 0);
    const TBuchungsliste stuecke =
        runden ? RundeListe(ungerundet, e_.Profil, e_.Datum, TTagSpur{nullptr, e_.Datum})
               : ungerundet;
    Stuecke(stuecke);
  }

 private:
  void Kopf();
  void TagKonten();
  void Netto();
  void Spanne(const TBuchungsliste& l);
  void Einstellungen();
  void Stuecke(const TBuchungsliste& l);
  void Stueck(TDateTime c, TDateTime g, const std::vector<TZeitfenster>& pausen);
  std::vector<TZeitfenster> PausenNachBeginn() const;

  const TAuftagEingabe& e_;
  std::vector<TAuftagItem>& liste_;
  const TBuchungsliste paare_;
};

void TAuftagBau::Kopf() {
  const TMonatTag& t = e_.Tag;
  if (!(paare_.Anzahl > 1 || e_.Profil.Soll > 0 || Ergebnis(t, tpIst) > 0)) return;
  Neu(liste_, akModell, 0, 0, 0, e_.Modell != nullptr ? ModellText(*e_.Modell) : std::string());
  Neu(liste_, akSoll, 0, 0, e_.Profil.Soll);
  TagKonten();
  if (IstFehler(e_.Vorlage, t.Status) || IstWarnung(e_.Vorlage, t.Status)) {
    Neu(liste_, akBemerkung, 0, 0, 0, StatusText(t.Status));
  }
}

void TAuftagBau::TagKonten() {
  const TMonatTag& t = e_.Tag;
  for (int n = 1; n <= kTagKonten; ++n) {
    const double wert = TagKonto(t, n);
    if (!(wert > 0)) continue;
    std::string text = e_.KontoDefs.Konto(-n).Name;
    // Other hours of absence name the day's absence type as well.
    if (n == 3 && HatFehlzeit(t.Fehlzeit)) {
      text += " " + e_.Fehlzeiten.Fehlzeit(static_cast<unsigned char>(t.Fehlzeit)).Name;
    }
    Neu(liste_, static_cast<uint8_t>(akTagKonto1 + n - 1), 0, 0, wert, std::move(text));
  }
}

void TAuftagBau::Netto() {
  Neu(liste_, akNetto, paare_.Erste(), paare_.Letzte(), Ergebnis(e_.Tag, tpNetto));
  for (int i = 1; i + 1 < paare_.Anzahl; i += 2) {
    const TDateTime gehen = paare_.Zeit(i);
    const TDateTime kommen = paare_.Zeit(i + 1);
    if (gehen != kommen) Neu(liste_, akLuecke, gehen, kommen, kommen - gehen);
  }
  for (const TZeitfenster& p : e_.Profil.Pausen) {
    if (!p.Aktiv) continue;
    const TIntervall w{e_.Datum + p.Von, e_.Datum + p.Bis, true};
    Neu(liste_, akPause, w.Von, w.Bis, Messe(paare_, kPraesenz, w));
  }
}

void TAuftagBau::Spanne(const TBuchungsliste& l) {
  if (l.Leer()) return;
  Neu(liste_, akSpanne, l.Erste(), l.Letzte(),
      RoundToMinute(Messe(l, kPraesenz, kUngerundetFenster)));
  for (int i = 0; i + 1 < l.Anzahl; i += 2) {
    const TDateTime kommen = l.Zeit(i);
    const TDateTime gehen = l.Zeit(i + 1);
    if (kommen != gehen) Neu(liste_, akPaar, kommen, gehen, gehen - kommen);
  }
}

void TAuftagBau::Einstellungen() {
  const Tagesprofil& p = e_.Profil;
  const TDateTime d = e_.Datum;
  if (p.HatRahmen) Neu(liste_, akRahmen, d + p.RahmenVon, d + p.RahmenBis, 0);
  if (BitSet(p.RundFlags, 0)) Neu(liste_, akRundung, 0, 0, p.RundRaster, RundungText(p));
  if (p.RundFrei) Neu(liste_, akRundFrei, d + p.RundFreiVon, d + p.RundFreiBis, 0);
}

// The switched-on break windows, the earlier start first; of equal starts the lower number.
std::vector<TZeitfenster> TAuftagBau::PausenNachBeginn() const {
  std::vector<TZeitfenster> pausen;
  for (const TZeitfenster& p : e_.Profil.Pausen) {
    if (p.Aktiv) pausen.push_back(p);
  }
  std::stable_sort(pausen.begin(), pausen.end(),
                   [](const TZeitfenster& a, const TZeitfenster& b) { return a.Von < b.Von; });
  return pausen;
}

void TAuftagBau::Stuecke(const TBuchungsliste& l) {
  const std::vector<TZeitfenster> pausen = PausenNachBeginn();
  for (int i = 0; i + 1 < l.Anzahl; i += 2) {
    const TDateTime c = l.Zeit(i);
    const TDateTime g = l.Zeit(i + 1);
    // A pair at the day's midnight on both ends is no presence.
    if (c == e_.Datum && g == e_.Datum) continue;
    Stueck(c, g, pausen);
  }
}

// The pair [c, g] cut at the break windows (relative to the day's midnight).
void TAuftagBau::Stueck(TDateTime c, TDateTime g, const std::vector<TZeitfenster>& pausen) {
  for (const TZeitfenster& w : pausen) {
    const TDateTime s = e_.Datum + w.Von;
    const TDateTime ende = e_.Datum + w.Bis;
    if (g < s || c > ende) continue;
    if (g <= ende) {
      g = s;
    } else if (c >= s) {
      c = ende;
    } else {
      Neu(liste_, akStueck, c, s, s - c);
      c = ende;
    }
  }
  // A pair that lies wholly inside a break window leaves no piece (its end would fall before
  // its start).
  if (g < c) return;
  Neu(liste_, akStueck, c, g, g - c);
}

}  // namespace

void AuftagItemsBauen(const TAuftagEingabe& e, std::vector<TAuftagItem>& liste) {
  TAuftagBau(e, liste).Bauen();
}

std::string RundungText(const Tagesprofil& p) {
  return RundungTeil("kommen ", BitSet(p.RundFlags, 1), p.RundKommen) + " / " +
         RundungTeil("gehen ", BitSet(p.RundFlags, 2), p.RundGehen);
}

std::string ModellText(const ModellVersion& v) {
  // Versions after the first carry 1000 per version on the model's number.
  const int32_t nummer = v.Nummer >= 1000 && v.Nummer <= 8999 ? v.Nummer % 1000 : v.Nummer;
  return ZeroPad(nummer, 4) + " " + ModellName(v);
}

}  // namespace qrv
