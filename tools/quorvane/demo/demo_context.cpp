#include "demo_context.h"

#include "data_override.h"
#include "util/fileprobe.h"

namespace qrv::tool {

// The clock stands at noon of the demo's date: whatever the library asks it, the answer is the
// same on every run with the same options.
DemoContext::DemoContext(const std::string& dir, const DemoOptions& options)
    : dir_(WithBackslash(dir)),
      options_(options),
      clock_(options.today + 0.5),
      registryBase_(std::make_unique<platform::RegTreeRegistry>()),
      registry_(std::make_unique<DataPathOverride>(*registryBase_, dir)),
      platform_(platform::SystemPlatform()),
      zufall_(options.seed) {
  platform_.clock = &clock_;
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

}  // namespace qrv::tool
