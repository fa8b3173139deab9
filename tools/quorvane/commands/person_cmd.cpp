// quorvane person PERSON: one person's object record.
#include <memory>

#include "args.h"
#include "commands.h"
#include "json/person_json.h"
#include "master/person.h"
#include "master/person_file.h"

namespace qrv::tool {

void AddPersonCommand(CLI::App& app, Session& s) {
  auto number = std::make_shared<int32_t>(0);
  CLI::App* cmd = app.add_subcommand("person", "one person's record");
  AddPersonArg(*cmd, *number);
  cmd->callback([&s, number] {
    Installation inst(s.options);
    TPerson person(&inst.Lib().PersonFile(), false);
    person.Load(*number);
    s.Show(person.Rec);
  });
}

}  // namespace qrv::tool
