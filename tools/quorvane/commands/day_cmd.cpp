// quorvane day PERSON DATE [--explain]: one day as the accounting of its month leaves it (the
// month is accounted in memory); --explain adds the trace of the rules that set its values.
#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

#include "args.h"
#include "commands.h"
#include "json/spur_json.h"
#include "monats_lauf.h"
#include "output/monatsblatt.h"
#include "tabellen_hinweis.h"

namespace qrv::tool {

namespace {

struct DayArgs {
  int32_t person = 0;
  TDateTime date = 0;
  bool explain = false;
};

// Keeps the trace entries of one day.
class TagesSpur final : public TSpur {
 public:
  explicit TagesSpur(TDateTime datum) : datum_(datum) {}
  void Eintrag(TSpurEintrag e) override {
    if (std::floor(e.Datum) == datum_) eintraege.push_back(std::move(e));
  }
  std::vector<TSpurEintrag> eintraege;

 private:
  TDateTime datum_;
};

Json Tag(const MonatsLauf& lauf, TDateTime datum) {
  for (const AbrechTagAnsicht& t : lauf.Tage()) {
    if (t.Datum == datum) return t;
  }
  throw std::runtime_error(DateText(datum) + " lies outside the accounted period " +
                           DateText(lauf.Abrech().Von) + " to " + DateText(lauf.Abrech().Bis));
}

void Run(const Session& s, const DayArgs& a) {
  Installation inst(s.options);
  MonatsLauf lauf(inst.Lib(), a.person);
  TagesSpur spur(a.date);
  uint16_t y, m, d;
  DecodeDate(a.date, &y, &m, &d);
  // The day given, the accounting takes the period (of this month or the next) that holds it.
  lauf.Abrechnen(y, m, d, 0, a.explain ? &spur : nullptr);
  MeldeFehlendeTabelle(*s.err);
  Json tag = Tag(lauf, a.date);
  if (a.explain) tag["Spur"] = spur.eintraege;
  if (s.options.format == "text") {
    PrintTagErklaerung(*s.out, tag);
  } else {
    s.Show(tag);
  }
}

}  // namespace

void AddDayCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<DayArgs>();
  CLI::App* cmd = app.add_subcommand("day", "one day of a person, its month accounted in memory");
  AddPersonArg(*cmd, args->person);
  AddDayArg(*cmd, args->date);
  cmd->add_flag("--explain", args->explain, "add the trace: which rule set which value");
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
