#include "accounting/reference/day_reference.h"

#include <algorithm>
#include <cmath>

namespace qrv::referenz {
namespace {

Min M(double x) {
  return static_cast<Min>(std::llround(x * 1440.0));
}

struct Iv {
  Min von;
  Min bis;
  bool zaehlt;
};

// [s, e] inside [l, h]: counts when they touch; an interval that misses lies at l or h, empty.
Iv Schnitt(Min s, Min e, Min l, Min h) {
  if (e >= l && s <= h) return {std::max(s, l), std::min(e, h), true};
  const Min p = e < l ? l : h;
  return {p, p, false};
}
// A reversed interval (a going before its coming, a gap whose coming was rounded before its
// going) lasts nothing.
Min Dauer(Min s, Min e, Min l, Min h) {
  if (e < s) return 0;
  const Iv iv = Schnitt(s, e, l, h);
  return iv.zaehlt ? iv.bis - iv.von : 0;
}

bool Bit(unsigned wert, int bit) {
  return ((wert >> bit) & 1u) != 0;
}

class Tag {
 public:
  explicit Tag(const Tagesdaten& d) : d_(d), p_(*d.profil), v_(*d.vorlage) {}

  Ergebnis Rechnen();

 private:
  void Liste(Ergebnis& r);
  void Runden(std::vector<Eintrag>& liste) const;
  Min Praesenz(Min l, Min h) const;
  Min Weg(int art, Min l, Min h) const;
  // The worked time (art < 0) or the away time of kind art, measured from first to last entry
  // (or in the frame) inside w, with the windows of accounts of kind 3.
  Min Gearbeitet(int art, Min wl, Min wh) const;
  Min Rahmen(Min& l, Min& h) const;
  Min Regel(int i, Min te45, Min te53) const;
  int KontoFenster() const;
  bool HatFehlzeit() const { return d_.tag->Fehlzeit >= 'a' && d_.tag->Fehlzeit <= 'z'; }
  const FehlzeitDef& Fehlzeit() const { return d_.fehlzeiten->Fehlzeit(d_.tag->Fehlzeit); }

