// quorvane calc-template TEMPLATE: the fields of a calculation template, the bounds listed by
// position for those in force. A template that does not exist is reported, not created.
#include <memory>
#include <string>

#include "args.h"
#include "commands.h"
#include "json/calc_template_json.h"
#include "master/bervor.h"
#include "util/errors.h"

namespace qrv::tool {

void AddCalcTemplateCommand(CLI::App& app, Session& s) {
  auto number = std::make_shared<int32_t>(0);
  CLI::App* cmd = app.add_subcommand("calc-template", "one calculation template (BVOR<n>.DAT)");
  AddTemplateArg(*cmd, *number, "calculation template");
  cmd->callback([&s, number] {
    Installation inst(s.options);
    TBerVorFile& file = inst.Lib().BerVorFile();
    if (!file.RecordFileExists(0, 0, *number)) {
      throw Exception("Berechnungsvorlage " + std::to_string(*number) + " nicht gefunden");
    }
    TBerVor vorlage(file);
    vorlage.LadeBerVor(*number);
    Json j = {{"Nummer", *number}};
    j.update(Json(vorlage.Rec));
    s.Show(j);
  });
}

}  // namespace qrv::tool
