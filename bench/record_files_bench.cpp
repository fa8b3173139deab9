// Costs of the record-file layer: a cached hit, a per-record read with its one file-time probe,
// a read straight from the file, and the rebuild of a 9999-record file's seven indexes, once by
// inserting each record by binary search over the cache and once by reading each record once
// and ordering in memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "config/konfig.h"
#include "files/cached_file.h"
#include "files/indexed_file.h"
#include "platform/fixed_clock.h"
#include "platform/platform.h"
#include "platform/reg_store.h"

namespace {

using namespace qrv;

// The system's files in a folder of their own, a registry in memory, a settings object.
class Installation {
 public:
  Installation() : konfig_(Platform(), reported_) {
    clock.SetTickStep(1);
    folder_ = std::filesystem::temp_directory_path() /
              ("qrv_bench_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
    konfig_.DataPath = folder_.string() + "/";
  }
  ~Installation() { std::filesystem::remove_all(folder_); }
  platform::Platform Platform() {
    platform::Platform p = platform::SystemPlatform();
    p.registry = &registry_;
    p.clock = &clock;
    return p;
  }
  const TKonfig& Konfig() const { return konfig_; }
  // Stands still unless moved, so the one-second rule settles when the bench wants; the ticks
  // move on with every use, as the cache's last-use order expects.
  platform::FixedClock clock{46366.5};

 private:
  platform::RegTreeRegistry registry_;
  bool reported_ = false;
  std::filesystem::path folder_;
  TKonfig konfig_;
};

// 64-byte records holding seven sort keys (with many equal values) stored as they are used.
constexpr int kKeys = 7;
constexpr int32_t kRecords = 9999;

class KeyFile : public TIndexedFile {
 public:
  KeyFile(const platform::Platform& p, const TKonfig& k, int32_t capacity, int32_t high)
      : TIndexedFile(p, k, k.DataPath, capacity, kKeys, "DAT", "KEYS") {
    Caption = "Keys";
    RawSize = SlotSize = ObjectSize = 64;
    MaxRecord = HighRecord = high;
    OnNewRecord = [](TFile&, void*, void* object, int32_t, int32_t, int32_t c) {
      int32_t keys[kKeys];
      for (int i = 0; i < kKeys; ++i) keys[i] = 1 + (c * 7919 + i * 104729) % (97 * (i + 1));
      std::memcpy(object, keys, sizeof keys);
    };
  }
  void RawToObject(void* raw, void* object, int32_t, int32_t, int32_t) override {
    std::memcpy(object, raw, 64);
  }
  void ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) override {
    std::memcpy(raw, object, 64);
  }
  int16_t Compare(const void* record, const void* key, int32_t index) override {
    int32_t a = 0, b = 0;
    std::memcpy(&a, static_cast<const char*>(record) + 4 * index, 4);
    std::memcpy(&b, static_cast<const char*>(key) + 4 * index, 4);
    return static_cast<int16_t>(a < b ? -1 : (a > b ? 1 : 0));
  }
};

class PlainFile : public TCachedFile {
 public:
  PlainFile(const platform::Platform& p, const TKonfig& k, uint8_t flags, int32_t capacity)
      : TCachedFile(p, k, flags, capacity) {
    Caption = "Plain";
    RawSize = SlotSize = ObjectSize = 2048;
    BaseName = "PLAIN";
    Ext = "DAT";
    MinRecord = 1;
    MaxRecord = HighRecord = 100;
    // A record of zeros would count as empty and be written again on every read.
    OnNewRecord = [](TFile&, void* raw, void* object, int32_t, int32_t, int32_t c) {
      std::memset(raw, 'A' + c % 26, 2048);
      std::memset(object, 'A' + c % 26, 2048);
    };
  }
};

void BM_CachedHit(benchmark::State& state) {
  Installation inst;
  PlainFile f(inst.Platform(), inst.Konfig(), rfWholeFile | rfNoReadCheck, 250);
  std::vector<char> raw(2048), object(2048);
  f.ReadRecord(raw.data(), object.data(), 0, 0, 17);
  for (auto _ : state) f.ReadRecord(raw.data(), object.data(), 0, 0, 17);
}
BENCHMARK(BM_CachedHit);

void BM_PerRecordRead(benchmark::State& state) {
  Installation inst;
  PlainFile f(inst.Platform(), inst.Konfig(), rfSingleRecord, 30);
  std::vector<char> raw(2048), object(2048);
  for (int c = 1; c <= 10; ++c) f.ReadRecord(raw.data(), object.data(), 0, 0, c);
  inst.clock.Advance(2000);  // past the second after the writes
  for (int c = 1; c <= 10; ++c) f.ReadRecord(raw.data(), object.data(), 0, 0, c);
  int c = 0;
  for (auto _ : state) f.ReadRecord(raw.data(), object.data(), 0, 0, 1 + (c++ % 10));
}
BENCHMARK(BM_PerRecordRead);

void BM_UncachedRead(benchmark::State& state) {
  Installation inst;
  PlainFile f(inst.Platform(), inst.Konfig(), rfWholeFile, 0);
  std::vector<char> raw(2048), object(2048);
  for (int c = 1; c <= 100; ++c) f.ReadRecord(raw.data(), object.data(), 0, 0, c);
  int c = 0;
  for (auto _ : state) f.ReadRecord(raw.data(), object.data(), 0, 0, 1 + (c++ % 100));
}
BENCHMARK(BM_UncachedRead);

// A 9999-record file whose indexes exist: built once, outside the timing.
void PrepareKeyFile(Installation& inst) {
  KeyFile f(inst.Platform(), inst.Konfig(), 250, kRecords);
  std::vector<char> raw(64), object(64);
  f.ReadRecord(raw.data(), object.data(), 0, 0, 1);
}

void BM_RebuildByInsertOverCache(benchmark::State& state) {
  Installation inst;
  PrepareKeyFile(inst);
  std::vector<char> raw(64), object(64);
  for (auto _ : state) {
    KeyFile f(inst.Platform(), inst.Konfig(), 250, kRecords);
    ++f.CheckLock;
    for (auto& index : f.Indexes) {
      if (index) index->Items.clear();
    }
    for (int32_t r = kRecords; r >= 1; --r) {
      f.ReadRecord(raw.data(), object.data(), 0, 0, r);
      for (int i = 0; i < kKeys; ++i) f.Indexes[i]->Insert(object.data(), r);
    }
    for (int i = 0; i < kKeys; ++i) f.Indexes[i]->SaveIndex();
    --f.CheckLock;
  }
}
BENCHMARK(BM_RebuildByInsertOverCache)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RebuildReadOnceAndSort(benchmark::State& state) {
  Installation inst;
  PrepareKeyFile(inst);
  for (auto _ : state) {
    KeyFile f(inst.Platform(), inst.Konfig(), 250, kRecords);
    f.BuildIndexes();
  }
}
BENCHMARK(BM_RebuildReadOnceAndSort)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
