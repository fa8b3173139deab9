#include "accounting/buchungsliste.h"

#include <cmath>
#include <string>

#include "master/tag_status.h"
#include "util/bits.h"

namespace qrv {

namespace {

constexpr int kSchritt = 1;

bool Option(uint8_t optionen, int bit) {
  return BitSet(optionen, bit);
}

void MeldeStatus(const TTagSpur& spur, uint16_t status, const char* warum) {
  spur.Melde(kSchritt, {"Status"}, status, [&] { return std::string(warum); });
}

// The coming put first when the first booking lies at or after the automatic clock-in time; it
// never lies after that booking, so the pair it opens cannot turn negative.
void AutoKommen(const Tagesprofil& p, const TBerVorRecord& v, TDateTime datum, const TMonatTag& tag,
                TListe& out, const TTagSpur& spur) {
  if ((tag.Status & kStatusAbgehakt) != 0 || tag.Buchungszahl() == 0 || !p.HatAutoKommen) return;
  const TDateTime erste = tag.Buchungen[0].Zeit;
  if (erste < datum + p.AutoKommen) return;
  const bool kern = Option(v.Optionen, 0);
  TDateTime zeit = kern ? datum + p.KernBeginn : erste;
  if (zeit > erste) zeit = erste;
  out.Liste.Anhaengen(TBuchung{zeit, 0, 0, kCodeAutoKommen});
  out.Status |= kStatusAutoKommen;
  spur.Melde(kSchritt, {"Paare", 1}, zeit, [&] {
    return "automatic clock-in at " + UhrText(zeit, datum) +
           (kern ? " (core time start)" : " (first booking)");
  });
  MeldeStatus(spur, out.Status, "bit 15: clocked in automatically");
}

// A coming whose kind differs from the going before it: the two get one kind.
void Angleichen(TBuchungsliste& l, TListe& out, const TTagSpur& spur) {
  const int g = l.Anzahl - 2;  // the going, then the coming just appended
  const int kommen = g + 1;
  TBuchung& gehen = l.Eintrag[g];
  TBuchung& k = l.Eintrag[kommen];
  if (k.Art == gehen.Art) return;
  if (k.Art != 0) {
    gehen.Art = k.Art;
  } else {
    k.Art = gehen.Art;
  }
  out.Status |= kStatusFalscheTaste;
  spur.Melde(kSchritt, {"Paare", kommen + 1}, k.Art, [&] {
    return "coming " + std::to_string(kommen + 1) + " and the going before it aligned to kind " +
           std::to_string(k.Art) + " (wrong key booking, bit 13)";
  });
}

void Kopieren(const TMonatTag& tag, TListe& out, const TTagSpur& spur) {
  for (int j = 0; j < tag.Buchungszahl(); ++j) {
    TBuchung b = tag.Buchungen[j];
    b.Art &= kArtBits;
    if (!out.Liste.Anhaengen(b)) {
      spur.Melde(kSchritt, {"Paare"}, out.Liste.Anzahl, [&] {
        return "list full: stored bookings from " + std::to_string(j + 1) + " on are left out";
      });
      return;
    }
    // A coming from the second pair on (positions 3, 5, ... counted from 1).
    const int index = out.Liste.Anzahl - 1;
    if (index >= 2 && index % 2 == 0) Angleichen(out.Liste, out, spur);
  }
}

// An open coming is closed: at now while the day is not over (still present), else at the core
// time's end when the template says so, else at the coming itself. The going never lies before
// its coming.
void OffenesKommen(const Tagesprofil& p, const TBerVorRecord& v, TDateTime datum, TDateTime jetzt,
                   TListe& out, const TTagSpur& spur) {
  if (out.Liste.Anzahl % 2 == 0) return;
  const TDateTime kommen = out.Liste.Letzte();
  TDateTime zeit = kommen;
  const char* warum = "the coming itself (empty pair)";
  if (jetzt < datum + p.Tagesende) {
    zeit = AufMinuteAbgeschnitten(jetzt);
    out.Status |= kStatusAnwesend;
    warum = "now, before the end of the day (still present, bit 12)";
  } else if (Option(v.Optionen, 1)) {
    zeit = datum + p.KernEnde;
    warum = "core time end";
  }
  if (zeit < kommen) zeit = kommen;
  out.Liste.Anhaengen(TBuchung{zeit, 0, 0, kCodeAutoGehen});
  out.Status |= kStatusAutoGehen;
  spur.Melde(kSchritt, {"Paare", out.Liste.Anzahl}, zeit,
             [&] { return "open coming closed at " + UhrText(zeit, datum) + ": " + warum; });
  MeldeStatus(spur, out.Status, "bit 0: clocked out automatically");
}

void Schlicht(TBuchungsliste& l, int i, TListe& out, const TTagSpur& spur) {
  if (l.Eintrag[i].Art == 0) return;
  l.Eintrag[i].Art = 0;
  out.Status |= kStatusFalscheTaste;
  spur.Melde(kSchritt, {"Paare", i + 1}, 0, [&] {
    return "entry " + std::to_string(i + 1) + " must be plain: kind set to 0 (bit 13)";
  });
}

}  // namespace

bool TBuchungsliste::Anhaengen(const TBuchung& b) {
  if (Anzahl >= kMaxBuchungen) return false;
  Eintrag[Anzahl++] = b;
  return true;
}

TBuchungsliste TBuchungsliste::AusPaaren(const TMonatTag& tag) {
  TBuchungsliste l;
  for (int i = 0; i < tag.Paarzahl(); ++i) l.Anhaengen(tag.Paare[i]);
  return l;
}

void TBuchungsliste::InPaare(TMonatTag& tag) const {
  for (int i = 0; i < kMaxBuchungen; ++i) tag.Paare[i] = i < Anzahl ? Eintrag[i] : TBuchung{};
  tag.AnzPaare = static_cast<uint8_t>(Anzahl);
}

TDateTime AufMinuteAbgeschnitten(TDateTime t) {
  const double tag = std::floor(t);
  const long long ms = std::llround((t - tag) * 86'400'000.0);
  return tag + MinutesToTime(ms / 60'000);
}

TListe BaueListe(const Tagesprofil& profil, const TBerVorRecord& vorlage, TDateTime datum,
                 TDateTime jetzt, const TMonatTag& tag, const TTagSpur& spur) {
  TListe out;
  out.Status =
      tag.Status & ~(kStatusAnwesend | kStatusAutoKommen | kStatusAutoGehen | kStatusFalscheTaste);
  AutoKommen(profil, vorlage, datum, tag, out, spur);
  Kopieren(tag, out, spur);
  OffenesKommen(profil, vorlage, datum, jetzt, out, spur);
  if (!out.Liste.Leer()) Schlicht(out.Liste, 0, out, spur);
  if (out.Liste.Anzahl >= 2) Schlicht(out.Liste, out.Liste.Anzahl - 1, out, spur);
  return out;
}

}  // namespace qrv
