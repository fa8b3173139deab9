// quorvane: looks into an installation's data and runs the library's calculations on it.
#include <CLI/CLI.hpp>
#include <iostream>

#include "calc_template_cmd.h"
#include "demo_cmd.h"
#include "holidays_cmd.h"
#include "model_cmd.h"
#include "month_cmd.h"
#include "output.h"
#include "person_cmd.h"
#include "plan_cmd.h"
#include "tool.h"

int main(int argc, char** argv) {
  CLI::App app{"quorvane - look into a time-and-attendance installation's data"};
  app.require_subcommand(1);
  qrv::tool::Options options;
  app.add_option("--data", options.data,
                 "the installation's data folder (default: the registry's)");
  app.add_option("--format", options.format, "json or text")
      ->check(CLI::IsMember({"json", "text"}));
  qrv::tool::AddConfigCommand(app, options);
  qrv::tool::AddPersonCommands(app, options);
  qrv::tool::AddMonthCommand(app, options);
  qrv::tool::AddHolidaysCommand(app, options);
  qrv::tool::AddModelCommand(app, options);
  qrv::tool::AddCalcTemplateCommand(app, options);
  qrv::tool::AddPlanCommands(app, options);
  qrv::tool::AddDemoCommand(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const std::exception& e) {
    std::cerr << "quorvane: " << qrv::tool::Utf8(e.what()) << "\n";
    return 1;
  }
  return 0;
}
