#include "args.h"

#include <cstdio>

#include "master/modell.h"

namespace qrv::tool {

namespace {

std::string RangeText(int32_t min, int32_t max) {
  return "(" + std::to_string(min) + " to " + std::to_string(max) + ")";
}

// A positional number checked against [min, max].
CLI::Option* AddNumber(CLI::App& cmd, const std::string& name, int32_t& value,
                       const std::string& help, int32_t min, int32_t max) {
  return cmd.add_option(name, value, help + " " + RangeText(min, max))
      ->required()
      ->check(CLI::Range(min, max));
}

}  // namespace

CLI::Option* AddYearArg(CLI::App& cmd, int32_t& year) {
  return AddNumber(cmd, "YEAR", year, "the year", kYearMin, kYearMax);
}

CLI::Option* AddYearOrNowArg(CLI::App& cmd, int32_t& year) {
  return AddNumber(cmd, "YEAR", year, "the year; 0 the current month up to now", 0, kYearMax);
}

CLI::Option* AddMonthArg(CLI::App& cmd, int32_t& month) {
  return AddNumber(cmd, "MONTH", month, "the month", 1, 12);
}

CLI::Option* AddPersonArg(CLI::App& cmd, int32_t& person) {
  return AddNumber(cmd, "PERSON", person, "the person number", kPersonMin, kPersonMax);
}

CLI::Option* AddModelArg(CLI::App& cmd, int32_t& model) {
  const CLI::Validator models(
      [](std::string& text) -> std::string {
        int32_t m = 0;
        if (!CLI::detail::lexical_cast(text, m) ||
            !((m >= 1 && m <= kModelMax) || m == kModellKeinZutritt)) {
          return "Value " + text + " is no model number (1 to " + std::to_string(kModelMax) +
                 " or " + std::to_string(kModellKeinZutritt) + ")";
        }
        return {};
      },
      "MODEL");
  return cmd
      .add_option("MODEL", model,
                  "the model number (1 to " + std::to_string(kModelMax) + ", or " +
                      std::to_string(kModellKeinZutritt) + ")")
      ->required()
      ->check(models);
}

CLI::Option* AddTemplateArg(CLI::App& cmd, int32_t& number, const std::string& what) {
  return AddNumber(cmd, "TEMPLATE", number, "the " + what + "'s number", kTemplateMin,
                   kTemplateMax);
}

TDateTime ParseDateArg(const std::string& name, const std::string& text) {
  int y = 0, m = 0, d = 0, n = 0;
  TDateTime out = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &y, &m, &d, &n) != 3 ||
      n != static_cast<int>(text.size()) || !TryEncodeDate(y, m, d, &out)) {
    throw CLI::ValidationError(name, "no date of the form YYYY-MM-DD (years " +
                                         std::to_string(kYearMin) + " to " +
                                         std::to_string(kYearMax) + "): " + text);
  }
  return out;
}

TDateTime ParseDateTimeArg(const std::string& name, const std::string& text) {
  const size_t t = text.find('T');
  int h = 0, mi = 0, sec = 0, n = 0;
  TDateTime zeit = 0;
  const std::string uhr = t == std::string::npos ? "" : text.substr(t + 1);
  const bool mitSekunden = uhr.size() > 5;
  const int gelesen = mitSekunden ? std::sscanf(uhr.c_str(), "%2d:%2d:%2d%n", &h, &mi, &sec, &n)
                                  : std::sscanf(uhr.c_str(), "%2d:%2d%n", &h, &mi, &n);
  if (t == std::string::npos || gelesen != (mitSekunden ? 3 : 2) ||
      n != static_cast<int>(uhr.size()) || !TryEncodeTime(h, mi, sec, 0, &zeit)) {
    throw CLI::ValidationError(name, "no date and time of the form YYYY-MM-DDThh:mm: " + text);
  }
  return ParseDateArg(name, text.substr(0, t)) + zeit;
}

CLI::Option* AddModeOption(CLI::App& cmd, int32_t& mode) {
  return cmd
      .add_option("--mode", mode,
                  "0 (default) or 2: comings and goings rounded on the model's grid, 1: as booked")
      ->check(CLI::Range(0, 2));
}

CLI::Option* AddDayArg(CLI::App& cmd, TDateTime& date) {
  return cmd
      .add_option_function<std::string>(
          "DATE", [&date](const std::string& text) { date = ParseDateArg("DATE", text); },
          "the day (YYYY-MM-DD)")
      ->required();
}

CLI::Option* AddDateOption(CLI::App& cmd, TDateTime& date, const std::string& help) {
  return cmd.add_option_function<std::string>(
      "--date", [&date](const std::string& text) { date = ParseDateArg("--date", text); },
      help + " (YYYY-MM-DD)");
}

}  // namespace qrv::tool
