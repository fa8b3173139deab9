// quorvane person N: one person's object record. quorvane persons: the persons in index order.
#include "person_cmd.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "master/person.h"
#include "master/person_file.h"
#include "output.h"

namespace qrv::tool {

namespace {

using nlohmann::ordered_json;

struct PersonArgs {
  int32_t number = 0;
  int32_t order = 2;
  bool all = false;
};

template <size_t N>
std::string Text(const std::array<uint8_t, N>& s) {
  return Utf8(GetShort(s));
}

// A date or date-time that may be 0 for "none".
ordered_json OptionalDate(double t, bool withTime) {
  if (t == 0) return nullptr;
  return withTime ? DateTimeText(t) : DateText(t);
}

ordered_json Bytes(const uint8_t* p, size_t n) {
  ordered_json a = ordered_json::array();
  for (size_t i = 0; i < n; ++i) a.push_back(p[i]);
  return a;
}

std::string Hex(const uint8_t* p, size_t n) {
  std::string s;
  char buf[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, "%02X", p[i]);
    s += buf;
  }
  return s;
}

void AddTexts(const TPersonRec& p, ordered_json& j) {
  j["Name"] = Text(p.Name);
  j["Vorname"] = Text(p.Vorname);
  j["Text1"] = Text(p.Text1);
  j["Text2"] = Text(p.Text2);
  j["Text3"] = Text(p.Text3);
  j["Text4"] = Text(p.Text4);
  j["Text5"] = Text(p.Text5);
  j["Text6"] = Text(p.Text6);
  j["Text7"] = Text(p.Text7);
  j["Text8"] = Text(p.Text8);
  ordered_json frei = ordered_json::array();
  for (const auto& f : p.Frei) frei.push_back(Text(f));
  j["Frei"] = frei;
}

void AddNumbers(const TPersonRec& p, ordered_json& j) {
  j["VorlageNr"] = p.VorlageNr;
  j["VorlageAb"] = OptionalDate(p.VorlageAb, false);
  j["Wert1"] = p.Wert1;
  j["BerVorNr"] = p.BerVorNr;
  j["Wert2"] = p.Wert2;
  j["Wert3"] = p.Wert3;
  j["Wert4"] = p.Wert4;
  j["AltVorlageNr"] = p.AltVorlageNr;
  j["Text9"] = Text(p.Text9);
  j["Rechte1"] = Bytes(p.Rechte1.data(), 6);
  j["Rechte2"] = Bytes(p.Rechte2.data(), 6);
  j["Rechte3"] = Bytes(p.Rechte3.data(), 6);
  j["GruppeNr"] = p.GruppeNr;
  j["Jahreswert"] = p.Jahreswert;
  j["Wert5"] = p.Wert5;
  j["Eintrittswert"] = p.Eintrittswert;
  j["Wert6"] = p.Wert6;
  j["Uebertrag"] = p.Uebertrag != 0;
  j["Eintritt"] = OptionalDate(p.Eintritt, false);
  j["Austritt"] = OptionalDate(p.Austritt, false);
  j["Wert7"] = p.Wert7;
  j["Wert8"] = p.Wert8;
}

void AddRest(const TPersonRec& p, ordered_json& j) {
  j["Bemerkung"] = Utf8(GetBemerkung(p));
  j["Belegt"] = p.Belegt != 0;
  j["Schalter2"] = p.Schalter2 != 0;
  j["Schalter3"] = p.Schalter3 != 0;
  j["Betrag1"] = p.Betrag1;
  j["Betrag2"] = p.Betrag2;
  j["Kurz1"] = Text(p.Kurz1);
  j["Kurz2"] = Text(p.Kurz2);
  j["Kurz3"] = Text(p.Kurz3);
  j["Zeitpunkt1"] = OptionalDate(p.Zeitpunkt1, true);
  j["Zeitpunkt2"] = OptionalDate(p.Zeitpunkt2, true);
  j["Zeitpunkt3"] = DurationText(p.Zeitpunkt3);
  j["Wert9"] = p.Wert9;
  j["Wert10"] = p.Wert10;
  j["Zeitpunkt4"] = OptionalDate(p.Zeitpunkt4, true);
  j["Zeitpunkt5"] = p.Zeitpunkt5;
  j["Statusflag"] = p.Statusflag != 0;
  j["StatusBis"] = OptionalDate(p.StatusBis, true);
  j["Wert11"] = p.Wert11;
  j["Block"] = Hex(p.Block.data(), p.Block.size());
}

ordered_json PersonJson(const TPersonRec& p) {
  ordered_json j;
  j["PersNr"] = p.PersNr;
  j["AusweisNr"] = p.AusweisNr;
  AddTexts(p, j);
  AddNumbers(p, j);
  AddRest(p, j);
  return j;
}

void ShowPerson(const Options& options, const PersonArgs& args) {
  Installation inst(options);
  TPerson person(&inst.Lib().PersonFile(), false);
  person.Load(args.number);
  Print(options, PersonJson(person.Rec));
}

void ListPersons(const Options& options, const PersonArgs& args) {
  Installation inst(options);
  TPersonFile& file = inst.Lib().PersonFile();
  TPerson person(&file, false);
  person.Load(1);  // loads or builds the indexes
  const std::vector<int32_t> order = file.Indexes[args.order]->Items;
  ordered_json list = ordered_json::array();
  for (int32_t nr : order) {
    person.Load(nr);
    const TPersonRec& p = person.Rec;
    if (!p.Belegt && !args.all) continue;
    if (options.format == "text") {
      std::cout << p.PersNr << "\t" << p.AusweisNr << "\t" << Text(p.Name) << "\t"
                << Text(p.Vorname) << "\t" << (p.Belegt ? "J" : "N") << "\n";
      continue;
    }
    list.push_back({{"PersNr", p.PersNr},
                    {"AusweisNr", p.AusweisNr},
                    {"Name", Text(p.Name)},
                    {"Vorname", Text(p.Vorname)},
                    {"Belegt", p.Belegt != 0}});
  }
  if (options.format != "text") std::cout << list.dump(2) << "\n";
}

}  // namespace

void AddPersonCommands(CLI::App& app, const Options& options) {
  auto args = std::make_shared<PersonArgs>();
  CLI::App* one = app.add_subcommand("person", "one person's record");
  one->add_option("number", args->number, "the person number (1 to 9999)")->required();
  one->callback([&options, args] { ShowPerson(options, *args); });
  CLI::App* all = app.add_subcommand("persons", "the persons in an index order");
  all->add_option("--order", args->order, "the sort order 0 to 6 (default 2: names)")
      ->check(CLI::Range(0, kPersonOrders - 1));
  all->add_flag("--all", args->all, "also the slots not in use");
  all->callback([&options, args] { ListPersons(options, *args); });
}

}  // namespace qrv::tool
