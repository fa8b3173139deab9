#include "report/tabellen_zeilen.h"

#include <cmath>

#include "accounting/abrech_text.h"
#include "accounting/zeit_text.h"
#include "util/texts.h"

namespace qrv {

namespace {

constexpr double kStunden = 24;
constexpr int kStatusZeichen = 32;

double Stunden(double x) {
  return x * kStunden;
}
double GerundetStunden(double x) {
  return RoundToMinute(x) * kStunden;
}
double Uhrzeit(TDateTime t) {
  return t - std::trunc(t);
}

// Columns of the person row.
constexpr int32_t kPersFreiA = 12;  // Frei[1..10]
constexpr int32_t kPersFreiB = 31;  // Frei[11..20]
constexpr int32_t kPersWert2 = 41;

// Columns of the day row.
constexpr int32_t kTagPaare = 26;        // + r: pair r
constexpr int32_t kTagKontoSpalte = 66;  // + r: account r
constexpr int32_t kTagModellNr = 117;

// Columns of the month row.
constexpr int32_t kMonKonten = 15;  // 2j + 15 and 2j + 16: account j
constexpr int32_t kMonWochenKorr = 98;

void PersonTexte(platform::Spreadsheet& s, int32_t z, const TPersonRec& r) {
  const std::string texte[] = {GetShort(r.Name),  GetShort(r.Vorname), GetShort(r.Text1),
                               GetShort(r.Text2), GetShort(r.Text3),   GetShort(r.Text4),
                               GetShort(r.Text5), GetShort(r.Text6),   GetShort(r.Text7)};
  int32_t spalte = 3;
  for (const auto& t : texte) s.SetCellEntry(z, spalte++, t);
  for (int i = 0; i < 10; ++i) s.SetCellText(z, kPersFreiA + i, GetShort(r.Frei[i]));
}

// The day's status as 32 characters, bit 31 first: "*" for a set bit, else a blank.
std::string StatusText(uint16_t status) {
  std::string text(kStatusZeichen, ' ');
  for (int i = 1; i <= kStatusZeichen; ++i) {
    if ((static_cast<uint32_t>(status) >> (kStatusZeichen - i) & 1u) != 0) text[i - 1] = '*';
  }
  return text;
}

// One letter per pair: the first letter of the name of the day account the pair's kind books.
std::string ArtBuchstaben(const TMonatTag& tag, const TKontoDefs& konten) {
  std::string text(kMaxBuchungen, ' ');
  for (int r = 0; r < kMaxBuchungen; ++r) {
    const uint8_t art = tag.Paare[r].Art;
    const int konto = art == 4 ? -3 : art == 6 ? -1 : art == 8 ? -2 : 0;
    if (konto == 0) continue;
    const std::string& name = konten.Konto(konto).Name;
    if (!name.empty()) text[static_cast<size_t>(r)] = name[0];
  }
  return text;
}

// A letter code 0 (a day never written) has no text; it would end the text at the engine.
std::string FehlzeitText(char fehlzeit) {
  return fehlzeit == '\0' ? std::string() : std::string(1, fehlzeit);
}

// Columns 1 to 26: times, results, shares, flags.
void TagKopf(platform::Spreadsheet& s, int32_t z, const TTagZeile& t) {
  const TMonatTag& tag = *t.Tag;
  const int n = tag.Paarzahl();
  const auto e = [&tag](int i) { return tag.TagErgebnis[i - 1]; };
  s.SetCellText(z, 1, DatumText(t.Datum));
  if (tag.Paare[0].Zeit > 0) s.SetCellNumber(z, 2, Stunden(Uhrzeit(tag.Paare[0].Zeit)));
  if (n >= 1 && tag.Paare[n - 1].Zeit > 0) {
    s.SetCellNumber(z, 3, Stunden(Uhrzeit(tag.Paare[n - 1].Zeit)));
  }
  s.SetCellNumber(z, 4, GerundetStunden(e(44)));
  s.SetCellNumber(z, 5, GerundetStunden(e(55)));
  for (int k = 0; k < kTagKonten; ++k) {
    s.SetCellNumber(z, 6 + k, Stunden(tag.TagKontoErgebnis[k]));
  }
  s.SetCellEntry(z, 11, FehlzeitText(tag.Fehlzeit));
  s.SetCellNumber(z, 12, GerundetStunden(e(48)));
  s.SetCellNumber(z, 13, GerundetStunden(e(49)));
  s.SetCellNumber(z, 14, GerundetStunden(e(47)));
  s.SetCellEntry(z, 15, tag.TagRest.Frei1[1] != 0 ? "*" : " ");
  s.SetCellEntry(z, 16, StatusText(tag.Status));
  s.SetCellNumber(z, 17, Stunden(e(42)));
  s.SetCellNumber(z, 18, GerundetStunden(e(44)));
  s.SetCellNumber(z, 19, GerundetStunden(e(45)));
  s.SetCellNumber(z, 20, GerundetStunden(e(46)));
  s.SetCellNumber(z, 21, tag.TagRest.AnteilB);
  s.SetCellNumber(z, 22, tag.TagRest.AnteilA);
  s.SetCellNumber(z, 23, tag.TagRest.Feiertag);
  s.SetCellNumber(z, 24, tag.TagRest.Arbeitstag);
  s.SetCellNumber(z, 25, n);
  s.SetCellNumber(z, 26, t.Plan->Rec.Modelle[DayOfDate(t.Datum) - 1]);
}

// Columns 27 to 116: the pairs, the accounts, the weekly sums, the texts, the plan's day sets.
void TagRumpf(platform::Spreadsheet& s, int32_t z, const TTagZeile& t) {
  const TMonatTag& tag = *t.Tag;
  const auto e = [&tag](int i) { return tag.TagErgebnis[i - 1]; };
  for (int r = 1; r <= tag.Paarzahl(); ++r) {
    s.SetCellNumber(z, kTagPaare + r, Stunden(tag.Paare[r - 1].Zeit - t.Datum));
  }
  for (int r = 1; r <= kKonten; ++r) {
    const double faktor = KontoFaktor(*t.Konten, r);
    if (faktor != 0) s.SetCellNumber(z, kTagKontoSpalte + r, e(r) * faktor);
  }
  s.SetCellNumber(z, 107, Stunden(tag.TagRest.WochenSumme));
  s.SetCellNumber(z, 108, Stunden(tag.TagRest.WochenLauf));
  s.SetCellNumber(z, 109, GerundetStunden(tag.TagZeit));
  s.SetCellNumber(z, 110, GerundetStunden(e(43)));
  s.SetCellNumber(z, 111, tag.TagRest.Frei1[0]);
  s.SetCellNumber(z, 112, Stunden(e(50)));
  s.SetCellEntry(z, 113, t.Bemerkung);
  s.SetCellEntry(z, 114, ArtBuchstaben(tag, *t.Konten));
  const int d = DayOfDate(t.Datum);
  s.SetCellNumber(z, 115, InTagen(t.Plan->Rec.SchichtTage, d) ? 1 : 0);
  s.SetCellNumber(z, 116, InTagen(t.Plan->Rec.FesteTage, d) ? 1 : 0);
}

// The value at column spalte of row 2, divided by teiler and rounded to the minute when runden,
// as it replaces alt; reported with its position pos.
double Lese(platform::Spreadsheet& s, TSpur* spur, int32_t spalte, double teiler, bool runden,
            double alt, TSpurPos pos) {
  const double zelle = s.GetCellNumber(2, spalte) / teiler;
  const double neu = runden ? RoundToMinute(zelle) : zelle;
  Melde(spur, [&] {
    const auto zeige = runden ? DauerText : ZahlText;
    return TSpurEintrag{0, kSchrittTabelle, pos.Text(), neu,
                        "spreadsheet: MonSumDatenCalc column " + std::to_string(spalte) + ": " +
                            zeige(alt) + " -> " + zeige(neu)};
  });
  return neu;
}

}  // namespace

double KontoFaktor(const TKontoDefs& konten, int j) {
  switch (konten.Konto(j).Format) {
    case kfZeitStdMin:
    case kfZeitStd100:
      return 24;
    case kfGanzzahl:
      return 1440;
    case kfFestkomma1:
      return 144;
    case kfFestkomma2:
      return 14.4;
    default:
      return 0;
  }
}

void PersonZeileSchreiben(platform::Spreadsheet& s, int32_t z, const TPersonRec& r,
                          const TKonfig& konfig) {
  s.SetCellText(z, kPersWert2, "1");
  s.SetCellNumber(z, 1, r.PersNr);
  s.SetCellNumber(z, 2, r.AusweisNr);
  PersonTexte(s, z, r);
  s.SetCellText(z, 22, std::to_string(r.VorlageNr));
  s.SetCellText(z, 23, DatumText(r.VorlageAb));
  s.SetCellEntry(z, 24, BarcodeText(r.AusweisNr, 4, konfig.BarCheck));
  s.SetCellEntry(z, 25, konfig.PhotoDir + GetShort(r.Text8));
  s.SetCellNumber(z, 26, r.BerVorNr);
  s.SetCellNumber(z, 27, r.Eintrittswert);
  s.SetCellNumber(z, 28, r.Jahreswert);
  s.SetCellNumber(z, 29, r.Eintritt);
  s.SetCellNumber(z, 30, r.Austritt);
  for (int i = 10; i < kPersonFreiCount; ++i) {
    s.SetCellEntry(z, kPersFreiB + i - 10, GetShort(r.Frei[i]));
  }
  s.SetCellText(z, kPersWert2, std::to_string(r.Wert2));
}

void TagZeileSchreiben(platform::Spreadsheet& s, int32_t z, const TTagZeile& t) {
  s.SetCellNumber(z, kTagModellNr, 1);
  TagKopf(s, z, t);
  TagRumpf(s, z, t);
  s.SetCellNumber(z, kTagModellNr, t.Plan->GetModellNr(DayOfDate(t.Datum)));
}

void MonatZeileSchreiben(platform::Spreadsheet& s, int32_t z, const TMonatDaten& m,
                         const TKontoDefs& konten) {
  s.SetCellNumber(z, kMonWochenKorr, 1);
  s.SetCellNumber(z, 1, GerundetStunden(m.MonSaldo));
  s.SetCellNumber(z, 2, GerundetStunden(m.MonSaldoKorr));
  s.SetCellNumber(z, 3, m.MonAnteilB);
  s.SetCellNumber(z, 4, m.MonAnteilBKorr);
  s.SetCellNumber(z, 5, m.MonAnteilA);
  s.SetCellNumber(z, 6, m.MonAnteilAKorr);
  for (int i = 1; i <= kTagKonten; ++i) {
    s.SetCellNumber(z, 2 * i + 5, GerundetStunden(m.MonTagKonto[i - 1]));
    s.SetCellNumber(z, 2 * i + 6, GerundetStunden(m.MonTagKontoKorr[i - 1]));
  }
  for (int j = 1; j <= kKonten; ++j) {
    const double faktor = KontoFaktor(konten, j);
    if (faktor == 0) continue;
    s.SetCellNumber(z, 2 * j + kMonKonten, RoundToMinute(m.MonKonto[j - 1]) * faktor);
    s.SetCellNumber(z, 2 * j + kMonKonten + 1, RoundToMinute(m.MonKontoKorr[j - 1]) * faktor);
  }
  s.SetCellNumber(z, 97, Stunden(m.WochenLauf()));
  s.SetCellNumber(z, kMonWochenKorr, Stunden(m.WochenKorr()));
}

void MonatZuruecklesen(platform::Spreadsheet& s, TMonatDaten& m, const TKontoDefs& konten,
                       TSpur* spur) {
  m.MonSaldo = Lese(s, spur, 1, kStunden, true, m.MonSaldo, {"MonSaldo"});
  m.MonSaldoKorr = Lese(s, spur, 2, kStunden, true, m.MonSaldoKorr, {"MonSaldoKorr"});
  m.MonAnteilB = Lese(s, spur, 3, 1, false, m.MonAnteilB, {"MonAnteilB"});
  m.MonAnteilBKorr = Lese(s, spur, 4, 1, false, m.MonAnteilBKorr, {"MonAnteilBKorr"});
  m.MonAnteilA = Lese(s, spur, 5, 1, false, m.MonAnteilA, {"MonAnteilA"});
  m.MonAnteilAKorr = Lese(s, spur, 6, 1, false, m.MonAnteilAKorr, {"MonAnteilAKorr"});
  for (int i = 1; i <= kTagKonten; ++i) {
    m.MonTagKonto[i - 1] =
        Lese(s, spur, 2 * i + 5, kStunden, true, m.MonTagKonto[i - 1], {"MonTagKonto", i});
    m.MonTagKontoKorr[i - 1] =
        Lese(s, spur, 2 * i + 6, kStunden, true, m.MonTagKontoKorr[i - 1], {"MonTagKontoKorr", i});
  }
  for (int j = 1; j <= kKonten; ++j) {
    const double faktor = KontoFaktor(konten, j);
    if (faktor == 0) continue;
    m.MonKonto[j - 1] =
        Lese(s, spur, 2 * j + kMonKonten, faktor, true, m.MonKonto[j - 1], {"MonKonto", j});
    m.MonKontoKorr[j - 1] = Lese(s, spur, 2 * j + kMonKonten + 1, faktor, true,
                                 m.MonKontoKorr[j - 1], {"MonKontoKorr", j});
  }
}

}  // namespace qrv
