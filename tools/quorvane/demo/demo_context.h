// What the parts of the demo generator share: a platform whose clock stands at the demo's date and
// whose registry names the data folder, the settings loaded from the written QUORVANE.INI, and
// the generator. Every value comes from the options and the seeded generator, never from the
// real clock.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "config/konfig.h"
#include "demo_options.h"
#include "platform/fixed_clock.h"
#include "platform/platform.h"
#include "platform/reg_store.h"

namespace qrv::tool {

class DemoContext {
 public:
  DemoContext(const std::string& dir, const DemoOptions& options);
  ~DemoContext();

  // Loads the settings from the folder's QUORVANE.INI (written by WriteDemoSettings).
  void LoadKonfig();

  const platform::Platform& Plattform() const { return platform_; }
  TKonfig& Konfig() { return *konfig_; }
  const DemoOptions& Options() const { return options_; }
  // The data folder with its separator at the end.
  const std::string& Dir() const { return dir_; }
  std::mt19937& Zufall() { return zufall_; }
  // A number from 0 to n - 1.
  int32_t Wurf(int32_t n);

 private:
  std::string dir_;
  DemoOptions options_;
  platform::FixedClock clock_;
  std::unique_ptr<platform::RegTreeRegistry> registryBase_;
  std::unique_ptr<platform::Registry> registry_;
  platform::Platform platform_;
  bool reported_ = false;
  std::unique_ptr<TKonfig> konfig_;
  std::mt19937 zufall_;
};

}  // namespace qrv::tool
