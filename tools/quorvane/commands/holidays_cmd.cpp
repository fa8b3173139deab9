// quorvane holidays YEAR: every entry of the holiday calendar after loading that year's file, in
// list order (by date, then name).
#include <exception>
#include <memory>

#include "args.h"
#include "commands.h"
#include "holidays/feiertag_file.h"
#include "json/holidays_json.h"
#include "output/messages.h"

namespace qrv::tool {

namespace {

void Run(const Session& s, uint16_t jahr) {
  Installation inst(s.options);
  TQRVFeiertage& kalender = inst.Lib().FeiertagKalender();
  // The calendar drops loading failures and keeps its defaults; say what happened.
  try {
    TQRVFeiertage probe(inst.Lib().Plattform(), inst.Lib().Konfig());
    probe.LoadFromFile(probe.DateiName(jahr));
  } catch (const std::exception& e) {
    Report(*s.err, Utf8(kalender.DateiName(jahr)) + ": " + Utf8(e.what()));
  }
  kalender.SetJahr(jahr);
  s.Show(FeiertagsJahr{jahr, kalender.DateiName(jahr), &kalender});
}

}  // namespace

void AddHolidaysCommand(CLI::App& app, Session& s) {
  auto year = std::make_shared<int32_t>(0);
  CLI::App* cmd = app.add_subcommand("holidays", "the holidays of a year after loading its file");
  AddYearArg(*cmd, *year);
  cmd->callback([&s, year] { Run(s, static_cast<uint16_t>(*year)); });
}

}  // namespace qrv::tool
