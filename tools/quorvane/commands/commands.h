// The subcommands of quorvane. Each registers itself on the application; its callback runs with
// the session's options as parsed (--data and --format are taken before or after the subcommand)
// and shows what it found through the one printer.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>

#include "output/printer.h"
#include "tool.h"

namespace qrv::tool {

struct Session {
  Options options;
  std::ostream* out = nullptr;  // what the command shows
  std::ostream* err = nullptr;  // notes on the way

  void Show(const Json& value) const { Print(*out, options.format, value); }
};

void AddConfigCommand(CLI::App& app, Session& s);
void AddPersonCommand(CLI::App& app, Session& s);
void AddPersonsCommand(CLI::App& app, Session& s);
void AddMonthCommand(CLI::App& app, Session& s);
void AddHolidaysCommand(CLI::App& app, Session& s);
void AddModelCommand(CLI::App& app, Session& s);
void AddCalcTemplateCommand(CLI::App& app, Session& s);
void AddPlanCommand(CLI::App& app, Session& s);
void AddPlanTemplateCommand(CLI::App& app, Session& s);
void AddDemoCommand(CLI::App& app, Session& s);
void AddAccountCommand(CLI::App& app, Session& s);
void AddDayCommand(CLI::App& app, Session& s);
void AddRecalcCommand(CLI::App& app, Session& s);
void AddCalcCommand(CLI::App& app, Session& s);
void AddItemsCommand(CLI::App& app, Session& s);
void AddSpanCommand(CLI::App& app, Session& s);

}  // namespace qrv::tool
