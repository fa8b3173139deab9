// The calculation exports as a calling program uses them: a demo installation of 1000 persons
// written once into a temporary folder, the library started in-process on it (the system's files,
// the demo's registry entry, the system's clock moved to the demo's date), and then CalcZeit for a
// morning of one day with a new library each pass (cold: empty record caches) and again on the same
// one (warm: its records cached for more than a second); a day's enumeration from QRVBeginAufTag
// over every item to QRVEndAufTag; and QRVGetTagVonBis.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "demo_gen.h"
#include "lib/library.h"
#include "platform/platform.h"
#include "platform/reg_store.h"
#include "quorvane.h"
#include "util/datetime.h"

namespace {

using namespace qrv;

constexpr int32_t kPersons = 1000;
constexpr int32_t kPerson = 3;
// A Tuesday with bookings, well inside the demo's months.
const TDateTime kTag = EncodeDate(2026, 3, 10);
// The demo's date, and the date-time the library's clock answers.
const TDateTime kHeute = EncodeDate(2026, 12, 10);

// The system's clock moved to the demo's date: the time runs on, as the record caches expect (a
// record of a file that changed within the last second is read again until that second has
// passed, which a clock standing still never lets happen).
class DemoClock final : public platform::Clock {
 public:
  explicit DemoClock(double now)
      : system_(*platform::SystemPlatform().clock), offset_(now - system_.Now()) {}
  double Now() override { return system_.Now() + offset_; }
  uint32_t Ticks() override { return system_.Ticks(); }

 private:
  platform::Clock& system_;
  double offset_;
};

class QueriesSetup {
 public:
  QueriesSetup() {
    folder_ = std::filesystem::temp_directory_path() /
              ("qrv_queries_bench_" + std::to_string(std::random_device{}()));
    tool::DemoOptions o;
    o.persons = kPersons;
    o.today = kHeute;
    tool::WriteDemo(folder_.string() + "/", o);
    registry_.CreateKey(platform::RegRoot::kCurrentUser, "Software\\Quorvane\\Installation");
    registry_.SetValue(platform::RegRoot::kCurrentUser, "Software\\Quorvane\\Installation",
                       "DataPath", {platform::kRegSz, folder_.string() + "/" + '\0'});
  }
  ~QueriesSetup() {
    StopLibrary();
    std::filesystem::remove_all(folder_);
  }

  // A new library, current for the exports, with empty caches.
  bool Start() {
    platform::Platform p = platform::SystemPlatform();
    p.registry = &registry_;
    p.clock = &clock_;
    return StartLibrary(p);
  }

 private:
  std::filesystem::path folder_;
  DemoClock clock_{kHeute + 0.5};
  platform::RegTreeRegistry registry_;
};

QueriesSetup& Setup() {
  static QueriesSetup setup;
  return setup;
}

// CalcZeit from 08:00 to 12:00 of the day; answers Zeit4 so nothing is optimised away.
double Calc() {
  double z1 = 0, z2 = 0, z3 = 0, z4 = 0;
  if (!CalcZeit(kPerson, kTag + 8.0 / 24, kTag + 12.0 / 24, &z1, &z2, &z3, &z4)) return -1;
  return z4;
}

// The whole enumeration of the day: begin, every item, end. Answers the item count.
int32_t Enumerate(unsigned char modus) {
  const int32_t n = QRVBeginAufTag(kPerson, kTag, modus);
  int32_t art = 0;
  double von = 0, bis = 0, wert = 0;
  char text[4096];
  for (int32_t i = 0; i < n; ++i) {
    QRVGetAufTagData(i, &art, &von, &bis, &wert, text);
    benchmark::DoNotOptimize(wert);
  }
  QRVEndAufTag();
  return n;
}

// Warm: the records the call reads are cached and past the second after their first read, in
// which the cache reads a record again on every use.
void Aufwaermen() {
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
}

bool StartOrSkip(benchmark::State& state) {
  if (Setup().Start()) return true;
  state.SkipWithError("the library did not start on the demo installation");
  return false;
}

void BM_CalcZeitCold(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    if (!StartOrSkip(state)) break;
    state.ResumeTiming();
    benchmark::DoNotOptimize(Calc());
  }
}
BENCHMARK(BM_CalcZeitCold)->Unit(benchmark::kMicrosecond);

void BM_CalcZeitWarm(benchmark::State& state) {
  if (!StartOrSkip(state)) return;
  if (Calc() < 0) state.SkipWithError("CalcZeit failed");
  Aufwaermen();
  for (auto _ : state) benchmark::DoNotOptimize(Calc());
}
BENCHMARK(BM_CalcZeitWarm)->Unit(benchmark::kMicrosecond);

void BM_AufTagDay(benchmark::State& state) {
  if (!StartOrSkip(state)) return;
  const auto modus = static_cast<unsigned char>(state.range(0));
  const int32_t items = Enumerate(modus);
  if (items <= 0) state.SkipWithError("the day has no items");
  Aufwaermen();
  for (auto _ : state) benchmark::DoNotOptimize(Enumerate(modus));
  state.counters["items"] = items;
}
BENCHMARK(BM_AufTagDay)->Arg(0)->Arg(1)->ArgName("mode")->Unit(benchmark::kMicrosecond);

void BM_AufTagDayCold(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    if (!StartOrSkip(state)) break;
    state.ResumeTiming();
    benchmark::DoNotOptimize(Enumerate(0));
  }
}
BENCHMARK(BM_AufTagDayCold)->Unit(benchmark::kMicrosecond);

void BM_TagVonBis(benchmark::State& state) {
  if (!StartOrSkip(state)) return;
  Enumerate(0);
  Aufwaermen();
  for (auto _ : state) {
    double von = kTag, bis = 0;
    QRVGetTagVonBis(kPerson, &von, &bis, 0);
    benchmark::DoNotOptimize(bis);
  }
}
BENCHMARK(BM_TagVonBis)->Unit(benchmark::kMicrosecond);

}  // namespace
