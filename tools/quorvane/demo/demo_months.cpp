// The demo's months: for every person and every month of the managed years up to the day before
// the demo's date, a month of bookings in the installation's month layout. Each person's model
// gives the shape of a day; a generator seeded by the options, the person and the month varies
// it, so one person's months do not depend on how many persons are made.
#include <cstring>
#include <memory>
#include <vector>

#include "demo_parts.h"
#include "holidays/feiertag_file.h"
#include "master/bervor.h"
#include "month/monat.h"
#include "month/monat_file.h"

namespace qrv::tool {

namespace {

constexpr TDateTime Uhr(int h, int m = 0) {
  return (h * 60 + m) / 1440.0;
}

// splitmix64: small, fast and the same everywhere.
class Wuerfel {
 public:
  explicit Wuerfel(uint64_t seed) : state_(seed) {}
  int32_t Wurf(int32_t n) { return static_cast<int32_t>(Next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint64_t state_;
};

// A running absence: its letter and the working days it still covers.
struct Abwesenheit {
  char letter = ' ';
  int tage = 0;
};

void Buche(TMonatTag& t, TDateTime zeit) {
  if (t.AnzBuchungen >= kMaxBuchungen) return;
  t.Buchungen[t.AnzBuchungen++] = TBuchung{zeit, 0, 1, 1};
}

bool IstArbeitstag(int32_t modell, TDateTime datum) {
  const int wt = DayOfWeek(datum);  // 1 = Sunday
  if (wt == 1 || wt == 7) return false;
  return modell != 4 || wt != 6;  // the night shift works Monday to Thursday
}

// Coming and going of a normal day of the model, before the day's deviations.
void Normalzeiten(int32_t modell, Wuerfel& w, TDateTime& kommen, TDateTime& gehen) {
  switch (modell) {
    case 2:
      kommen = Uhr(7, 15 + w.Wurf(18));
      gehen = Uhr(16, w.Wurf(20));
      break;
    case 3:
      kommen = Uhr(7, 50 + w.Wurf(12));
      gehen = Uhr(12, w.Wurf(15));
      break;
    case 4:
      kommen = Uhr(21, 45 + w.Wurf(15));
      gehen = 1 + Uhr(6, w.Wurf(12));
      break;
    default:
      kommen = Uhr(7, w.Wurf(100));
      gehen = kommen + Uhr(8, 15 + w.Wurf(90));
      break;
  }
}

// One working day: late arrivals, early leaves, missing clock-outs and repeated bookings among
// the normal days; a lunch break on some day-time days.
void Arbeitstag(TMonatTag& t, int32_t modell, TDateTime datum, Wuerfel& w) {
  TDateTime kommen = 0, gehen = 0;
  Normalzeiten(modell, w, kommen, gehen);
  const int fall = w.Wurf(100);
  if (modell != 4 && fall < 5) {
    kommen = Uhr(9, 10 + w.Wurf(50));
    t.Status |= kStatusNachKernzeit;
  } else if (modell != 4 && fall < 9) {
    gehen = modell == 3 ? Uhr(10, 30 + w.Wurf(40)) : Uhr(13, w.Wurf(100));
    t.Status |= kStatusVorKernzeit;
  }
  Buche(t, datum + kommen);
  if (fall >= 9 && fall < 11) Buche(t, datum + kommen + Uhr(0, 1));  // pressed twice
  const bool pause = modell == 1 || modell == 5 ? w.Wurf(2) == 0 : false;
  if (pause && gehen > Uhr(13)) {
    const TDateTime ab = Uhr(12, w.Wurf(30));
    Buche(t, datum + ab);
    Buche(t, datum + ab + Uhr(0, 30 + w.Wurf(15)));
  }
  if (fall >= 11 && fall < 13) {
    t.Status |= kStatusAutoGehen;  // the clock-out is missing
    return;
  }
  Buche(t, datum + gehen);
}

// Starts an absence now and then: vacation weeks, a few sick days, school days for trainees.
Abwesenheit NeueAbwesenheit(int32_t persNr, Wuerfel& w) {
  const int r = w.Wurf(1000);
  if (r < 22) return {'u', 3 + w.Wurf(8)};
  if (r < 34) return {'k', 1 + w.Wurf(4)};
  if (persNr % 9 == 5 && r < 80) return {'s', 1};
  return {};
}

struct Lauf {
  TMonatFile& file;
  const std::vector<bool>& feiertag;  // by day from the first of the first year
  TDateTime erster;
  TDateTime gestern;
  const DemoOptions& options;
};

void Monat(TMonat& m, const Lauf& lauf, int32_t persNr, TDateTime eintritt, Wuerfel& w,
           Abwesenheit& ab) {
  for (int d = 1; d <= m.TageImMonat; ++d) {
    const TDateTime datum = EncodeDate(m.KeyA, m.KeyB, d);
    const int32_t modell = DemoModellAm(lauf.options, persNr, datum);
    if (datum > lauf.gestern || datum < eintritt) continue;
    if (!IstArbeitstag(modell, datum) || lauf.feiertag[static_cast<size_t>(datum - lauf.erster)]) {
      continue;
    }
    TMonatTag& t = m.Daten.Tag(d);
    if (ab.tage == 0) ab = NeueAbwesenheit(persNr, w);
    if (ab.tage > 0) {
      t.Fehlzeit = ab.letter;
      --ab.tage;
      continue;
    }
    Arbeitstag(t, modell, datum, w);
  }
}

std::vector<bool> Feiertage(DemoContext& ctx, TDateTime erster, TDateTime letzter) {
  TQRVFeiertage kalender(ctx.Plattform(), ctx.Konfig());
  std::vector<bool> frei;
  for (TDateTime d = erster; d <= letzter; d += 1) frei.push_back(kalender.IstFeiertag(d));
  return frei;
}

TDateTime NaechsterMonat(TDateTime tag) {
  const int32_t jahr = YearOfDate(tag), monat = MonthOfDate(tag);
  return monat == 12 ? EncodeDate(jahr + 1, 1, 1) : EncodeDate(jahr, monat + 1, 1);
}

void Leeren(TMonat& m, int32_t jahr, int32_t monat, int32_t persNr) {
  std::memset(&m.Daten, 0, sizeof m.Daten);
  for (TMonatTag& t : m.Daten.Tage) t.Fehlzeit = ' ';
  m.KeyA = jahr;
  m.KeyB = monat;
  m.KeyC = persNr;
  m.TageImMonat = DaysInMonth(jahr, static_cast<uint16_t>(monat));
}

}  // namespace

void WriteDemoMonths(DemoContext& ctx) {
  const DemoOptions& o = ctx.Options();
  const TDateTime erster = EncodeDate(DemoFirstYear(o), 1, 1);
  const TDateTime gestern = o.today - 1;
  if (gestern < erster) return;
  const std::vector<bool> frei = Feiertage(ctx, erster, gestern);
  TKMonatFile kompakt(ctx.Plattform(), ctx.Konfig());
  TGMonatFile voll(ctx.Plattform(), ctx.Konfig());
  Lauf lauf{MonatFileFor(ctx.Konfig(), kompakt, voll), frei, erster, gestern, o};
  std::vector<Abwesenheit> laufend(static_cast<size_t>(o.persons));
  auto m = std::make_unique<TMonat>(lauf.file);
  for (TDateTime tag = erster; tag <= gestern; tag = NaechsterMonat(tag)) {
    const int32_t jahr = YearOfDate(tag), monat = MonthOfDate(tag);
    for (int32_t n = 1; n <= o.persons; ++n) {
      Wuerfel w(o.seed * 0x100000001B3ull + static_cast<uint64_t>(n) * 7919 +
                static_cast<uint64_t>(jahr * 12 + monat));
      Leeren(*m, jahr, monat, n);
      Monat(*m, lauf, n, DemoEintritt(o, n), w, laufend[static_cast<size_t>(n - 1)]);
      m->Speichern();
    }
  }
}

}  // namespace qrv::tool
