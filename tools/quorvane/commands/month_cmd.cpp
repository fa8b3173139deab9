// quorvane month YEAR MONTH PERSON: the month values and the days of one person's month as the
// installation's month file layout holds it. Nothing is written: a month never accounted shows
// as such (BerechnetAm null).
#include <memory>

#include "args.h"
#include "commands.h"
#include "json/month_json.h"
#include "month/monat.h"
#include "month/monat_file.h"

namespace qrv::tool {

namespace {

struct MonthArgs {
  int32_t year = 0;
  int32_t month = 0;
  int32_t person = 0;
};

}  // namespace

void AddMonthCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<MonthArgs>();
  CLI::App* cmd = app.add_subcommand("month", "a person's month: month values, days, bookings");
  AddYearArg(*cmd, args->year);
  AddMonthArg(*cmd, args->month);
  AddPersonArg(*cmd, args->person);
  cmd->callback([&s, args] {
    Installation inst(s.options);
    auto m = std::make_unique<TMonat>(inst.Lib().MonatFile());
    m->NurLesen = true;
    m->Laden(args->year, args->month, false, args->person);
    s.Show(MonatAnsicht::Von(*m));
  });
}

}  // namespace qrv::tool
