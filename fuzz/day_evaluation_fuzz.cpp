// The day evaluation on damaged days: the input is laid over the bytes of a sound day entry, day
// profile and calculation template (and the day's date, now and window), byte by byte with
// exclusive or, so an empty input is the sound day and every field can be reached. The
// evaluation, adding the day into a block and rounding the block must end without a fault, with
// an evaluated list of whole pairs within its 40 slots.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "accounting/tag_auswertung.h"
#include "holidays/feiertage.h"
#include "platform/fixed_clock.h"
#include "platform/table_locale.h"
#include "util/datetime.h"

namespace {

using qrv::MinutesToTime;

struct Eingabe {
  qrv::TMonatTag tag;
  qrv::Tagesprofil profil;
  qrv::TBerVorRecord vorlage;
  double datum;
  double jetzt;
  double fensterVon;
  double fensterBis;
};

double Uhr(int h, int m = 0) {
  return MinutesToTime(h * 60 + m);
}

qrv::Tagesprofil Profil() {
  qrv::Tagesprofil p{};
  p.Soll = Uhr(7, 48);
  p.TagWert1 = p.TagWert2 = p.Feiertagszeit = p.Soll;
  p.HatAutoKommen = true;
  p.AutoKommen = Uhr(9);
  p.Tagesende = 1;
  p.HatKernzeit = true;
  p.KernBeginn = Uhr(9);
  p.KernEnde = Uhr(15);
  p.HatAbzug1 = true;
  p.Abzug1 = Uhr(0, 10);
  p.RundFlags = 1 | 8;
  p.RundRaster = Uhr(0, 15);
  p.RundKommen = p.RundGehen = Uhr(0, 5);
  p.HatRahmen = true;
  p.RahmenVon = Uhr(6);
  p.RahmenBis = Uhr(20);
  p.Pausen[0] = {true, Uhr(12), Uhr(12, 30)};
  p.Regeln[0] = {1, 0, 0};
  p.RegelSchwelle[0] = Uhr(6);
  p.RegelMinuten[0] = Uhr(0, 30);
  p.Regeln[1] = {2 | 4, Uhr(11), Uhr(13)};
  p.RegelSchwelle[1] = Uhr(4);
  p.RegelMinuten[1] = Uhr(0, 45);
  p.Kontofenster[0] = {Uhr(18), Uhr(22), qrv::kaMehrarbeit, Uhr(0, 30)};
  p.Kontofenster[1] = {Uhr(0), Uhr(10), qrv::kaUeberstunden, 0};
  return p;
}

Eingabe Grundtag() {
  Eingabe e{};
  e.datum = 46000;  // a Tuesday
  e.jetzt = e.datum + 3.5;
  e.fensterBis = 100000;
  e.tag.Fehlzeit = ' ';
  const int minuten[] = {7 * 60 + 58, 12 * 60 + 5, 12 * 60 + 40, 18 * 60 + 30, 19 * 60};
  for (int i = 0; i < 5; ++i) {
    e.tag.Buchungen[i] = qrv::TBuchung{e.datum + MinutesToTime(minuten[i]), 0, 1, 1};
  }
  e.tag.Buchungen[3].Art = 4;
  e.tag.AnzBuchungen = 5;
  e.tag.TagKonto[3] = Uhr(2);
  e.tag.TagKontoWert[2] = Uhr(1);
  e.profil = Profil();
  e.vorlage.Optionen = 2 | 8;
  e.vorlage.Optionen2 = 4;
  e.vorlage.WochenEnde = 2;
  e.vorlage.KontoBis[3] = 2;
  e.vorlage.Fehler = 1 | (1 << 15) | (1 << 4);
  e.vorlage.Warnungen = 2 | 4 | (1 << 13);
  return e;
}

qrv::TKontoDefs Konten() {
  qrv::TKontoDefs defs;
  const uint8_t arten[] = {qrv::kaMehrarbeit, qrv::kaUeberstunden,  qrv::kaIstzeit,
                           qrv::kaWoche,      qrv::kaSonstiges,     qrv::kaSumme,
                           qrv::kaRahmenzeit, qrv::kaArbeitsstunden};
  for (int j = 0; j < 8; ++j) {
    qrv::KontoDef def;
    def.Art = arten[j];
    def.Zeichen = 'a';
    def.SumKonto = {1, 0, -3, 2};
    def.SumFaktor = {1, 1, 1, 1};
    defs.SetKonto(j + 1, def);
  }
  qrv::KontoDef tage;
  tage.Wert = 10;
  defs.SetKonto(-6, tage);
  defs.SetKonto(-7, tage);
  return defs;
}

// The profile's switches as every reader of stored profiles leaves them: true or false (any other
// byte in a bool is no value of it).
void Schalter(qrv::Tagesprofil& p) {
  bool* const schalter[] = {&p.Mitternacht,      &p.HatTagWert1,     &p.HatTagWert2,
                            &p.HatFeiertagszeit, &p.HatAutoKommen,   &p.HatTagesende,
                            &p.HatAbzug1,        &p.HatAbzug2,       &p.RundFrei,
                            &p.HatRahmen,        &p.HatKernzeit,     &p.HatSpanne,
                            &p.HatFenster4,      &p.Pausen[0].Aktiv, &p.Pausen[1].Aktiv,
                            &p.Pausen[2].Aktiv,  &p.Pausen[3].Aktiv};
  for (bool* b : schalter) {
    uint8_t byte = 0;
    std::memcpy(&byte, b, 1);
    *b = byte != 0;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static qrv::platform::TableLocale locale;
  static qrv::platform::FixedClock clock(46000.5);
  static const qrv::TKontoDefs konten = Konten();
  static const qrv::TFehlzeiten fehlzeiten;
  qrv::platform::Platform p{};
  p.locale = &locale;
  p.clock = &clock;
  static qrv::TFeiertage kalender(p);

  Eingabe e = Grundtag();
  auto* bytes = reinterpret_cast<uint8_t*>(&e);
  for (size_t i = 0; i < size && i < sizeof e; ++i) bytes[i] ^= data[i];
  Schalter(e.profil);

  qrv::TAuswertung a;
  a.Vorlage = &e.vorlage;
  a.KontoDefs = &konten;
  a.Fehlzeiten = &fehlzeiten;
  a.Feiertage = &kalender;
  a.Jetzt = e.jetzt;
  const qrv::TFenster fenster{e.fensterVon, e.fensterBis};
  qrv::TagAuswerten(a, e.profil, e.datum, fenster, e.tag);
  if (e.tag.AnzPaare > qrv::kMaxBuchungen || e.tag.AnzPaare % 2 != 0) std::abort();
  qrv::TMonErgebnis block{};
  qrv::TagAddieren(a, e.datum, e.tag, block);
  qrv::BlockRunden(a, block);
  return 0;
}
