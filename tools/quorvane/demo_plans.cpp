// The demo's plans. TO FILL IN once the plan files exist (personal and shift plans, plan
// templates): this is the one place that writes them, through TPlanvorlFile, TMPlanFile and
// TSPlanFile, between the calculation templates and the persons:
//   - plan templates 1001 to 1005 mirroring models 1 to 5 (the persons' VorlageNr, see
//     demo_persons.cpp), and one template of kind 1 with a day-by-day calendar of its own
//     (alternating early and night weeks of models 1 and 4), given to a few persons;
//   - a personal plan for one person with an individual shift day (one day on model 4 in a
//     week of model 1).
// Until then no plan file is written: the library creates a missing plan template from
// template 1001 when it first reads one.
#include "demo_gen.h"

namespace qrv::tool {

void WriteDemoPlans(DemoContext& /*ctx*/) {}

}  // namespace qrv::tool
