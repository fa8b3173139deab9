// The accounting at benchmark size: a demo installation of 1000 persons written once into a
// temporary folder, then one person's month accounted cold (new library objects with empty
// record caches on each pass) and warm (the same objects again), each without and with a trace
// listener attached; and every person's twelve months of a year.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "accounting/mon_abrech.h"
#include "demo_gen.h"
#include "lib/library.h"
#include "master/person.h"
#include "platform/fixed_clock.h"
#include "platform/platform.h"
#include "platform/reg_store.h"

namespace {

using namespace qrv;

constexpr int32_t kPersons = 1000;
constexpr int32_t kPerson = 2;
constexpr uint16_t kYear = 2026, kMonth = 3;

class AccountingSetup {
 public:
  AccountingSetup() {
    folder_ = std::filesystem::temp_directory_path() /
              ("qrv_accounting_bench_" + std::to_string(std::random_device{}()));
    tool::DemoOptions o;
    o.persons = kPersons;
    o.today = EncodeDate(2026, 12, 10);
    clock_.SetNow(o.today + 0.5);
    clock_.SetTickStep(1);
    tool::WriteDemo(Dir(), o);
    registry_.CreateKey(platform::RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    registry_.SetValue(platform::RegRoot::kCurrentUser, "Software\\Quorvane\\Installation",
                       "DataPath", {platform::kRegSz, Dir() + '\0'});
  }
  ~AccountingSetup() { std::filesystem::remove_all(folder_); }

  std::string Dir() const { return folder_.string() + "/"; }

  // The library's objects on the installation, with empty caches.
  std::unique_ptr<TBibliothek> Library() {
    platform::Platform p = platform::SystemPlatform();
    p.registry = &registry_;
    p.clock = &clock_;
    return std::make_unique<TBibliothek>(p);
  }

 private:
  std::filesystem::path folder_;
  platform::FixedClock clock_;  // on the demo's date
  platform::RegTreeRegistry registry_;
};

AccountingSetup& Setup() {
  static AccountingSetup setup;
  return setup;
}

// Counts the entries, as a listener that keeps them would form each one.
class CountingSpur final : public TSpur {
 public:
  void Eintrag(TSpurEintrag e) override {
    ++count;
    benchmark::DoNotOptimize(e);
  }
  int64_t count = 0;
};

// Accounts month (jahr, monat) of person nr; answers the month's sum of day results so nothing
// is optimised away.
double Account(TBibliothek& lib, TPerson& person, TSpur* spur, uint16_t jahr, uint16_t monat) {
  TMonAbrech abrech(lib.Abrechnung());
  abrech.Person = &person;
  abrech.Spur = spur;
  abrech.Monatsabrechnung(jahr, monat, 0, 0);
  return abrech.AktMonat.Daten.MonErgebnis.Werte[7];
}

void BM_PersonMonthCold(benchmark::State& state) {
  CountingSpur spur;
  TSpur* listener = state.range(0) != 0 ? &spur : nullptr;
  for (auto _ : state) {
    state.PauseTiming();
    auto lib = Setup().Library();
    state.ResumeTiming();
    TPerson person(&lib->PersonFile(), false);
    person.Load(kPerson);
    benchmark::DoNotOptimize(Account(*lib, person, listener, kYear, kMonth));
    state.PauseTiming();
    lib.reset();
    state.ResumeTiming();
  }
  state.counters["trace_entries"] =
      benchmark::Counter(static_cast<double>(spur.count), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PersonMonthCold)->Arg(0)->Arg(1)->ArgName("trace")->Unit(benchmark::kMillisecond);

void BM_PersonMonthWarm(benchmark::State& state) {
  CountingSpur spur;
  TSpur* listener = state.range(0) != 0 ? &spur : nullptr;
  auto lib = Setup().Library();
  TPerson person(&lib->PersonFile(), false);
  person.Load(kPerson);
  Account(*lib, person, listener, kYear, kMonth);
  spur.count = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Account(*lib, person, listener, kYear, kMonth));
  }
  state.counters["trace_entries"] =
      benchmark::Counter(static_cast<double>(spur.count), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PersonMonthWarm)->Arg(0)->Arg(1)->ArgName("trace")->Unit(benchmark::kMillisecond);

// Every person's months of the year, in the order a recalculation of all takes them.
void BM_AllPersonsTwelveMonths(benchmark::State& state) {
  for (auto _ : state) {
    auto lib = Setup().Library();
    TPerson person(&lib->PersonFile(), false);
    double sum = 0;
    for (int32_t n = 1; n <= kPersons; ++n) {
      person.Load(n);
      if (!person.Rec.Belegt) continue;
      for (uint16_t m = 1; m <= 12; ++m) sum += Account(*lib, person, nullptr, kYear, m);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["person_months"] = 12.0 * kPersons;
}
BENCHMARK(BM_AllPersonsTwelveMonths)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
