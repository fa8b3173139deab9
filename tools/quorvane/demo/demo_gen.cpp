#include "demo_gen.h"

#include "demo_parts.h"

namespace qrv::tool {

void WriteDemo(const std::string& dir, const DemoOptions& options) {
  DemoContext ctx(dir, options);
  WriteDemoSettings(ctx);
  ctx.LoadKonfig();
  WriteDemoHolidays(ctx);
  WriteDemoModels(ctx);
  WriteDemoTemplates(ctx);
  WriteDemoPlans(ctx);
  WriteDemoPersons(ctx);
  WriteDemoMonths(ctx);
}

}  // namespace qrv::tool
