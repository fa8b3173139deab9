#include "cli.h"

#include <CLI/CLI.hpp>
#include <exception>

#include "commands/args.h"
#include "commands/commands.h"
#include "output/messages.h"

namespace qrv::tool {

namespace {

void AddCommonOptions(CLI::App& app, Options& options) {
  // Subcommands pass the options they do not know up here, so these may follow the subcommand.
  app.fallthrough();
  app.add_option("--data", options.data,
                 "the installation's data folder (default: the registry's)");
  app.add_option("--format", options.format, "json (default) or text")
      ->check(CLI::IsMember({"json", "text"}));
  app.add_option_function<std::string>(
      "--now",
      [&options](const std::string& text) { options.now = ParseDateTimeArg("--now", text); },
      "take this date and time as now (YYYY-MM-DDThh:mm), e.g. to account a month as it stood "
      "then");
}

void AddCommands(CLI::App& app, Session& s) {
  AddConfigCommand(app, s);
  AddPersonsCommand(app, s);
  AddPersonCommand(app, s);
  AddMonthCommand(app, s);
  AddHolidaysCommand(app, s);
  AddModelCommand(app, s);
  AddCalcTemplateCommand(app, s);
  AddPlanCommand(app, s);
  AddPlanTemplateCommand(app, s);
  AddAccountCommand(app, s);
  AddDayCommand(app, s);
  AddRecalcCommand(app, s);
  AddCalcCommand(app, s);
  AddItemsCommand(app, s);
  AddSpanCommand(app, s);
  AddDemoCommand(app, s);
}

// CLI11's own ends: help and version on out with 0, every parse error on err with 2.
int ParseEnd(CLI::App& app, const CLI::ParseError& e, std::ostream& out, std::ostream& err) {
  if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e, out, err);
  // An unknown subcommand stays among the remaining arguments, and CLI11 reports only that a
  // subcommand is missing.
  if (app.get_subcommands().empty() && !app.remaining().empty()) {
    Report(err, "no subcommand " + app.remaining().front());
  } else {
    Report(err, e.what());
  }
  err << "quorvane: run quorvane --help for the subcommands and their arguments\n";
  return kExitUsageError;
}

}  // namespace

int RunQuorvane(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"quorvane - look into a time-and-attendance installation's data"};
  app.require_subcommand(1);
  Session s;
  s.out = &out;
  s.err = &err;
  AddCommonOptions(app, s.options);
  AddCommands(app, s);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return ParseEnd(app, e, out, err);
  } catch (const std::exception& e) {
    Report(err, Utf8(e.what()));
    return kExitDataError;
  }
  return 0;
}

}  // namespace qrv::tool
