// quorvane plan-template TEMPLATE: the fields of a plan template; a template that does not exist
// is reported, not created.
#include <memory>
#include <string>

#include "args.h"
#include "commands.h"
#include "json/plan_template_json.h"
#include "plans/planvorlage.h"
#include "util/errors.h"

namespace qrv::tool {

void AddPlanTemplateCommand(CLI::App& app, Session& s) {
  auto number = std::make_shared<int32_t>(0);
  CLI::App* cmd = app.add_subcommand("plan-template", "one plan template (GSPL<n>.DAT)");
  AddTemplateArg(*cmd, *number, "plan template");
  cmd->callback([&s, number] {
    Installation inst(s.options);
    TPlanvorlFile& file = inst.Lib().PlanvorlFile();
    if (!file.RecordFileExists(0, 0, *number)) {
      throw Exception("Planvorlage " + std::to_string(*number) + " nicht gefunden");
    }
    TPlanvorlage vorlage(file);
    vorlage.LadeVorlage(*number);
    Json j = {{"Nummer", *number}};
    j.update(Json(vorlage.Rec));
    s.Show(j);
  });
}

}  // namespace qrv::tool
