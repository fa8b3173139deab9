// quorvane model MODEL [--date YYYY-MM-DD]: every version of a model with all profile fields, or
// with --date the version and profile that hold on that date. Loading a model that does not
// exist yet creates it from model 1, as the library does.
#include <memory>

#include "args.h"
#include "commands.h"
#include "holidays/feiertag_file.h"
#include "json/model_json.h"
#include "master/modell.h"
#include "plans/planvorlage.h"

namespace qrv::tool {

namespace {

struct ModelArgs {
  int32_t number = 0;
  TDateTime date = 0;  // 0: every version
};

Json Versions(TModell& modell) {
  Json versionen = Json::array();
  for (int32_t i = 0; i < modell.VersionCount(); ++i) versionen.push_back(modell.Version(i));
  return versionen;
}

void Run(const Session& s, const ModelArgs& args) {
  Installation inst(s.options);
  TModell modell(inst.Lib().ModellFile(), inst.Lib().FeiertagKalender(), inst.Lib().PlanvorlFile());
  modell.Load(args.number);
  Json j = {{"Modell", args.number}};
  if (args.date == 0) {
    j["Versionen"] = Versions(modell);
  } else {
    const TModellTag tag = modell.ProfilFuerDatum(args.date);
    j["Datum"] = DateJson(args.date);
    j["Version"] = Utf8(ModellName(*tag.Version));
    j["Nummer"] = tag.Version->Nummer;
    j["ProfilNr"] = tag.ProfilNr;
    j["Profil"] = tag.Profil();
  }
  s.Show(j);
}

}  // namespace

void AddModelCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<ModelArgs>();
  CLI::App* cmd = app.add_subcommand("model", "a working-time model's versions and day profiles");
  AddModelArg(*cmd, args->number);
  AddDateOption(*cmd, args->date, "only the version and profile of this date");
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
