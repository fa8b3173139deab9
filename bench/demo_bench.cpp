// The demo installation at benchmark size: writing 1000 persons with two years of months, then
// reading every month of every person through the month file (cold: new file objects with an
// empty record cache on each pass; warm: the same objects again) and loading every person
// through the person file's name index.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "config/konfig.h"
#include "demo_gen.h"
#include "master/person.h"
#include "master/person_file.h"
#include "month/monat.h"
#include "month/monat_file.h"
#include "platform/fixed_clock.h"
#include "platform/platform.h"
#include "platform/reg_store.h"

namespace {

using namespace qrv;

constexpr int32_t kPersons = 1000;

class DemoSetup {
 public:
  DemoSetup() {
    folder_ = std::filesystem::temp_directory_path() /
              ("qrv_demo_bench_" + std::to_string(std::random_device{}()));
    options.persons = kPersons;
    options.today = EncodeDate(2026, 12, 10);
    clock_.SetNow(options.today + 0.5);
    clock_.SetTickStep(1);
  }
  ~DemoSetup() { std::filesystem::remove_all(folder_); }

  std::string Dir() const { return folder_.string() + "/"; }

  // The settings of the written installation.
  std::unique_ptr<TKonfig> Konfig() {
    registry_.CreateKey(platform::RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    registry_.SetValue(platform::RegRoot::kCurrentUser, "Software\\Quorvane\\Installation",
                       "DataPath", {platform::kRegSz, Dir() + '\0'});
    auto k = std::make_unique<TKonfig>(Plattform(), reported_);
    k->Load();
    return k;
  }

  platform::Platform Plattform() {
    platform::Platform p = platform::SystemPlatform();
    p.registry = &registry_;
    p.clock = &clock_;
    return p;
  }

  tool::DemoOptions options;

 private:
  std::filesystem::path folder_;
  platform::FixedClock clock_;  // on the demo's date
  platform::RegTreeRegistry registry_;
  bool reported_ = false;
};

DemoSetup& Setup() {
  static DemoSetup setup;
  return setup;
}

void BM_WriteDemo(benchmark::State& state) {
  for (auto _ : state) tool::WriteDemo(Setup().Dir(), Setup().options);
  state.counters["persons"] = kPersons;
}
BENCHMARK(BM_WriteDemo)->Iterations(1)->Unit(benchmark::kMillisecond);

// Every month of every person; answers the bookings read so nothing is optimised away.
int64_t ReadAllMonths(TMonatFile& file, const tool::DemoOptions& o) {
  auto m = std::make_unique<TMonat>(file);
  m->NurLesen = true;
  int64_t buchungen = 0;
  for (int32_t jahr = tool::DemoFirstYear(o); jahr <= tool::DemoLastYear(o); ++jahr) {
    for (int32_t monat = 1; monat <= 12; ++monat) {
      for (int32_t n = 1; n <= o.persons; ++n) {
        m->Laden(jahr, monat, false, n);
        for (const TMonatTag& t : m->Daten.Tage) buchungen += t.AnzBuchungen;
      }
    }
  }
  return buchungen;
}

void BM_ReadMonthsCold(benchmark::State& state) {
  auto konfig = Setup().Konfig();
  for (auto _ : state) {
    TGMonatFile file(Setup().Plattform(), *konfig);
    benchmark::DoNotOptimize(ReadAllMonths(file, Setup().options));
  }
  state.counters["months"] = 24.0 * kPersons;
}
BENCHMARK(BM_ReadMonthsCold)->Unit(benchmark::kMillisecond);

void BM_ReadMonthsWarm(benchmark::State& state) {
  auto konfig = Setup().Konfig();
  TGMonatFile file(Setup().Plattform(), *konfig);
  ReadAllMonths(file, Setup().options);
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllMonths(file, Setup().options));
  state.counters["months"] = 24.0 * kPersons;
}
BENCHMARK(BM_ReadMonthsWarm)->Unit(benchmark::kMillisecond);

void BM_LoadPersonsByIndex(benchmark::State& state) {
  auto konfig = Setup().Konfig();
  for (auto _ : state) {
    TPersonFile file(Setup().Plattform(), *konfig);
    TPerson person(&file, false);
    person.Load(1);  // loads the indexes
    const std::vector<int32_t> order = file.Indexes[2]->Items;
    int64_t belegt = 0;
    for (int32_t nr : order) {
      person.Load(nr);
      belegt += person.Rec.Belegt;
    }
    benchmark::DoNotOptimize(belegt);
  }
}
BENCHMARK(BM_LoadPersonsByIndex)->Unit(benchmark::kMillisecond);

}  // namespace
