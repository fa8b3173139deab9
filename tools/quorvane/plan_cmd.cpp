// quorvane plan YEAR MONTH N: per day the stored model and code, whether the day was set by hand
// or has a shift profile, the model the template gives (GetModellNr) and the model version and
// Soll of the profile that applies. A person's plan (N below 10000) follows the person's
// template, a template's calendar (100000 + n) template n. Loading completes the month as the
// library does, so a missing month is created.
// quorvane plan-template N: the fields of plan template N; a template that does not exist is
// reported, not created.
#include "plan_cmd.h"

#include <memory>
#include <string>

#include "holidays/feiertag_file.h"
#include "master/modell.h"
#include "master/person.h"
#include "output.h"
#include "plans/plan.h"
#include "util/errors.h"

namespace qrv::tool {

namespace {

using nlohmann::ordered_json;

constexpr int32_t kPersonMax = 9999;

// The plan files of the installation, as the start-up builds them.
// The files a plan reads, the library's own.
struct PlanFiles {
  explicit PlanFiles(TBibliothek& lib)
      : dateien{lib.MPlanFile(), lib.SPlanFile(), lib.PlanvorlFile(), lib.ModellFile(),
                lib.FeiertagKalender()} {}
  TPlanDateien dateien;
};

ordered_json ProfilJson(TPlan& plan, int32_t tag) {
  Tagesprofil profil{};
  ModellVersion* woche = nullptr;
  try {
    plan.GetTag(tag, profil, woche);
  } catch (const Exception& e) {
    return {{"Fehler", Utf8(e.Message())}};
  }
  const int32_t modell =
      woche->Nummer == kModellKeinZutritt ? kModellKeinZutritt : woche->Nummer % 1000;
  return {{"Modell", modell},
          {"Version", woche->Nummer},
          {"Name", Utf8(ModellName(*woche))},
          {"Soll", DurationText(profil.Soll)}};
}

ordered_json TagJson(TPlan& plan, int32_t d) {
  ordered_json j;
  j["Tag"] = d;
  j["Modelle"] = plan.Rec.Modelle[d - 1];
  j["Kennungen"] = plan.Rec.Kennungen[d - 1];
  j["FesteTage"] = InTagen(plan.Rec.FesteTage, d);
  j["SchichtTage"] = InTagen(plan.Rec.SchichtTage, d);
  try {
    j["GetModellNr"] = plan.GetModellNr(d);
  } catch (const Exception& e) {
    j["GetModellNr"] = {{"Fehler", Utf8(e.Message())}};
  }
  j["Profil"] = ProfilJson(plan, d);
  return j;
}

void SetTemplate(TBibliothek& lib, TPlan& plan, int32_t nummer) {
  if (nummer >= kVorlagenPlanBasis) {
    plan.VorlageNr = nummer - kVorlagenPlanBasis;
    return;
  }
  if (nummer < 1 || nummer > kPersonMax) {
    plan.SetPerson(nullptr);
    return;
  }
  TPerson person(&lib.PersonFile(), false);
  person.Load(nummer);
  plan.SetPerson(&person);
}

void RunPlan(const Options& options, int jahr, int monat, int32_t nummer) {
  Installation inst(options);
  PlanFiles files(inst.Lib());
  auto plan = std::make_unique<TPlan>(files.dateien);
  SetTemplate(inst.Lib(), *plan, nummer);
  // Without a template a missing month is created empty.
  plan->LadeMonat(static_cast<uint16_t>(jahr), static_cast<uint16_t>(monat), plan->VorlageNr != 0,
                  nummer);
  ordered_json j;
  j["Jahr"] = jahr;
  j["Monat"] = monat;
  j["Nummer"] = nummer;
  j["VorlageNr"] = plan->VorlageNr;
  j["VorlageAb"] = plan->VorlageAb == 0 ? "" : DateText(plan->VorlageAb);
  j["Gesperrt"] = plan->Rec.Gesperrt;
  ordered_json tage = ordered_json::array();
  for (int32_t d = 1; d <= plan->TageImMonat; ++d) tage.push_back(TagJson(*plan, d));
  j["Tage"] = tage;
  Print(options, j);
}

void RunTemplate(const Options& options, int32_t nummer) {
  Installation inst(options);
  TPlanvorlFile& file = inst.Lib().PlanvorlFile();
  if (!file.RecordFileExists(0, 0, nummer)) {
    throw Exception("Planvorlage " + std::to_string(nummer) + " nicht gefunden");
  }
  TPlanvorlage vorlage(file);
  vorlage.LadeVorlage(nummer);
  const TPlanvorlageRec& r = vorlage.Rec;
  ordered_json j;
  j["Nummer"] = nummer;
  j["Name"] = Utf8(PlanvorlName(r));
  j["Art"] = r.Art;
  j["Modell"] = r.Modell;
  j["Anzahl"] = r.Anzahl;
  ordered_json liste = ordered_json::array();
  for (int32_t p = 1; p <= r.Anzahl; ++p) {
    liste.push_back(
        {{"Pos", p}, {"Modell", r.Modelle[p - 1]}, {"Markiert", r.Markiert[p - 1] != 0}});
  }
  j["Modelle"] = liste;
  Print(options, j);
}

}  // namespace

void AddPlanCommands(CLI::App& app, const Options& options) {
  auto jahr = std::make_shared<int>(0);
  auto monat = std::make_shared<int>(0);
  auto nummer = std::make_shared<int32_t>(0);
  CLI::App* plan = app.add_subcommand("plan", "one month of a plan (EP<N>.DAT, SPL<N>.DAT)");
  plan->add_option("YEAR", *jahr, "the year")->required()->check(CLI::Range(1, 9999));
  plan->add_option("MONTH", *monat, "the month")->required()->check(CLI::Range(1, 12));
  plan->add_option("N", *nummer, "the plan number: a person, or 100000 + a template")->required();
  plan->callback([&options, jahr, monat, nummer] { RunPlan(options, *jahr, *monat, *nummer); });

  auto vorlage = std::make_shared<int32_t>(0);
  CLI::App* tpl = app.add_subcommand("plan-template", "one plan template (GSPL<N>.DAT)");
  tpl->add_option("N", *vorlage, "the template's number (1 to 9999)")->required();
  tpl->callback([&options, vorlage] { RunTemplate(options, *vorlage); });
}

}  // namespace qrv::tool
