// Costs of the text work that sorted lists, person orders and stored records repeat many times:
// the German comparison of names, the OEM conversion of a person record's texts, time texts.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/table_locale.h"
#include "util/datetime.h"

namespace {

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = {"M\xFCller",
                                                 "Mueller",
                                                 "Meier",
                                                 "Maier",
                                                 "Stra\xDF"
                                                 "er",
                                                 "Strasser",
                                                 "\xC4rger",
                                                 "Arger",
                                                 "O'Neill",
                                                 "Oneill",
                                                 "Schmidt-Ott",
                                                 "Schmidtott",
                                                 "Wei\xDF",
                                                 "Weiss",
                                                 "Zu\xF1iga",
                                                 "Zuniga"};
  return names;
}

void BM_CompareText(benchmark::State& state) {
  qrv::platform::TableLocale locale;
  const auto& names = Names();
  size_t i = 0;
  for (auto _ : state) {
    const std::string& a = names[i % names.size()];
    const std::string& b = names[(i * 7 + 3) % names.size()];
    benchmark::DoNotOptimize(locale.CompareText(a, b));
    ++i;
  }
}
BENCHMARK(BM_CompareText);

void BM_AnsiToOemRecord(benchmark::State& state) {
  qrv::platform::TableLocale locale;
  std::string record(2048, '\0');
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<char>(i * 31);
  for (auto _ : state) {
    locale.ConvertAnsiToOem(record.data(), record.data(), record.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 2048);
}
BENCHMARK(BM_AnsiToOemRecord);

void BM_StrToTimeSpan(benchmark::State& state) {
  const std::string texts[] = {"7:30", "-1:15", "7,50", "8", ":45"};
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(qrv::StrToTimeSpan(texts[i++ % 5]));
}
BENCHMARK(BM_StrToTimeSpan);

}  // namespace
