// Randomized days against the independent reference evaluation: profiles with every rule switched
// on and off, bookings of every kind, night shifts, holidays, absences and windows, all on whole
// minutes. A mismatch prints the case.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "accounting/reference/day_reference.h"
#include "accounting/tag_auswertung.h"
#include "support/doubles.h"
#include "util/datetime.h"

namespace qrv {
namespace {

using referenz::Min;

class Zufall {
 public:
  explicit Zufall(uint32_t seed) : gen_(seed) {}
  int Zahl(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }
  bool Mal(int prozent) { return Zahl(0, 99) < prozent; }
  double Zeit(int lo, int hi) { return MinutesToTime(Zahl(lo, hi)); }

 private:
  std::mt19937 gen_;
};

struct Fall {
  Tagesprofil profil{};
  TBerVorRecord vorlage{};
  TMonatTag tag{};
  TDateTime datum = 0;
  TDateTime jetzt = 0;
  TFenster fenster;
};

void Fenster(Zufall& z, bool& aktiv, TDateTime& von, TDateTime& bis, int lo, int hi) {
  aktiv = z.Mal(40);
  const int a = z.Zahl(lo, hi), b = z.Zahl(lo, hi);
  von = MinutesToTime(std::min(a, b));
  bis = MinutesToTime(std::max(a, b));
}

Tagesprofil ZufallsProfil(Zufall& z, bool mitKontoMehrarbeit) {
  Tagesprofil p{};
  p.Soll = MinutesToTime(z.Mal(30) ? 0 : (z.Mal(50) ? 480 : 462));
  p.TagWert1 = z.Mal(30) ? 0 : (z.Mal(50) ? p.Soll : MinutesToTime(480));
  p.TagWert2 = z.Mal(30) ? 0 : p.Soll;
  p.Feiertagszeit = z.Mal(30) ? 0 : (z.Mal(50) ? p.Soll : MinutesToTime(420));
  p.HatAutoKommen = z.Mal(25);
  p.AutoKommen = z.Zeit(360, 600);
  p.Tagesende = MinutesToTime(z.Mal(50) ? 1440 : (z.Mal(50) ? 1200 : 2160));
  p.HatKernzeit = z.Mal(60);
  p.KernBeginn = z.Zeit(420, 600);
  p.KernEnde = z.Zeit(840, 1080);
  p.HatAbzug1 = z.Mal(25);
  p.Abzug1 = z.Zeit(0, 60);
  p.HatAbzug2 = z.Mal(25);
  p.Abzug2 = z.Zeit(0, 60);
  p.RundRaster = MinutesToTime(z.Mal(20) ? 0 : (z.Mal(50) ? 15 : (z.Mal(50) ? 5 : 30)));
  p.RundFlags = z.Mal(50) ? static_cast<uint32_t>(z.Zahl(0, 31)) | 1u : 0u;
  p.RundKommen = z.Zeit(0, 7);
  p.RundGehen = z.Zeit(0, 7);
  Fenster(z, p.RundFrei, p.RundFreiVon, p.RundFreiBis, 360, 1200);
  Fenster(z, p.HatRahmen, p.RahmenVon, p.RahmenBis, 300, 1320);
  for (TZeitfenster& pause : p.Pausen) Fenster(z, pause.Aktiv, pause.Von, pause.Bis, 540, 900);
  for (int i = 0; i < kRegelAnzahl; ++i) {
    TPausenRegel& r = p.Regeln[i];
    r.Typ = static_cast<int16_t>(z.Mal(40) ? z.Zahl(1, 15) : 0);
    if (z.Mal(50)) {
      r.Von = r.Bis = 0;
    } else {
      const int a = z.Zahl(600, 900);
      r.Von = MinutesToTime(a);
      r.Bis = z.Mal(20) ? p.Tagesende : MinutesToTime(a + z.Zahl(0, 120));
    }
    p.RegelSchwelle[i] = z.Zeit(0, 600);
    p.RegelMinuten[i] = z.Zeit(0, 60);
  }
  const bool regeln = p.Regeln[0].Typ || p.Regeln[1].Typ || p.Regeln[2].Typ || p.Regeln[3].Typ;
  // accounts 1 to 5: overtime, working hours, actual time, extra work, frame time
  const uint8_t arten[5] = {kaUeberstunden, kaArbeitsstunden, kaIstzeit, kaMehrarbeit,
                            kaRahmenzeit};
  for (int j = 0; j < 5; ++j) {
    const bool nurOhneRegeln = arten[j] == kaMehrarbeit || arten[j] == kaRahmenzeit;
    if (!z.Mal(40) || (nurOhneRegeln && (regeln || !mitKontoMehrarbeit))) continue;
    TKontofenster& k = p.Kontofenster[j];
    const int a = z.Zahl(0, 900);
    k.Von = MinutesToTime(a);
    k.Bis = MinutesToTime(a + z.Zahl(1, 600));
    k.Art = arten[j];
    k.Minuten = z.Zeit(0, 90);
  }
  return p;
}

TMonatTag ZufallsTag(Zufall& z, TDateTime datum) {
  TMonatTag t{};
  t.Fehlzeit = " abc"[z.Zahl(0, 3)];
  if (z.Mal(10)) t.Status |= 1u << 3;
  const int n = z.Mal(10) ? 0 : z.Zahl(1, z.Mal(5) ? 40 : 8);
  const bool nacht = z.Mal(15);
  int zeit = nacht ? z.Zahl(1080, 1320) : z.Zahl(300, 600);
  for (int i = 0; i < n; ++i) {
    TBuchung& b = t.Buchungen[i];
    b.Zeit = datum + MinutesToTime(zeit);
    b.Art = static_cast<uint8_t>(z.Mal(60) ? 0 : z.Zahl(0, 255));
    b.Code1 = static_cast<uint8_t>(z.Zahl(0, 3));
    b.Code2 = static_cast<uint8_t>(z.Zahl(0, 3));
    zeit += z.Zahl(n > 10 ? 1 : 5, n > 10 ? 40 : 300);
  }
  t.AnzBuchungen = static_cast<uint8_t>(n);
  const int hours[5] = {0, 0, 0, 480, 462};
  for (int k = 0; k < 5; ++k) {
    if (z.Mal(15)) t.TagKonto[k] = MinutesToTime(z.Mal(50) ? hours[k] : z.Zahl(0, 480));
  }
  for (int j = 0; j < 5; ++j) {
    if (z.Mal(20)) t.TagKontoWert[j] = MinutesToTime(z.Zahl(0, 120));
  }
  return t;
}

class ZufallsTage : public ::testing::Test {
 protected:
  void SetUp() override {
    kalender_ = std::make_unique<TFeiertage>(tp_.Get());
    const uint8_t arten[5] = {kaUeberstunden, kaArbeitsstunden, kaIstzeit, kaMehrarbeit,
                              kaRahmenzeit};
    for (int j = 0; j < 5; ++j) {
      KontoDef def;
      def.Art = arten[j];
      konten_.SetKonto(j + 1, def);
    }
    KontoDef tage;
    tage.Wert = 10;
    konten_.SetKonto(-6, tage);
    tage.Wert = 4;
    konten_.SetKonto(-7, tage);
    FehlzeitDef ohneZeit{"Ohne", 0, true, false};
    FehlzeitDef mitZeit{"Mit", MinutesToTime(480), false, false};
    FehlzeitDef option{"Option", 0, true, true};
    fehlzeiten_.SetFehlzeit('a', ohneZeit);
    fehlzeiten_.SetFehlzeit('b', mitZeit);
    fehlzeiten_.SetFehlzeit('c', option);
  }

