#include "demo_gen.h"

#include "data_override.h"
#include "platform/clock.h"
#include "util/fileprobe.h"

namespace qrv::tool {

// Noon of the demo's date: whatever the library asks the clock, the answer is the same on every
// run with the same options.
class DemoContext::FixedClock final : public platform::Clock {
 public:
  explicit FixedClock(double now) : now_(now) {}
  double Now() override { return now_; }
  uint32_t Ticks() override { return 0; }

 private:
  double now_;
};

DemoContext::DemoContext(const std::string& dir, const DemoOptions& options)
    : dir_(WithBackslash(dir)),
      options_(options),
      clock_(std::make_unique<FixedClock>(options.today + 0.5)),
      registryBase_(std::make_unique<platform::RegTreeRegistry>()),
      registry_(std::make_unique<DataPathOverride>(*registryBase_, dir)),
      platform_(platform::SystemPlatform()),
      zufall_(options.seed) {
  platform_.clock = clock_.get();
  platform_.registry = registry_.get();
  konfig_ = std::make_unique<TKonfig>(platform_, reported_);
}

DemoContext::~DemoContext() = default;

void DemoContext::LoadKonfig() {
  konfig_ = std::make_unique<TKonfig>(platform_, reported_);
  konfig_->Load();
}

int32_t DemoContext::Wurf(int32_t n) {
  return static_cast<int32_t>(zufall_() % static_cast<uint32_t>(n));
}

std::string DemoRegistryDir(const std::string& dir) {
  return WithBackslash(dir) + "REGISTRY";
}

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
