// The demo installation: a small, realistic data folder written through the library's own record
// classes, so that it is always in the layouts the library reads. The same options give the same
// bytes: every value comes from the options and a seeded generator, never from the real clock.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "config/konfig.h"
#include "platform/platform.h"
#include "platform/reg_store.h"
#include "util/datetime.h"

namespace qrv::tool {

struct DemoOptions {
  int32_t persons = 30;  // 1 to 9999
  uint32_t seed = 1;
  TDateTime today = 0;  // the date the installation is made on; months run up to the day before
};

// The year before today's and today's year are the managed years.
inline int32_t DemoFirstYear(const DemoOptions& o) {
  return YearOfDate(o.today) - 1;
}
inline int32_t DemoLastYear(const DemoOptions& o) {
  return YearOfDate(o.today);
}

// Writes the demo installation into the data folder dir (created when missing). Raises the
// library's exceptions when a file cannot be written.
void WriteDemo(const std::string& dir, const DemoOptions& options);

// The name of the registry file beside the data, for QUORVANE_REGISTRY_DIR: dir/REGISTRY/user.reg.
std::string DemoRegistryDir(const std::string& dir);

// What the parts of the generator share: a platform whose clock stands at the demo's date and
// whose registry names the data folder, the settings loaded from the written QUORVANE.INI, and
// the generator.
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
  class FixedClock;
  std::string dir_;
  DemoOptions options_;
  std::unique_ptr<FixedClock> clock_;
  std::unique_ptr<platform::RegTreeRegistry> registryBase_;
  std::unique_ptr<platform::Registry> registry_;
  platform::Platform platform_;
  bool reported_ = false;
  std::unique_ptr<TKonfig> konfig_;
  std::mt19937 zufall_;
};

// The parts, in the order WriteDemo runs them.
void WriteDemoSettings(DemoContext& ctx);   // QUORVANE.INI and the registry file
void WriteDemoHolidays(DemoContext& ctx);   // FEIERTG.DAT of both years
void WriteDemoModels(DemoContext& ctx);     // working-time models
void WriteDemoTemplates(DemoContext& ctx);  // calculation templates
void WriteDemoPlans(DemoContext& ctx);      // plan templates and personal plans (not yet)
void WriteDemoPersons(DemoContext& ctx);    // persons
void WriteDemoMonths(DemoContext& ctx);     // months of bookings

// The model and calculation template a person works with (person numbers from 1).
int32_t DemoModellOf(int32_t persNr);
int32_t DemoBerVorOf(int32_t persNr);
// Most persons were there when the managed years began (the person file moves an earlier entry
// up to that day); some joined during the first year.
TDateTime DemoEintritt(const DemoOptions& options, int32_t persNr);

}  // namespace qrv::tool
