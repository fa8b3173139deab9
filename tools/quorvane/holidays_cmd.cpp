// quorvane holidays YEAR: every entry of the holiday calendar after loading that year's file,
// in list order (by date, then name).
#include "holidays_cmd.h"

#include <iostream>
#include <memory>

#include "holidays/feiertag_file.h"
#include "output.h"

namespace qrv::tool {

namespace {

using nlohmann::ordered_json;

ordered_json EntryJson(const TFeierObj& f) {
  ordered_json j;
  j["Typ"] = static_cast<int>(f.Typ);
  j["Name"] = Utf8(f.Name);
  // An own holiday on 29 February has no date in a common year.
  j["Datum"] = f.Datum == kKeinDatum ? ordered_json(nullptr) : ordered_json(DateText(f.Datum));
  j["Aktiv"] = f.Aktiv;
  return j;
}

ordered_json CalendarJson(TQRVFeiertage& k, uint16_t jahr) {
  ordered_json j;
  j["Jahr"] = jahr;
  j["Datei"] = Utf8(k.DateiName(jahr));
  j["Feiertage"] = k.Feiertage();
  ordered_json list = ordered_json::array();
  for (int32_t i = 0; i < k.Count(); ++i) list.push_back(EntryJson(k.GetFeierObj(i)));
  j["Liste"] = list;
  return j;
}

void PrintText(const ordered_json& j) {
  std::cout << "Jahr: " << j["Jahr"].get<int>() << "\nDatei: " << j["Datei"].get<std::string>()
            << "\nFeiertage: " << j["Feiertage"].get<uint32_t>() << "\n";
  for (const auto& e : j["Liste"]) {
    const std::string datum = e["Datum"].is_null() ? "----------" : e["Datum"].get<std::string>();
    std::cout << datum << "  " << (e["Aktiv"].get<bool>() ? "an " : "aus") << "  "
              << e["Typ"].get<int>() << "  " << e["Name"].get<std::string>() << "\n";
  }
}

void Run(const Options& options, int year) {
  Installation inst(options);
  TQRVFeiertage& kalender = inst.Lib().FeiertagKalender();
  const auto jahr = static_cast<uint16_t>(year);
  // The calendar drops loading failures and keeps its defaults; say what happened.
  try {
    TQRVFeiertage probe(inst.Lib().Plattform(), inst.Lib().Konfig());
    probe.LoadFromFile(probe.DateiName(jahr));
  } catch (const std::exception& e) {
    std::cerr << "quorvane: " << Utf8(kalender.DateiName(jahr)) << ": " << Utf8(e.what()) << "\n";
  }
  kalender.SetJahr(jahr);
  const ordered_json j = CalendarJson(kalender, jahr);
  if (options.format == "text") {
    PrintText(j);
  } else {
    Print(options, j);
  }
}

}  // namespace

void AddHolidaysCommand(CLI::App& app, const Options& options) {
  auto* cmd = app.add_subcommand("holidays", "the holidays of a year after loading its file");
  auto year = std::make_shared<int>(0);
  cmd->add_option("YEAR", *year, "the year")->required()->check(CLI::Range(1, 9999));
  cmd->callback([&options, year] { Run(options, *year); });
}

}  // namespace qrv::tool