  Fall Erzeuge(Zufall& z) {
    Fall f;
    // Days of 2026 around its holidays: New Year, Easter Monday, 1 May, Christmas.
    const TDateTime tage[] = {EncodeDate(2026, 1, 1), EncodeDate(2026, 4, 6),
                              EncodeDate(2026, 5, 1), EncodeDate(2026, 12, 25)};
    f.datum = tage[z.Zahl(0, 3)] + z.Zahl(-3, 3);
    f.profil = ZufallsProfil(z, true);
    f.vorlage.Optionen = static_cast<uint8_t>(z.Zahl(0, 31));
    f.vorlage.Optionen2 = static_cast<uint8_t>(z.Zahl(0, 31) & ~1);
    f.tag = ZufallsTag(z, f.datum);
    const int wann = z.Zahl(0, 9);
    if (wann < 6) {
      f.jetzt = f.datum + z.Zahl(1, 40) + MinutesToTime(z.Zahl(0, 1439));
    } else if (wann < 8) {
      f.jetzt = f.datum - z.Zahl(1, 3) + MinutesToTime(z.Zahl(0, 1439));
    } else {
      const int n = f.tag.AnzBuchungen;
      const double letzte = n ? f.tag.Buchungen[n - 1].Zeit : f.datum;
      f.jetzt = letzte + MinutesToTime(z.Zahl(0, 600));
    }
    if (z.Mal(30)) {
      const int a = z.Zahl(-1440, 1000);
      f.fenster.Von = a < -1000 ? 0 : f.datum + MinutesToTime(a);
      f.fenster.Bis = f.datum + MinutesToTime(a + z.Zahl(1, 2000));
    }
    return f;
  }

