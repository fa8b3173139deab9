// quorvane span PERSON DATE [--mode M]: when a person's presence on a day began and ended, the
// first start and the last end of its presence pieces outside the break windows; the day's
// midnight and the next one when there are none.
#include <memory>

#include "abfrage_lauf.h"
#include "args.h"
#include "commands.h"
#include "json/abrech_tag_json.h"
#include "queries/tag_von_bis.h"

namespace qrv::tool {

namespace {

struct SpanArgs {
  int32_t person = 0;
  TDateTime date = 0;
  int32_t mode = 0;
};

void Run(const Session& s, const SpanArgs& a) {
  AbfrageLauf lauf(s.options, a.person);
  double von = a.date, bis = 0;
  TagVonBis(lauf.Umgebung(), a.person, von, bis, static_cast<uint8_t>(a.mode));
  Json j = Json::object();
  j["PersNr"] = a.person;
  j["Datum"] = DateText(a.date);
  j["Modus"] = a.mode;
  j["Von"] = ZeitpunktText(von);
  j["Bis"] = ZeitpunktText(bis);
  s.Show(j);
}

}  // namespace

void AddSpanCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<SpanArgs>();
  CLI::App* cmd = app.add_subcommand(
      "span", "when a person's presence on a day began and ended (as QRVGetTagVonBis)");
  AddPersonArg(*cmd, args->person);
  AddDayArg(*cmd, args->date);
  AddModeOption(*cmd, args->mode);
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
