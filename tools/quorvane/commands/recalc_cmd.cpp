// quorvane recalc PERSON FROM [TO] | recalc --all FROM [TO]: recalculates a person's (every
// person's) months as the interactive application does: the installation opened for writing,
// the library told that it runs the application's main window, so every month accounted is
// stored and its reorganisation request appended. Says which months' values changed (stdout)
// and what was written to the folder (stderr); a progress bar over persons and months on stderr
// when it is a terminal.
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "accounting/mon_abrech.h"
#include "args.h"
#include "commands.h"
#include "config/konfig.h"
#include "master/person.h"
#include "monats_abdruck.h"
#include "output/messages.h"
#include "output/write_report.h"
#include "platform/utf8.h"
#include "tabellen_hinweis.h"
#include "util/errors.h"

namespace qrv::tool {

namespace {

struct RecalcArgs {
  std::vector<std::string> positional;
  bool all = false;
};

struct Auftrag {
  std::vector<int32_t> personen;  // empty with --all until the installation is open
  bool alle = false;
  TDateTime von = 0;
  TDateTime bis = 0;
};

int32_t PersonArg(const std::string& text) {
  int32_t n = 0;
  if (!CLI::detail::lexical_cast(text, n) || n < kPersonMin || n > kPersonMax) {
    throw CLI::ValidationError("PERSON", "no person number (" + std::to_string(kPersonMin) +
                                             " to " + std::to_string(kPersonMax) + "): " + text);
  }
  return n;
}

TDateTime Today() {
  return std::floor(platform::SystemPlatform().clock->Now());
}

// PERSON FROM [TO], or FROM [TO] with --all; TO defaults to today.
Auftrag ParseAuftrag(const RecalcArgs& a) {
  const std::vector<std::string>& p = a.positional;
  const size_t first = a.all ? 0 : 1;
  if (p.size() < first + 1 || p.size() > first + 2) {
    throw CLI::ValidationError(
        a.all ? "recalc --all FROM [TO]" : "recalc PERSON FROM [TO]",
        "expects " + std::string(a.all ? "" : "PERSON, ") + "FROM and an optional TO");
  }
  Auftrag auftrag;
  auftrag.alle = a.all;
  if (!a.all) auftrag.personen.push_back(PersonArg(p[0]));
  auftrag.von = ParseDateArg("FROM", p[first]);
  auftrag.bis = p.size() > first + 1 ? ParseDateArg("TO", p[first + 1]) : Today();
  if (auftrag.bis < auftrag.von) throw CLI::ValidationError("TO", "lies before FROM");
  return auftrag;
}

// Every person whose slot is in use, in the order of their numbers.
std::vector<int32_t> AllePersonen(TBibliothek& lib) {
  TPerson person(&lib.PersonFile(), false);
  person.Load(1);  // loads or builds the indexes
  std::vector<int32_t> personen;
  for (int32_t nr : lib.PersonFile().Indexes[0]->Items) {
    person.Load(nr);
    if (person.Rec.Belegt) personen.push_back(nr);
  }
  std::sort(personen.begin(), personen.end());
  return personen;
}

int32_t MonthsOf(const Auftrag& a) {
  return (YearOfDate(a.bis) - YearOfDate(a.von)) * 12 + MonthOfDate(a.bis) - MonthOfDate(a.von) + 1;
}

struct Ergebnis {
  int32_t personen = 0;
  std::vector<std::pair<int32_t, std::string>> fehler;  // person, message (ANSI)
};

void RecalcPerson(TBibliothek& lib, const TAbrechUmgebung& umgebung, int32_t nr, const Auftrag& a) {
  TPerson person(&lib.PersonFile(), false);
  LadePerson(person, nr);
  Neuberechnung(umgebung, person, a.bis, a.von);
}

// Recalculates each person in turn; a failure is noted and the next person follows.
Ergebnis RecalcAll(TBibliothek& lib, const Auftrag& a) {
  Ergebnis e;
  const TAbrechUmgebung umgebung = lib.Abrechnung();
  const int32_t monate = MonthsOf(a);
  const int64_t gesamt = int64_t{monate} * static_cast<int64_t>(a.personen.size());
  lib.Plattform().ui->RunProgress("Neuberechnung", [&](platform::ProgressWindow& w) {
    for (size_t i = 0; i < a.personen.size(); ++i) {
      w.SetText("Neuberechnung PersNr " + std::to_string(a.personen[i]));
      try {
        RecalcPerson(lib, umgebung, a.personen[i], a);
        ++e.personen;
      } catch (const std::exception& x) {
        e.fehler.emplace_back(a.personen[i], x.what());
      }
      w.SetPercent(static_cast<int>(int64_t{monate} * static_cast<int64_t>(i + 1) * 100 / gesamt));
      w.ProcessMessages();
    }
    w.Finish();
  });
  return e;
}

Json Bericht(const Auftrag& a, const Ergebnis& e, const std::vector<MonatsSchluessel>& neu) {
  Json j = Json::object();
  j["Von"] = DateText(a.von);
  j["Bis"] = DateText(a.bis);
  j["Personen"] = e.personen;
  Json geaendert = Json::array();
  for (const MonatsSchluessel& k : neu) {
    geaendert.push_back({{"PersNr", k.persNr}, {"Jahr", k.jahr}, {"Monat", k.monat}});
  }
  j["Geaendert"] = geaendert;
  Json fehler = Json::array();
  for (const auto& [nr, text] : e.fehler) {
    fehler.push_back({{"PersNr", nr}, {"Meldung", Utf8(text)}});
  }
  j["Fehler"] = fehler;
  return j;
}

// A failure ends the run with exit code 1 after what was written has been reported: one
// person's with the library's message, several with their count.
void Scheitern(const Auftrag& a, const Ergebnis& e, std::ostream& err) {
  if (e.fehler.empty()) return;
  if (!a.alle) throw Exception(e.fehler.front().second);
  for (const auto& [nr, text] : e.fehler) {
    Report(err, "PersNr " + std::to_string(nr) + ": " + Utf8(text));
  }
  throw std::runtime_error(std::to_string(e.fehler.size()) + " of " +
                           std::to_string(a.personen.size()) + " persons not recalculated");
}

void Run(const Session& s, const RecalcArgs& args) {
  Auftrag a = ParseAuftrag(args);
  std::string dir;
  FolderContents before;
  MonatsAbdruecke vorher;
  {
    // Read before anything is opened for writing, so that every write is reported.
    Installation lesend(s.options);
    dir = lesend.Lib().Konfig().DataPath;
    if (a.alle) a.personen = AllePersonen(lesend.Lib());
    before = FolderContentsOf(dir);
    vorher = Abdruecke(lesend.Lib(), a.personen, a.von, a.bis);
  }
  Ergebnis e;
  {
    Installation inst(s.options, Access::kWritable, Host::kMainWindow);
    e = RecalcAll(inst.Lib(), a);
  }
  ReportWrites(*s.err, Utf8(dir), before, FolderContentsOf(dir));
  MeldeFehlendeTabelle(*s.err);
  // New objects: the caches of the first ones may not see writes of the same second.
  Installation danach(s.options);
  s.Show(Bericht(a, e, Geaendert(vorher, Abdruecke(danach.Lib(), a.personen, a.von, a.bis))));
  Scheitern(a, e, *s.err);
}

}  // namespace

void AddRecalcCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<RecalcArgs>();
  CLI::App* cmd = app.add_subcommand(
      "recalc", "recalculate and store a person's months from FROM to TO (YYYY-MM-DD; TO: today)");
  cmd->add_option("ARGS", args->positional,
                  "PERSON FROM [TO]: the person number (1 to 9999), the first and the last day "
                  "(YYYY-MM-DD; TO: today); with --all only FROM [TO]")
      ->type_name("")
      ->expected(1, 3);

  cmd->add_flag("--all", args->all, "every person in the installation");
  cmd->callback([&s, args] { Run(s, *args); });
}

}  // namespace qrv::tool
