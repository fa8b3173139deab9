// quorvane account PERSON YEAR MONTH [--day D] [--until DATE]: a person's month accounted in
// memory: the month values before and after, the result block and every day the accounting
// walked. Nothing is written; --format text shows it as a month sheet.
#include <memory>

#include "args.h"
#include "commands.h"
#include "monats_lauf.h"
#include "output/monatsblatt.h"
#include "tabellen_hinweis.h"

namespace qrv::tool {

namespace {

struct AccountArgs {
  int32_t person = 0;
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  TDateTime until = 0;
};

void Run(const Session& s, const AccountArgs& a) {
  Installation inst(s.options);
  MonatsLauf lauf(inst.Lib(), a.person);
  lauf.Abrechnen(static_cast<uint16_t>(a.year), static_cast<uint16_t>(a.month),
                 static_cast<uint16_t>(a.day), a.until);
  MeldeFehlendeTabelle(*s.err);
  const Json j = lauf.ToJson();
  if (s.options.format == "text") {
    PrintMonatsblatt(*s.out, j);
  } else {
    s.Show(j);
  }
}

}  // namespace

void AddAccountCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<AccountArgs>();
  CLI::App* cmd = app.add_subcommand(
      "account", "a person's month accounted in memory: days, results, carried values");
  AddPersonArg(*cmd, args->person);
  AddYearOrNowArg(*cmd, args->year);
  AddMonthArg(*cmd, args->month);
  cmd->add_option("--day", args->day,
                  "a day of the month: a day after the template's month end accounts the "
                  "period of the next month")
      ->check(CLI::Range(1, 31));
  cmd->add_option_function<std::string>(
      "--until", [args](const std::string& text) { args->until = ParseDateArg("--until", text); },
      "the end date handed to the accounting (YYYY-MM-DD): the period stays the month's; "
      "where months are stored, the months from it on are recalculated");
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
