// quorvane plan YEAR MONTH PLAN: one month of a plan as the accounting sees it. A person's plan
// (PLAN 1 to 9999) follows the person's template, a template's calendar (100000 + n) template n.
// Loading completes the month as the library does, so a missing month is created.
#include <memory>
#include <string>

#include "args.h"
#include "commands.h"
#include "holidays/feiertag_file.h"
#include "json/plan_month_json.h"
#include "master/modell.h"
#include "master/modell_record.h"
#include "master/person.h"
#include "plans/plan.h"
#include "util/errors.h"

namespace qrv::tool {

namespace {

struct PlanArgs {
  int32_t year = 0;
  int32_t month = 0;
  int32_t number = 0;
};

void SetTemplate(TBibliothek& lib, TPlan& plan, int32_t nummer) {
  if (nummer >= kVorlagenPlanBasis) {
    plan.VorlageNr = nummer - kVorlagenPlanBasis;
    return;
  }
  TPerson person(&lib.PersonFile(), false);
  person.Load(nummer);
  plan.SetPerson(&person);
}

// What the plan answers for day d; a failure is shown with the day, not raised.
PlanTagAnsicht Answer(TPlan& plan, int32_t d) {
  PlanTagAnsicht t;
  t.Tag = d;
  try {
    t.ModellNr = plan.GetModellNr(d);
  } catch (const Exception& e) {
    t.ModellNrFehler = e.Message();
  }
  Tagesprofil profil{};
  ModellVersion* woche = nullptr;
  try {
    plan.GetTag(d, profil, woche);
    t.VersionNr = woche->Nummer;
    t.VersionName = ModellName(*woche);
    t.Soll = profil.Soll;
  } catch (const Exception& e) {
    t.ProfilFehler = e.Message();
  }
  return t;
}

void Run(const Session& s, const PlanArgs& a) {
  Installation inst(s.options);
  TBibliothek& lib = inst.Lib();
  TPlanDateien dateien{lib.MPlanFile(), lib.SPlanFile(), lib.PlanvorlFile(), lib.ModellFile(),
                       lib.FeiertagKalender()};
  auto plan = std::make_unique<TPlan>(dateien);
  SetTemplate(lib, *plan, a.number);
  // Without a template a missing month is created empty.
  plan->LadeMonat(static_cast<uint16_t>(a.year), static_cast<uint16_t>(a.month),
                  plan->VorlageNr != 0, a.number);
  PlanMonatAnsicht view{a.year,          a.month,    a.number, plan->VorlageNr,
                        plan->VorlageAb, &plan->Rec, {}};
  for (int32_t d = 1; d <= plan->TageImMonat; ++d) view.Tage.push_back(Answer(*plan, d));
  s.Show(view);
}

}  // namespace

void AddPlanCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<PlanArgs>();
  CLI::App* cmd = app.add_subcommand("plan", "one month of a plan (EP<n>.DAT, SPL<n>.DAT)");
  AddYearArg(*cmd, args->year);
  AddMonthArg(*cmd, args->month);
  const std::string persons = std::to_string(kPersonMin) + " to " + std::to_string(kPersonMax);
  const std::string templates = std::to_string(kVorlagenPlanBasis + kTemplateMin) + " to " +
                                std::to_string(kVorlagenPlanBasis + kTemplateMax);
  cmd->add_option("PLAN", args->number,
                  "the plan number: a person (" + persons + ") or 100000 + a plan template (" +
                      templates + ")")
      ->required()
      ->check(CLI::Range(kPersonMin, kPersonMax) |
              CLI::Range(kVorlagenPlanBasis + kTemplateMin, kVorlagenPlanBasis + kTemplateMax));
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
