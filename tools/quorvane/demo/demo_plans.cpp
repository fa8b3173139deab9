// The demo's plans, written between the calculation templates and the persons. Templates 1001 to
// 1005 are not written here: saving the models (demo_models.cpp) writes each model's own
// template. Here:
//   - template 1, a rotating shift with a calendar of its own: weeks of model 1 and of the
//     night shift (model 4) take turns, counted from the Monday of the first managed year's
//     first week; the night shift's persons have it (demo_persons.cpp);
//   - person 2's plan of the demo date's month: template 1001 gives model 1 on every day, and
//     one Wednesday is an individual, shorter night on model 4.
#include <cstdint>

#include "demo_parts.h"
#include "holidays/feiertag_file.h"
#include "master/modell.h"
#include "plans/plan.h"

namespace qrv::tool {

namespace {

constexpr int32_t kWechselschicht = 1;  // the template's number, also in demo_persons.cpp
constexpr uint16_t kTagModell = 1;
constexpr uint16_t kNachtModell = 4;
constexpr int32_t kPlanPerson = 2;  // on model 1

constexpr TDateTime Uhr(int h, int m = 0) {
  return (h * 60 + m) / 1440.0;
}

// The Monday of the week that holds datum.
TDateTime Montag(TDateTime datum) {
  const int abMontag = (DayOfWeek(datum) + 5) % 7;  // DayOfWeek: 1 = Sunday
  return datum - abMontag;
}

// The rotating shift's model of a date: weeks counted from the Monday of the first managed year's
// first week, even weeks on the day model.
int32_t WechselModell(const DemoOptions& o, TDateTime datum) {
  const TDateTime ersterMontag = Montag(EncodeDate(DemoFirstYear(o), 1, 1));
  const auto woche = static_cast<int32_t>((datum - ersterMontag) / 7);
  return woche % 2 == 0 ? kTagModell : kNachtModell;
}

// The plan files as the library's start-up holds them, for the demo's folder.
struct PlanDateien {
  explicit PlanDateien(DemoContext& ctx)
      : mplan(ctx.Plattform(), ctx.Konfig()),
        splan(ctx.Plattform(), ctx.Konfig()),
        planvorl(ctx.Plattform(), ctx.Konfig()),
        modelle(ctx.Plattform(), ctx.Konfig()),
        feiertage(ctx.Plattform(), ctx.Konfig()),
        dateien{mplan, splan, planvorl, modelle, feiertage} {}
  TMPlanFile mplan;
  TSPlanFile splan;
  TPlanvorlFile planvorl;
  TModellFile modelle;
  TQRVFeiertage feiertage;
  TPlanDateien dateien;
};

void SaveWechselschicht(TPlanvorlFile& file) {
  TPlanvorlage vorlage(file);
  TPlanvorlageRec& r = vorlage.Rec;
  SetPlanvorlName(r, "Wechselschicht Tag/Nacht");
  r.Art = kArtKalender;
  r.Modelle[0] = kTagModell;
  r.Modelle[1] = kNachtModell;
  r.Anzahl = 2;
  r.Modell = kTagModell;
  vorlage.KeyC = kWechselschicht;
  vorlage.Save();
}

// The template's calendar for every month of the managed years.
void SaveKalender(DemoContext& ctx, const TPlanDateien& dateien) {
  const DemoOptions& o = ctx.Options();
  TPlan plan(dateien);
  plan.VorlageNr = kWechselschicht;
  for (int32_t jahr = DemoFirstYear(o); jahr <= DemoLastYear(o); ++jahr) {
    for (uint16_t monat = 1; monat <= 12; ++monat) {
      plan.LadeMonat(static_cast<uint16_t>(jahr), monat, true,
                     kVorlagenPlanBasis + kWechselschicht);
      for (int32_t d = 1; d <= plan.TageImMonat; ++d) {
        plan.Rec.Modelle[d - 1] =
            static_cast<uint16_t>(WechselModell(o, EncodeDate(jahr, monat, d)));
      }
      plan.Save();
    }
  }
}

// The Wednesday of the week after the demo's date, or a week earlier while that is not in the
// date's month: a night still to come where the month allows it.
TDateTime Schichttag(const DemoOptions& o) {
  TDateTime tag = Montag(o.today) + 7 + 2;
  while (MonthOfDate(tag) != MonthOfDate(o.today)) tag -= 7;
  return tag;
}

// A night of the night shift's own profile, cut short at 4:30.
Tagesprofil KurzeNacht(const TPlanDateien& dateien, TDateTime datum) {
  TModell nacht(dateien.Modelle, dateien.Feiertage);
  nacht.Load(kNachtModell);
  Tagesprofil t = nacht.ProfilFuerDatum(datum).Profil();
  t.KernEnde = 1 + Uhr(4, 30);
  t.Soll = t.TagWert1 = Uhr(6);
  return t;
}

void SavePersonenplan(DemoContext& ctx, const TPlanDateien& dateien) {
  const DemoOptions& o = ctx.Options();
  if (o.persons < kPlanPerson) return;
  const TDateTime tag = Schichttag(o);
  const int32_t d = DayOfDate(tag);
  TPlan plan(dateien);
  plan.VorlageNr = 1000 + DemoModellOf(kPlanPerson);
  plan.VorlageAb = DemoEintritt(o, kPlanPerson);
  plan.LadeMonat(YearOfDate(tag), MonthOfDate(tag), true, kPlanPerson);
  plan.Rec.Modelle[d - 1] = kNachtModell;
  plan.Rec.FesteTage = SetzeTag(plan.Rec.FesteTage, d, true);
  plan.Rec.SchichtTage = SetzeTag(plan.Rec.SchichtTage, d, true);
  plan.Rec.Tagesprofile[d - 1] = KurzeNacht(dateien, tag);
  // The other days carry their model's profile, as a loaded plan holds them.
  plan.FuelleTagesprofile();
  plan.Save();
}

}  // namespace

int32_t DemoModellAm(const DemoOptions& options, int32_t persNr, TDateTime datum) {
  const int32_t modell = DemoModellOf(persNr);
  return modell == kNachtModell ? WechselModell(options, datum) : modell;
}

void WriteDemoPlans(DemoContext& ctx) {
  PlanDateien files(ctx);
  SaveWechselschicht(files.planvorl);
  SaveKalender(ctx, files.dateien);
  SavePersonenplan(ctx, files.dateien);
}

}  // namespace qrv::tool
