// quorvane items PERSON DATE [--mode M]: a person's day as the typed items of the order-day
// enumeration (model, target, day accounts, presence span and pairs, gaps, break windows, frame
// and rounding settings, presence pieces between breaks, remarks), from an enumeration of the
// tool's own. The month is accounted in memory; nothing is written.
#include <memory>
#include <stdexcept>
#include <vector>

#include "abfrage_lauf.h"
#include "args.h"
#include "commands.h"
#include "json/auftag_json.h"
#include "monats_lauf.h"
#include "queries/auftag.h"

namespace qrv::tool {

namespace {

struct ItemsArgs {
  int32_t person = 0;
  TDateTime date = 0;
  int32_t mode = 0;
};

// The enumeration answers 0 both for a day without items and for a failure. The accounting of
// the day's month, run once more, then tells a failure by its message.
void FehlerSuchen(TBibliothek& lib, const ItemsArgs& a, size_t gefunden) {
  uint16_t y, m, d;
  DecodeDate(a.date, &y, &m, &d);
  MonatsLauf lauf(lib, a.person);
  lauf.Abrechnen(y, m, d, 0);
  if (gefunden > 0) {
    throw std::runtime_error("the day's enumeration failed after " + std::to_string(gefunden) +
                             " items");
  }
}

void Run(const Session& s, const ItemsArgs& a) {
  AbfrageLauf lauf(s.options, a.person);
  TAufTag auftag(lauf.Umgebung());
  const int32_t anzahl = auftag.Begin(a.person, a.date, static_cast<uint8_t>(a.mode));
  std::vector<TAuftagItem> items(static_cast<size_t>(auftag.Count()));
  for (size_t i = 0; i < items.size(); ++i) auftag.Get(static_cast<int32_t>(i), items[i]);
  auftag.End();
  if (anzahl == 0) FehlerSuchen(lauf.Lib(), a, items.size());
  Json j = Json::object();
  j["PersNr"] = a.person;
  j["Datum"] = DateText(a.date);
  j["Modus"] = a.mode;
  j["Items"] = items;
  s.Show(j);
}

}  // namespace

void AddItemsCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<ItemsArgs>();
  CLI::App* cmd = app.add_subcommand(
      "items", "a person's day as the order-day enumeration's items (as QRVBeginAufTag)");
  AddPersonArg(*cmd, args->person);
  AddDayArg(*cmd, args->date);
  AddModeOption(*cmd, args->mode);
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
