// quorvane persons: the persons in the order of one of the person file's indexes, with the fields
// that tell them apart.
#include <memory>
#include <vector>

#include "commands.h"
#include "master/person.h"
#include "master/person_file.h"

namespace qrv::tool {

namespace {

struct PersonsArgs {
  int32_t order = 2;
  bool all = false;
};

Json ListPersons(TPersonFile& file, const PersonsArgs& args) {
  TPerson person(&file, false);
  person.Load(1);  // loads or builds the indexes
  const std::vector<int32_t> order = file.Indexes[args.order]->Items;
  Json list = Json::array();
  for (int32_t nr : order) {
    person.Load(nr);
    const TPersonRec& p = person.Rec;
    if (!p.Belegt && !args.all) continue;
    list.push_back({{"PersNr", p.PersNr},
                    {"AusweisNr", p.AusweisNr},
                    {"Name", Utf8(GetShort(p.Name))},
                    {"Vorname", Utf8(GetShort(p.Vorname))},
                    {"Belegt", p.Belegt != 0}});
  }
  return list;
}

}  // namespace

void AddPersonsCommand(CLI::App& app, Session& s) {
  auto args = std::make_shared<PersonsArgs>();
  CLI::App* cmd = app.add_subcommand("persons", "the persons in an index order");
  cmd->add_option("--order", args->order, "the index order (0 to 6; default 2: names)")
      ->check(CLI::Range(0, kPersonOrders - 1));
  cmd->add_flag("--all", args->all, "also the slots not in use");
  cmd->callback([&s, args] {
    Installation inst(s.options);
    s.Show(ListPersons(inst.Lib().PersonFile(), *args));
  });
}

}  // namespace qrv::tool
