// quorvane calc PERSON FROM TO: the time calculation the installation's programs ask for, a
// person's presence and worked time between two points in time, before and after rounding.
// The days around the range are evaluated in memory; nothing is written.
#include <cmath>
#include <memory>

#include "abfrage_lauf.h"
#include "args.h"
#include "commands.h"
#include "json/abrech_tag_json.h"
#include "json/zeiten_json.h"
#include "queries/zeitberechnung.h"

namespace qrv::tool {

namespace {

struct CalcArgs {
  int32_t person = 0;
  TDateTime von = 0;
  TDateTime bis = 0;
};

void Run(const Session& s, const CalcArgs& a) {
  if (a.bis < a.von) throw CLI::ValidationError("TO", "lies before FROM");
  AbfrageLauf lauf(s.options, a.person);
  const TZeiten z = Zeitberechnung(lauf.Umgebung(), a.person, a.von, a.bis);
  Json j = Json::object();
  j["PersNr"] = a.person;
  j["Von"] = ZeitpunktText(a.von);
  j["Bis"] = ZeitpunktText(a.bis);
  // The days the evaluation walks, whose whole-day values Zeit3 and Zeit4 sum.
  j["TageVon"] = DateText(std::floor(a.von) - 1);
  j["TageBis"] = DateText(std::floor(a.bis) + 1);
  j["Zeiten"] = ZeitenJson(z);
  s.Show(j);
}

CLI::Option* AddDateTimeArg(CLI::App& cmd, const std::string& name, TDateTime& value,
                            const std::string& help) {
  return cmd
      .add_option_function<std::string>(
          name, [name, &value](const std::string& text) { value = ParseDateTimeArg(name, text); },
          help + " (YYYY-MM-DDThh:mm)")
      ->required();
}

}  // namespace

void AddCalcCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<CalcArgs>();
  CLI::App* cmd = app.add_subcommand(
      "calc", "a person's presence and worked time between two points in time (as CalcZeit)");
  AddPersonArg(*cmd, args->person);
  AddDateTimeArg(*cmd, "FROM", args->von, "the start of the range");
  AddDateTimeArg(*cmd, "TO", args->bis, "the end of the range");
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
