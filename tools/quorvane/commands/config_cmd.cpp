// quorvane config: the loaded settings.
#include "commands.h"
#include "json/settings_json.h"

namespace qrv::tool {

void AddConfigCommand(CLI::App& app, Session& s) {
  app.add_subcommand("config", "the loaded settings")->callback([&s] {
    Installation inst(s.options);
    s.Show(inst.Lib().Konfig());
  });
}

}  // namespace qrv::tool