  testing::TestPlatform tp_;
  std::unique_ptr<TFeiertage> kalender_;
  TKontoDefs konten_;
  TFehlzeiten fehlzeiten_;
};

// Keeps the engine's explanation of a day, shown with a mismatch.
class Mitschrift : public TSpur {
 public:
  void Eintrag(TSpurEintrag e) override {
    text << e.Schritt << " " << e.Position << " = " << M(e.Wert) << ": " << e.Regel << "\n";
  }
  static Min M(double x) { return static_cast<Min>(std::llround(x * 1440.0)); }
  std::ostringstream text;
};

Min M(double x) {
  return static_cast<Min>(std::llround(x * 1440.0));
}

std::string Beschreibe(const Fall& f) {
  std::ostringstream o;
  const Tagesprofil& p = f.profil;
  o << "datum " << f.datum << " jetzt " << M(f.jetzt - f.datum) << " fenster " << f.fenster.Von
    << ".." << f.fenster.Bis << "\nOptionen " << int(f.vorlage.Optionen) << " Optionen2 "
    << int(f.vorlage.Optionen2) << "\nSoll " << M(p.Soll) << " TW1 " << M(p.TagWert1) << " TW2 "
    << M(p.TagWert2) << " FT " << M(p.Feiertagszeit) << " Auto " << p.HatAutoKommen << "@"
    << M(p.AutoKommen) << " Ende " << M(p.Tagesende) << " Kern " << p.HatKernzeit << " "
    << M(p.KernBeginn) << "-" << M(p.KernEnde) << " Abzug " << p.HatAbzug1 << ":" << M(p.Abzug1)
    << " " << p.HatAbzug2 << ":" << M(p.Abzug2) << "\nRund " << p.RundFlags << " raster "
    << M(p.RundRaster) << " k " << M(p.RundKommen) << " g " << M(p.RundGehen) << " frei "
    << p.RundFrei << " " << M(p.RundFreiVon) << "-" << M(p.RundFreiBis) << " Rahmen " << p.HatRahmen
    << " " << M(p.RahmenVon) << "-" << M(p.RahmenBis) << "\n";
  for (const TZeitfenster& w : p.Pausen) {
    o << "pause " << w.Aktiv << " " << M(w.Von) << "-" << M(w.Bis) << "\n";
  }
  for (int i = 0; i < kRegelAnzahl; ++i) {
    const TPausenRegel& r = p.Regeln[i];
    o << "regel typ " << r.Typ << " " << M(r.Von) << "-" << M(r.Bis) << " schwelle "
      << M(p.RegelSchwelle[i]) << " minuten " << M(p.RegelMinuten[i]) << "\n";
  }
  for (int j = 0; j < 5; ++j) {
    const TKontofenster& k = p.Kontofenster[j];
    if (k.Art)
      o << "konto " << j + 1 << " art " << int(k.Art) << " " << M(k.Von) << "-" << M(k.Bis)
        << " min " << M(k.Minuten) << "\n";
  }
  const TMonatTag& t = f.tag;
  o << "status " << t.Status << " fehlzeit '" << t.Fehlzeit << "' tagkonto";
  for (double v : t.TagKonto) o << " " << M(v);
  o << "\nbuchungen";
  for (int i = 0; i < t.AnzBuchungen; ++i) {
    o << " " << M(t.Buchungen[i].Zeit - f.datum) << "/" << int(t.Buchungen[i].Art);
  }
  return o.str();
}

TEST_F(ZufallsTage, AgreeWithTheReferenceEvaluation) {
  Zufall z(20261211);
  for (int fallNr = 0; fallNr < 20000; ++fallNr) {
    const Fall f = Erzeuge(z);
    TMonatTag tag = f.tag;
    TAuswertung a;
    a.Vorlage = &f.vorlage;
    a.KontoDefs = &konten_;
    a.Fehlzeiten = &fehlzeiten_;
    a.Feiertage = kalender_.get();
    a.Jetzt = f.jetzt;
    TagAuswerten(a, f.profil, f.datum, f.fenster, tag);

    referenz::Tagesdaten d;
    d.profil = &f.profil;
    d.vorlage = &f.vorlage;
    d.konten = &konten_;
    d.fehlzeiten = &fehlzeiten_;
    d.tag = &f.tag;
    d.datum = f.datum;
    d.feiertag = kalender_->IstFeiertag(f.datum);
    d.jetzt = M(f.jetzt - f.datum);
    if (f.fenster.Von != 0) d.fensterVon = M(f.fenster.Von - f.datum);
    d.fensterBis = M(f.fenster.Bis - f.datum);
    const referenz::Ergebnis r = referenz::Auswerten(d);

    std::ostringstream fehler;
    if (tag.Status != r.status) fehler << "Status " << tag.Status << " != " << r.status << "\n";
    if (tag.AnzPaare != r.paare.size()) {
      fehler << "AnzPaare " << int(tag.AnzPaare) << " != " << r.paare.size() << "\n";
    } else {
      for (size_t i = 0; i < r.paare.size(); ++i) {
        const TBuchung b = tag.Paare[i];
        const referenz::Eintrag& e = r.paare[i];
        if (M(b.Zeit - f.datum) != e.t || b.Art != e.art || b.Code2 != e.code2) {
          fehler << "Paare[" << i + 1 << "] " << M(b.Zeit - f.datum) << "/" << int(b.Art) << "/"
                 << int(b.Code2) << " != " << e.t << "/" << e.art << "/" << e.code2 << "\n";
        }
      }
    }
    for (int pos = 1; pos <= kTagErgebnisse; ++pos) {
      if (pos > konten_.KontoAnzahl && pos <= kKonten) continue;
      if (M(tag.TagErgebnis[pos - 1]) != r.te[pos]) {
        fehler << "TagErgebnis[" << pos << "] " << M(tag.TagErgebnis[pos - 1])
               << " != " << r.te[pos] << "\n";
      }
    }
    if (r.vollstaendig) {
      for (int k = 1; k <= kTagKonten; ++k) {
        if (M(tag.TagKontoErgebnis[k - 1]) != r.tke[k]) {
          fehler << "TagKontoErgebnis[" << k << "] " << M(tag.TagKontoErgebnis[k - 1])
                 << " != " << r.tke[k] << "\n";
        }
      }
      const TTagRest rest = tag.TagRest;
      if (rest.Arbeitstag != r.arbeitstag || rest.Feiertag != r.feiertag ||
          rest.AnteilA != r.anteilA || rest.AnteilB != r.anteilB) {
        fehler << "TagRest " << rest.Arbeitstag << "/" << rest.Feiertag << "/" << rest.AnteilA
               << "/" << rest.AnteilB << " != " << r.arbeitstag << "/" << r.feiertag << "/"
               << r.anteilA << "/" << r.anteilB << "\n";
      }
    }
    if (fehler.str().empty()) continue;
    // Once more with the engine's explanation, for the message.
    Mitschrift spur;
    a.Spur = &spur;
    TMonatTag nochmal = f.tag;
    TagAuswerten(a, f.profil, f.datum, f.fenster, nochmal);
    ASSERT_TRUE(fehler.str().empty()) << "case " << fallNr << "\n"
                                      << fehler.str() << Beschreibe(f) << "\n"
                                      << spur.text.str();
  }
}

}  // namespace
}  // namespace qrv