  const Tagesdaten& d_;
  const Tagesprofil& p_;
  const TBerVorRecord& v_;
  std::vector<Eintrag> l_;
};

void Tag::Liste(Ergebnis& r) {
  const TMonatTag& t = *d_.tag;
  r.status &= static_cast<uint16_t>(~((1u << 12) | (1u << 15) | 1u | (1u << 13)));
  l_.clear();
  const int n = std::min<int>(t.AnzBuchungen, kMaxBuchungen);
  std::vector<Eintrag> gebucht;
  for (int i = 0; i < n; ++i) {
    const TBuchung b = t.Buchungen[i];
    gebucht.push_back({M(b.Zeit - d_.datum), b.Art & 0x0E, b.Code1, b.Code2});
  }
  if (!Bit(t.Status, 3) && n > 0 && p_.HatAutoKommen && gebucht[0].t >= M(p_.AutoKommen)) {
    r.status |= 1u << 15;
    // never after the booking it completes
    const Min zeit = Bit(v_.Optionen, 0) ? std::min(M(p_.KernBeginn), gebucht[0].t) : gebucht[0].t;
    l_.push_back({zeit, 0, 0, 2});
  }
  for (const Eintrag& e : gebucht) {
    if (l_.size() == kMaxBuchungen) break;  // the list has 40 slots
    l_.push_back(e);
    const size_t pos = l_.size();  // 1-based
    if (pos >= 3 && pos % 2 == 1 && l_[pos - 1].art != l_[pos - 2].art) {
      r.status |= 1u << 13;
      if (l_[pos - 1].art != 0) {
        l_[pos - 2].art = l_[pos - 1].art;
      } else {
        l_[pos - 1].art = l_[pos - 2].art;
      }
    }
  }
  if (l_.size() % 2 == 1) {
    r.status |= 1u;
    Min zeit;
    if (d_.jetzt < M(p_.Tagesende)) {
      zeit = d_.jetzt;
      r.status |= 1u << 12;
    } else if (Bit(v_.Optionen, 1)) {
      zeit = M(p_.KernEnde);
    } else {
      zeit = l_.back().t;
    }
    // never before the coming it closes
    l_.push_back({std::max(zeit, l_.back().t), 0, 0, 3});
  }
  if (!l_.empty() && l_.front().art != 0) {
    l_.front().art = 0;
    r.status |= 1u << 13;
  }
  if (l_.size() >= 2 && l_.back().art != 0) {
    l_.back().art = 0;
    r.status |= 1u << 13;
  }
  r.te[41] = Praesenz(d_.fensterVon, d_.fensterBis);
  r.teGesetzt[41] = true;
}

void Tag::Runden(std::vector<Eintrag>& liste) const {
  const Min g = M(p_.RundRaster);
  if (g <= 0) return;
  const unsigned f = p_.RundFlags;
  auto frei = [&](Min t) {
    return p_.RundFrei && !(t < M(p_.RundFreiVon) || t > M(p_.RundFreiBis));
  };
  auto runde = [&](Min m, bool ab, Min tol) {
    const Min z = ab ? m + tol : m + g - tol - 1;
    const Min q = z >= 0 ? z / g : -((-z + g - 1) / g);
    return g * q;
  };
  const size_t paare = liste.size() / 2;
  for (size_t j = 0; j < paare; ++j) {
    Eintrag& k = liste[2 * j];
    Eintrag& ge = liste[2 * j + 1];
    const bool beide = !Bit(f, 3) && !Bit(f, 4);
    if (!frei(k.t) && ((Bit(f, 3) && j == 0) || beide)) {
      k.t = runde(k.t, Bit(f, 1), M(p_.RundKommen));
    }
    if (!frei(ge.t) && ((Bit(f, 4) && j + 1 == paare) || beide)) {
      ge.t = runde(ge.t, Bit(f, 2), M(p_.RundGehen));
    }
    if (ge.t < k.t) ge.t = k.t;
  }
}

Min Tag::Praesenz(Min l, Min h) const {
  Min s = 0;
  for (size_t i = 0; i + 1 < l_.size(); i += 2) s += Dauer(l_[i].t, l_[i + 1].t, l, h);
  return s;
}

Min Tag::Weg(int art, Min l, Min h) const {
  Min s = 0;
  for (size_t i = 1; i + 1 < l_.size(); i += 2) {
    if (l_[i].art == art) s += Dauer(l_[i].t, l_[i + 1].t, l, h);
  }
  return s;
}

Min Tag::Rahmen(Min& l, Min& h) const {
  if (p_.HatRahmen) {
    l = M(p_.RahmenVon);
    h = M(p_.RahmenBis);
  } else {
    l = l_.front().t;
    h = l_.back().t;
  }
  return h - l;
}

int Tag::KontoFenster() const {
  return std::min<int>({kKontofensterAnzahl, d_.konten->ZeitfensterAnzahl, d_.konten->KontoAnzahl});
}

Min Tag::Gearbeitet(int art, Min wl, Min wh) const {
  if (l_.empty()) return 0;
  Min fl = 0, fh = 0;
  Rahmen(fl, fh);
  auto messe = [&](Min l, Min h) { return art < 0 ? Praesenz(l, h) : Weg(art, l, h); };
  const Iv f = Schnitt(fl, fh, wl, wh);
  Min s = f.zaehlt ? messe(f.von, f.bis) : 0;
  for (int i = 1; i <= KontoFenster(); ++i) {
    const TKontofenster& k = p_.Kontofenster[i - 1];
    if (k.Art != kaMehrarbeit) continue;
    const Min kl = M(k.Von), kh = M(k.Bis);
    if (messe(kl, kh) < M(k.Minuten)) continue;
    const Iv kf = Schnitt(kl, kh, fl, fh);
    if (!kf.zaehlt) continue;
    const Iv kw = Schnitt(kf.von, kf.bis, wl, wh);
    if (kw.zaehlt) s += messe(kw.von, kw.bis);
  }
  return s;
}

Min Tag::Regel(int i, Min te45, Min te53) const {
  const TPausenRegel& regel = p_.Regeln[i];
  if (l_.size() < 2) return 0;
  Min s = l_.front().t, e = l_.back().t;
  if (p_.HatRahmen) {
    const Iv iv = Schnitt(s, e, M(p_.RahmenVon), M(p_.RahmenBis));
    s = iv.von;
    e = iv.bis;
  }
  const bool eigenesFenster = M(regel.Von) != M(regel.Bis);
  Min wl = s, wh = e;
  if (eigenesFenster) {
    wl = M(regel.Von);
    wh = M(regel.Bis);
    if (p_.HatRahmen) {
      const Iv w = Schnitt(wl, wh, M(p_.RahmenVon), M(p_.RahmenBis));
      wl = w.von;
      wh = w.bis;
    }
    const Iv se = Schnitt(wl, wh, s, e);
    if (!se.zaehlt) return 0;
    s = se.von;
    e = se.bis;
  }
  const Min minuten = M(p_.RegelMinuten[i]);
  const Min schwelle = M(p_.RegelSchwelle[i]);
  const Min faellig = std::min(e - s, minuten);
  Min g = Gearbeitet(-1, wl, wh);
  const int arten[3] = {4, 6, 8};
  for (int k = 0; k < 3; ++k) {
    if (!Bit(v_.Optionen2, 2 + k)) continue;
    // the break windows' part as far as it lies in the rule's window
    Min weg = Gearbeitet(arten[k], wl, wh);
    for (const TZeitfenster& pause : p_.Pausen) {
      if (!pause.Aktiv) continue;
      const Iv teil = Schnitt(M(pause.Von), M(pause.Bis), wl, wh);
      if (teil.zaehlt) weg -= Weg(arten[k], teil.von, teil.bis);
    }
    g += weg;
  }
  const Min genommen = eigenesFenster ? (e - s) - g : 0;
  Min basis;
  switch ((regel.Typ >> 2) & 3) {
    case 0:
      basis = te45;
      break;
    case 1:
      basis = g;
      break;
    default:
      basis = Gearbeitet(-1, l_.front().t, s);
      break;
  }
  if (basis < schwelle) return 0;
  Min r = 0;
  switch (regel.Typ & 3) {
    case 1: {
      auto grenzen = [&](Min x) { return std::max(std::min<Min>(x, 0), -g); };
      r = grenzen(-(faellig - genommen));
      if (!eigenesFenster || M(regel.Bis) == M(p_.Tagesende)) {
        if (basis + r + te53 < schwelle) r = grenzen(schwelle - basis - te53);
      }
      break;
    }
    case 2:
      r = std::min(genommen, faellig);
      break;
    case 3:
      r = genommen > faellig ? 0 : genommen;
      break;
    default:
      r = 0;
      break;
  }
  return r;
}

Ergebnis Tag::Rechnen() {
  Ergebnis r;
  const TMonatTag& t = *d_.tag;
  auto& te = r.te;
  for (int i = 1; i <= kTagErgebnisse; ++i) te[i] = M(t.TagErgebnis[i - 1]);
  r.status = t.Status;
  const int n = std::min<int>(t.AnzBuchungen, kMaxBuchungen);
  auto setze = [&](int pos, Min wert) {
    te[pos] = wert;
    r.teGesetzt[pos] = true;
  };

  // 1. the list, core time
  Liste(r);
  r.status &= static_cast<uint16_t>(~6u);
  if (p_.HatKernzeit && !l_.empty()) {
    if (M(t.Buchungen[0].Zeit - d_.datum) > M(p_.KernBeginn)) r.status |= 2;
    if (n % 2 == 0 && M(t.Buchungen[n - 1].Zeit - d_.datum) < M(p_.KernEnde)) r.status |= 4;
  }
  // 2., 3. rounding, presence, worked time
  const bool runden = Bit(p_.RundFlags, 0);
  if (runden) {
    setze(44, Praesenz(d_.fensterVon, d_.fensterBis));
    setze(43, Gearbeitet(-1, -kOffen, kOffen));
    Liste(r);
    Runden(l_);
  }
  setze(44, Praesenz(d_.fensterVon, d_.fensterBis));
  setze(45, Gearbeitet(-1, -kOffen, kOffen));
  if (!runden) setze(43, te[45]);
  // 4. break windows
  Min pausen = 0;
  for (const TZeitfenster& pause : p_.Pausen) {
    if (pause.Aktiv) pausen -= Praesenz(M(pause.Von), M(pause.Bis));
  }
  if (-pausen > te[45] + te[55]) pausen = -(te[45] + te[55]);
  setze(52, pausen);
  setze(55, pausen);
  r.paare = l_;
  // 5. only days inside the window
  if (!(d_.fensterVon <= 0 && 0 < d_.fensterBis)) return r;
  r.vollstaendig = true;

  // 6. shares
  auto anteil = [&](int konto, double stunden, double tagWert) {
    if (tagWert == 0) return 0.0;
    const int32_t wert = d_.konten->Konto(konto).Wert;
    const double x = stunden / tagWert;
    return wert == 0 ? x : std::round(x * wert) / wert;
  };
  r.anteilA = anteil(-6, t.TagKonto[3], p_.TagWert1);
  r.anteilB = anteil(-7, t.TagKonto[4], p_.TagWert2);
  // 7. working day
  r.arbeitstag = !d_.feiertag && p_.Soll > 0 ? 1 : 0;
  if (HatFehlzeit() && Fehlzeit().Option) r.arbeitstag = 0;
  // 8. holiday
  setze(42, 0);
  if (d_.feiertag && !Bit(v_.Optionen, 2)) {
    r.anteilA = 0;
    setze(42, M(p_.Feiertagszeit));
    r.feiertag = 1;
    if (Bit(v_.Optionen, 4)) {
      r.anteilB = 0;
    } else if (t.TagKonto[4] != 0 || (t.TagKonto[1] != 0 && Bit(v_.Optionen2, 1)) ||
               (t.TagKonto[2] == 0 && HatFehlzeit() && Fehlzeit().OhneZeit)) {
      setze(42, 0);
    }
  }
  // 9. fixed deductions
  // a deduction is at most the time left, and none when nothing is left
  auto rest = [&](Min x) { return std::max<Min>(x, 0); };
  setze(54, p_.HatAbzug2 ? std::max(-M(p_.Abzug2), -rest(te[45])) : 0);
  te[55] += te[54];
  setze(51, p_.HatAbzug1 ? std::max(-M(p_.Abzug1), -rest(te[45] + te[55])) : 0);
  te[55] += te[51];
  // 10. automatic breaks
  Min auto53 = 0;
  for (int i = 0; i < kRegelAnzahl; ++i) {
    if (p_.Regeln[i].Typ > 0) auto53 += Regel(i, te[45], auto53);
  }
  if (auto53 < 0) auto53 = std::max(auto53, -rest(te[45] + te[55]));
  setze(53, auto53);
  te[55] += auto53;
  // 11. net
  setze(46, te[45] + te[55]);
  // 12. away times
  const int arten[3] = {4, 6, 8};
  for (int k = 0; k < 3; ++k) {
    Min weg = Gearbeitet(arten[k], -kOffen, kOffen);
    for (const TZeitfenster& pause : p_.Pausen) {
      if (pause.Aktiv) weg -= Weg(arten[k], M(pause.Von), M(pause.Bis));
    }
    setze(56 + k, weg);
  }
  setze(50, l_.empty() ? 0 : -Weg(0, l_.front().t, l_.back().t));
  // 13. day accounts
  auto& tke = r.tke;
  tke[1] = M(t.TagKonto[0]) + te[57];
  tke[2] = M(t.TagKonto[1]) + te[58];
  tke[3] = M(t.TagKonto[2]) + te[56];
  tke[4] = M(t.TagKonto[3]);
  tke[5] = M(t.TagKonto[4]);
  Min summe = tke[1] + tke[2] + tke[3] + tke[4] + tke[5];
  for (int j = 1; j <= d_.konten->KontoAnzahl; ++j) {
    if (d_.konten->Konto(j).Art == kaIstzeit) summe += M(t.TagKontoWert[j - 1]);
  }
  setze(59, summe);
  setze(60, 0);
  // 14. result
  setze(48, te[46] + te[59] + te[60] + te[42]);
  // 15. accounts
  for (int j = 1; j <= d_.konten->KontoAnzahl; ++j) {
    Min wert = M(t.TagKontoWert[j - 1]);
    const uint8_t art = d_.konten->Konto(j).Art;
    if (j <= KontoFenster() && p_.Kontofenster[j - 1].Art != 0) {
      const TKontofenster& k = p_.Kontofenster[j - 1];
      const Min kl = M(k.Von), kh = M(k.Bis);
      Min dazu = 0;
      bool gefenstert = true;
      if (art == kaRahmenzeit || art == kaMehrarbeit) {
        dazu = Praesenz(kl, kh);
        for (const TZeitfenster& pause : p_.Pausen) {
          if (!pause.Aktiv) continue;
          const Iv ueber = Schnitt(M(pause.Von), M(pause.Bis), kl, kh);
          if (ueber.zaehlt) dazu -= Praesenz(ueber.von, ueber.bis);
        }
      } else if (art == kaUeberstunden) {
        dazu = Dauer(0, te[48] - te[42], kl, kh);
      } else if (art == kaArbeitsstunden) {
        dazu = Dauer(0, te[46] + tke[1] + tke[2] + tke[3], kl, kh);
      } else {
        gefenstert = false;
      }
      if (gefenstert) {
        if (M(k.Minuten) > dazu) dazu = 0;
        wert += dazu;
      }
    }
    setze(j, wert);
  }
  // 16. target
  Min soll = M(p_.Soll);
  if (p_.TagWert1 > 0 && M(p_.TagWert1) == M(t.TagKonto[3])) soll = M(t.TagKonto[3]);
  if (p_.TagWert2 > 0 && M(p_.TagWert2) == M(t.TagKonto[4])) soll = M(t.TagKonto[4]);
  if (p_.Feiertagszeit > 0 && M(p_.Feiertagszeit) == te[42]) soll = te[42];
  if (HatFehlzeit() && Fehlzeit().Option) {
    soll = 0;
    te[42] = 0;
  }
  setze(47, soll);
  setze(48, te[46] + te[59] + te[60] + te[42]);
  // 17. difference
  const bool nachHeute = d_.jetzt < 0;
  setze(49, nachHeute ? 0 : te[48] - te[47]);
  if (Bit(v_.Optionen, 3)) {
    te[47] -= te[42];
    te[48] -= te[42];
  }
  // 19. status
  const bool vorHeute = d_.jetzt >= 1440;
  r.status &= static_cast<uint16_t>(~((1u << 4) | (1u << 11)));
  if (vorHeute && l_.empty() && p_.Soll > 0 && te[48] == 0 && !HatFehlzeit()) r.status |= 1u << 4;
  if (!l_.empty() && (r.anteilA >= 1 || r.anteilB >= 1)) r.status |= 1u << 11;
  return r;
}

}  // namespace

Ergebnis Auswerten(const Tagesdaten& d) {
  return Tag(d).Rechnen();
}

}  // namespace qrv::referenz
