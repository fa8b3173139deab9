// The parts of the demo generator, each writing one kind of file into the context's folder, and
// the facts about the persons that more than one part needs. WriteDemo (demo_gen.h) runs them.
#pragma once

#include <cstdint>

#include "demo_context.h"

namespace qrv::tool {

// In the order WriteDemo runs them.
void WriteDemoSettings(DemoContext& ctx);   // QUORVANE.INI and the registry file
void WriteDemoHolidays(DemoContext& ctx);   // FEIERTG.DAT of both years
void WriteDemoModels(DemoContext& ctx);     // working-time models
void WriteDemoTemplates(DemoContext& ctx);  // calculation templates
void WriteDemoPlans(DemoContext& ctx);      // the rotating plan template and a personal plan
void WriteDemoPersons(DemoContext& ctx);    // persons
void WriteDemoMonths(DemoContext& ctx);     // months of bookings

// The model and calculation template a person works with (person numbers from 1).
int32_t DemoModellOf(int32_t persNr);
int32_t DemoBerVorOf(int32_t persNr);
// The model a person works on a date: the rotating shift's persons (model 4) take turns week by
// week between the day model and the night shift, as their plan template's calendar says.
int32_t DemoModellAm(const DemoOptions& options, int32_t persNr, TDateTime datum);
// Most persons were there when the managed years began (the person file moves an earlier entry
// up to that day); some joined during the first year.
TDateTime DemoEintritt(const DemoOptions& options, int32_t persNr);

}  // namespace qrv::tool
