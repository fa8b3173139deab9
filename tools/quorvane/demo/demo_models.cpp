// The demo's working-time models and calculation templates.
#include <cstring>
#include <string>

#include "demo_parts.h"
#include "holidays/feiertag_file.h"
#include "master/bervor.h"
#include "master/modell.h"
#include "master/modell_record.h"
#include "plans/planvorlage.h"

namespace qrv::tool {

namespace {

constexpr TDateTime Uhr(int h, int m = 0) {
  return (h * 60 + m) / 1440.0;
}

// A working day: target, full-day value and the automatic clock-out.
Tagesprofil Arbeitstag(TDateTime soll) {
  Tagesprofil t{};
  t.Soll = soll;
  t.HatTagWert1 = true;
  t.TagWert1 = soll;
  t.HatTagesende = true;
  t.Tagesende = Uhr(23, 59);
  return t;
}

// Flexitime: frame 6:00-20:00, core time 9:00-15:00, comings and goings on a 15-minute grid with
// five minutes of tolerance, the first coming and the last going only.
Tagesprofil Gleitzeit() {
  Tagesprofil t = Arbeitstag(Uhr(7, 48));
  t.HatRahmen = true;
  t.RahmenVon = Uhr(6);
  t.RahmenBis = Uhr(20);
  t.HatKernzeit = true;
  t.KernBeginn = Uhr(9);
  t.KernEnde = Uhr(15);
  t.RundFlags = 1u | 8u | 16u;
  t.RundRaster = Uhr(0, 15);
  t.RundKommen = Uhr(0, 5);
  t.RundGehen = Uhr(0, 5);
  t.Regeln[0] = {1, 0, 0};
  t.RegelSchwelle[0] = Uhr(6);
  t.RegelMinuten[0] = Uhr(0, 30);
  return t;
}

// Fixed day 7:30-16:00 with two break windows and two automatic break rules.
Tagesprofil Festzeit() {
  Tagesprofil t = Arbeitstag(Uhr(8));
  t.HatKernzeit = true;
  t.KernBeginn = Uhr(7, 30);
  t.KernEnde = Uhr(16);
  t.Pausen[0] = {true, Uhr(9, 30), Uhr(9, 45)};
  t.Pausen[1] = {true, Uhr(12), Uhr(12, 30)};
  t.Regeln[0] = {1, 0, 0};
  t.RegelSchwelle[0] = Uhr(6);
  t.RegelMinuten[0] = Uhr(0, 30);
  t.Regeln[1] = {1, 0, 0};
  t.RegelSchwelle[1] = Uhr(9);
  t.RegelMinuten[1] = Uhr(0, 45);
  return t;
}

// Part time: four hours in the morning.
Tagesprofil Teilzeit() {
  Tagesprofil t = Arbeitstag(Uhr(4));
  t.HatKernzeit = true;
  t.KernBeginn = Uhr(8);
  t.KernEnde = Uhr(12);
  return t;
}

// Night shift 22:00 to 6:00 of the next day with a break after midnight.
Tagesprofil Nachtschicht() {
  Tagesprofil t = Arbeitstag(Uhr(7, 30));
  t.Mitternacht = true;
  t.HatKernzeit = true;
  t.KernBeginn = Uhr(22);
  t.KernEnde = 1 + Uhr(6);
  t.Tagesende = 1 + Uhr(8);
  // the frame spans the night, not the day worker's 6:00 to 20:00
  t.RahmenVon = Uhr(21);
  t.RahmenBis = 1 + Uhr(7);
  t.Pausen[0] = {true, 1 + Uhr(2), 1 + Uhr(2, 30)};
  t.HatFeiertagszeit = true;
  t.Feiertagszeit = Uhr(7, 30);
  return t;
}

// days: the working weekdays (0 = Monday); the holiday profile credits the target of a weekday.
ModellVersion Version(const std::string& name, TDateTime start, const Tagesprofil& tag,
                      int days = 5) {
  ModellVersion v{};
  SetModellName(v, name);
  v.StartDatum = start;
  v.SortDatum = start;
  for (int i = 0; i < kProfilAnzahl; ++i) v.Profil[i] = Tagesprofil{};
  for (int i = 0; i < days; ++i) v.Profil[i] = tag;
  v.Profil[kProfilFeiertag - 1].HatFeiertagszeit = true;
  v.Profil[kProfilFeiertag - 1].Feiertagszeit = tag.Soll;
  return v;
}

// Saved with the plan template file, so that the model writes its own template 1000 + m.
void SaveModel(TModellFile& file, TFeiertage& kalender, TPlanvorlFile& vorlagen, int32_t m,
               std::initializer_list<ModellVersion> versions) {
  TModell modell(file, kalender, vorlagen);
  modell.KeyC = m;
  for (const ModellVersion& v : versions) modell.Insert(v);
  modell.Save();
}

void SaveTemplate(TBerVorFile& file, int32_t n, const std::string& name, int32_t monatsEnde) {
  TBerVor vorlage(file);
  TBerVorRecord& r = vorlage.Rec;
  SetBerVorName(r, name);
  r.MonatsEnde = monatsEnde;
  r.WochenEnde = 0;
  r.Fehler = kBerVorFehlerDefault;
  r.Warnungen = kBerVorWarnungenDefault;
  // The flexitime balance stays between -20 and +40 hours at a month's end.
  r.Untergrenze.Setze(0, true, -20.0 / 24);
  r.Obergrenze.Setze(0, true, 40.0 / 24);
  vorlage.KeyC = n;
  vorlage.Save();
}

}  // namespace

int32_t DemoModellOf(int32_t persNr) {
  if (persNr == 1) return 1;
  static constexpr int32_t kVerteilung[10] = {1, 1, 1, 2, 2, 2, 3, 4, 5, 1};
  return kVerteilung[persNr % 10];
}

int32_t DemoBerVorOf(int32_t persNr) {
  return persNr % 4 == 0 ? 2 : 1;
}

void WriteDemoModels(DemoContext& ctx) {
  TModellFile file(ctx.Plattform(), ctx.Konfig());
  TQRVFeiertage kalender(ctx.Plattform(), ctx.Konfig());
  TPlanvorlFile vorlagen(ctx.Plattform(), ctx.Konfig());
  const TDateTime anfang = EncodeDate(DemoFirstYear(ctx.Options()), 1, 1);
  const TDateTime juli = EncodeDate(DemoFirstYear(ctx.Options()), 7, 1);
  SaveModel(file, kalender, vorlagen, 1, {Version("Gleitzeit", anfang, Gleitzeit())});
  SaveModel(file, kalender, vorlagen, 2, {Version("Festzeit B\xFCro", anfang, Festzeit())});
  SaveModel(file, kalender, vorlagen, 3, {Version("Teilzeit vormittags", anfang, Teilzeit())});
  SaveModel(file, kalender, vorlagen, 4, {Version("Nachtschicht", anfang, Nachtschicht(), 4)});
  // From July of the first year the week is shorter.
  Tagesprofil kurz = Gleitzeit();
  kurz.Soll = kurz.TagWert1 = Uhr(7, 30);
  SaveModel(file, kalender, vorlagen, 5,
            {Version("Gleitzeit 39 Std", anfang, Gleitzeit()),
             Version("Gleitzeit 37,5 Std", juli, kurz)});
}

void WriteDemoTemplates(DemoContext& ctx) {
  TBerVorFile file(ctx.Plattform(), ctx.Konfig());
  SaveTemplate(file, 1, "Standard", 0);
  SaveTemplate(file, 2, "Monatsende am 25.", 25);
}

}  // namespace qrv::tool
