#include "files/indexed_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "files/file_io.h"
#include "files/index.h"
#include "platform/read_only.h"
#include "record_kinds.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::TestObject;
using testing::WriteFileBytes;

// Records 1..6; orders: 0 by value, 1 by value descending, 2 by tag, 3 by value again.
class TestIndexedFile : public testing::TestFileOf<TIndexedFile> {
 public:
  TestIndexedFile(const platform::Platform& p, const TKonfig& k, const std::string& dir)
      : TestFileOf(p, k, dir, 50, 4, "DAT", "IDX") {
    Caption = "Test";
    RawSize = SlotSize = 8;
    ObjectSize = sizeof(TestObject);
    MaxRecord = HighRecord = 6;
    OnNewRecord = [](TFile&, void*, void* object, int32_t, int32_t, int32_t c) {
      static const int32_t kValues[] = {0, 30, 10, 30, 20, 10, 30};
      auto* o = static_cast<TestObject*>(object);
      o->value = kValues[c];
      std::memset(o->tag, 'A' + (6 - c), 4);
    };
  }
  int16_t Compare(const void* record, const void* key, int32_t index) override {
    const auto* a = static_cast<const TestObject*>(record);
    const auto* b = static_cast<const TestObject*>(key);
    int r = 0;
    if (index == 0 || index == 3) r = a->value - b->value;
    if (index == 1) r = b->value - a->value;
    if (index == 2) r = std::memcmp(a->tag, b->tag, 4);
    return static_cast<int16_t>(r < 0 ? -1 : (r > 0 ? 1 : 0));
  }
};

// An index file written by hand: N, then the record numbers, little-endian.
std::string IndexBytes(std::vector<uint32_t> entries, int32_t n = -1) {
  std::string out;
  auto put = [&out](uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(static_cast<uint32_t>(n >= 0 ? n : static_cast<int32_t>(entries.size())));
  for (uint32_t e : entries) put(e);
  return out;
}

const std::vector<uint32_t> kByValue{2, 5, 4, 1, 3, 6};
const std::vector<uint32_t> kByValueDown{1, 3, 6, 4, 2, 5};
const std::vector<uint32_t> kByTag{6, 5, 4, 3, 2, 1};
const std::vector<uint32_t> kIdentity{1, 2, 3, 4, 5, 6};

class IndexedFileTest : public testing::RecordFileTest {
 protected:
  std::unique_ptr<TestIndexedFile> Make() {
    platform::Platform p = tp.Get();
    if (readOnly) p.files = &readOnlyFiles;
    auto f = std::make_unique<TestIndexedFile>(p, konfig, data.Path());
    f->OnProgress = [this](const std::string& caption, int32_t position) {
      progress.push_back(position);
      EXPECT_EQ(caption, "");
    };
    f->OnDone = [this] { ++done; };
    return f;
  }
  static int32_t Read(TFile& f, int32_t c) {
    TestObject o;
    char raw[8];
    f.ReadRecord(raw, &o, 0, 0, c);
    return o.value;
  }
  static void Write(TFile& f, int32_t c, int32_t value) {
    TestObject o;
    char raw[8];
    f.ReadRecord(raw, &o, 0, 0, c);
    o.value = value;
    f.WriteRecord(raw, &o, 0, 0, c);
  }
  static std::vector<uint32_t> Items(const TIndexedFile& f, int i) {
    return {f.Indexes[i]->Items.begin(), f.Indexes[i]->Items.end()};
  }
  std::string X(int i) const { return Path("IDX.X" + std::to_string(i)); }
  // A data file of six records and index files 0..3 holding the identity order.
  void PrepareIdentityIndexes() {
    Read(*Make(), 1);
    for (int i = 0; i < 4; ++i) WriteFileBytes(X(i), IndexBytes(kIdentity));
    progress.clear();
    done = 0;
  }

  std::vector<int32_t> progress;
  int done = 0;
  // Files made while set see the data folder through a read-only view.
  bool readOnly = false;
  platform::ReadOnlyFileSystem readOnlyFiles{tp.files};
};

TEST_F(IndexedFileTest, TheFirstReadBuildsEveryIndexEqualRecordsByAscendingNumber) {
  auto f = Make();
  EXPECT_EQ(Read(*f, 3), 30);
  EXPECT_EQ(Items(*f, 0), kByValue);
  EXPECT_EQ(Items(*f, 1), kByValueDown);
  EXPECT_EQ(Items(*f, 2), kByTag);
  EXPECT_EQ(ReadFileBytes(X(0)), IndexBytes(kByValue));
  EXPECT_EQ(ReadFileBytes(X(1)), IndexBytes(kByValueDown));
  EXPECT_EQ(ReadFileBytes(X(2)), IndexBytes(kByTag));
  EXPECT_EQ(ReadFileBytes(X(3)), IndexBytes(kByValue));
  EXPECT_EQ(progress, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(done, 1);
  EXPECT_EQ(f->CheckLock, 0);
  EXPECT_EQ(f->CacheBypass, 0);
  // Every slot up to HighRecord now exists on disk.
  EXPECT_EQ(ReadFileBytes(Path("IDX.DAT")).size(), 7u * 8);
}

TEST_F(IndexedFileTest, ValidIndexFilesAreLoadedAsTheyAre) {
  PrepareIdentityIndexes();
  auto f = Make();
  Read(*f, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Items(*f, i), kIdentity) << i;
  EXPECT_TRUE(progress.empty());
}

TEST_F(IndexedFileTest, OneMissingIndexRebuildsThemAll) {
  PrepareIdentityIndexes();
  std::filesystem::remove(X(3));
  auto f = Make();
  Read(*f, 1);
  EXPECT_EQ(ReadFileBytes(X(0)), IndexBytes(kByValue));
  EXPECT_EQ(ReadFileBytes(X(2)), IndexBytes(kByTag));
  EXPECT_EQ(ReadFileBytes(X(3)), IndexBytes(kByValue));
  EXPECT_EQ(done, 1);
}

TEST_F(IndexedFileTest, AMalformedIndexFileIsRebuilt) {
  struct Case {
    const char* label;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"shorter than N", "\x06\x00\x00"},
      {"N below HighRecord", IndexBytes({1, 2, 3, 4, 5})},
      {"N above HighRecord", IndexBytes({1, 2, 3, 4, 5, 6, 7})},
      {"huge N", IndexBytes(kIdentity, 0x7FFFFFFF)},
      {"negative N", std::string("\xFA\xFF\xFF\xFF", 4) + IndexBytes(kIdentity).substr(4)},
      {"entries cut short", IndexBytes(kIdentity).substr(0, 4 + 4 * 5 + 2)},
      {"an entry twice", IndexBytes({1, 2, 3, 3, 5, 6})},
      {"entry 0", IndexBytes({0, 2, 3, 4, 5, 6})},
      {"entry above HighRecord", IndexBytes({1, 2, 3, 4, 5, 7})},
      {"entry with high bits", IndexBytes({0x00010001, 2, 3, 4, 5, 6})},
      {"negative entry", IndexBytes({0xFFFFFFFF, 2, 3, 4, 5, 6})},
  };
  for (const Case& k : cases) {
    PrepareIdentityIndexes();
    WriteFileBytes(X(1), k.bytes);
    auto f = Make();
    Read(*f, 1);
    EXPECT_EQ(done, 1) << k.label;
    EXPECT_EQ(ReadFileBytes(X(0)), IndexBytes(kByValue)) << k.label;
    EXPECT_EQ(ReadFileBytes(X(1)), IndexBytes(kByValueDown)) << k.label;
  }
}

TEST_F(IndexedFileTest, ReadOnlyIndexesAreRebuiltInMemoryAndNoFileIsWritten) {
  struct Case {
    const char* label;
    std::function<void()> prepare;
  };
  const Case cases[] = {
      {"no files at all", [] {}},
      {"one index missing",
       [&] {
         PrepareIdentityIndexes();
         std::filesystem::remove(X(3));
       }},
      {"a malformed index",
       [&] {
         PrepareIdentityIndexes();
         WriteFileBytes(X(1), IndexBytes({1, 2, 3, 3, 5, 6}));
       }},
      {"a data file shorter than its indexes",
       [&] {
         PrepareIdentityIndexes();
         std::filesystem::resize_file(Path("IDX.DAT"), 3 * 8);
       }},
  };
  for (const Case& k : cases) {
    for (const auto& name : testing::FolderListing(data.Path()))
      std::filesystem::remove(Path(name));
    readOnly = false;
    k.prepare();
    done = 0;
    const auto before = testing::TreeOf(data.Path());
    readOnly = true;
    auto f = Make();
    EXPECT_EQ(Read(*f, 3), 30) << k.label;
    EXPECT_EQ(done, 1) << k.label;
    EXPECT_EQ(Items(*f, 0), kByValue) << k.label;
    EXPECT_EQ(Items(*f, 1), kByValueDown) << k.label;
    EXPECT_EQ(Items(*f, 2), kByTag) << k.label;
    EXPECT_EQ(testing::TreeOf(data.Path()), before) << k.label;
  }
}

TEST_F(IndexedFileTest, ReadOnlyAWriteIsRefusedBeforeTheIndexesMove) {
  PrepareIdentityIndexes();
  const auto before = testing::TreeOf(data.Path());
  readOnly = true;
  auto f = Make();
  try {
    Write(*f, 4, 5);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 5);
    EXPECT_EQ(e.Message(), std::string("Test-Dateifehler\r\n") + kMsgReadOnly + "\r\n(" +
                               Path("IDX.DAT") + ",4)");
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Items(*f, i), kIdentity) << i;
  EXPECT_EQ(Read(*f, 4), 20);
  EXPECT_EQ(testing::TreeOf(data.Path()), before);
}

TEST_F(IndexedFileTest, AChangedKeyMovesInEveryIndexAtOnce) {
  auto f = Make();
  Write(*f, 4, 5);  // 20 becomes the smallest value
  const std::vector<uint32_t> byValue{4, 2, 5, 1, 3, 6};
  const std::vector<uint32_t> byValueDown{1, 3, 6, 2, 5, 4};
  EXPECT_EQ(Items(*f, 0), byValue);
  EXPECT_EQ(Items(*f, 1), byValueDown);
  EXPECT_EQ(Items(*f, 2), kByTag);
  EXPECT_EQ(ReadFileBytes(X(0)), IndexBytes(byValue));
  EXPECT_EQ(ReadFileBytes(X(1)), IndexBytes(byValueDown));
  EXPECT_EQ(ReadFileBytes(X(3)), IndexBytes(byValue));
  EXPECT_EQ(Read(*f, 4), 5);
}

TEST_F(IndexedFileTest, AWriteBeforeAnyReadLoadsTheIndexesFirst) {
  PrepareIdentityIndexes();
  auto f = Make();
  TestObject o;
  o.value = 99;
  char raw[8] = {};
  f->WriteRecord(raw, &o, 0, 0, 1);
  // Record 1 moved to the end of order 0 within the loaded (identity) order.
  EXPECT_EQ(Items(*f, 0), (std::vector<uint32_t>{2, 3, 4, 5, 6, 1}));
  EXPECT_EQ(Items(*f, 0).size(), 6u);
}

TEST_F(IndexedFileTest, ADataFileShorterThanItsIndexesIsRebuilt) {
  PrepareIdentityIndexes();
  std::filesystem::resize_file(Path("IDX.DAT"), 3 * 8);
  auto f = Make();
  Read(*f, 1);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(Items(*f, 0), kByValue);
  EXPECT_EQ(ReadFileBytes(Path("IDX.DAT")).size(), 7u * 8);
}

TEST_F(IndexedFileTest, EmptyRecordsMetWhileSearchingAreCreatedThenTheIndexesRebuilt) {
  Read(*Make(), 1);
  // Records 2 to 6 erased behind the indexes' back.
  const std::string bytes = ReadFileBytes(Path("IDX.DAT"));
  WriteFileBytes(Path("IDX.DAT"), bytes.substr(0, 16) + std::string(5 * 8, '\0'));
  done = 0;
  auto f = Make();
  Write(*f, 1, 15);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(Items(*f, 0), (std::vector<uint32_t>{2, 5, 1, 4, 3, 6}));
  EXPECT_EQ(ReadFileBytes(X(0)), IndexBytes({2, 5, 1, 4, 3, 6}));
  EXPECT_EQ(Read(*f, 6), 30);
}

TEST_F(IndexedFileTest, AnotherProcesssWriteIsSeen) {
  auto f = Make();
  EXPECT_EQ(Read(*f, 4), 20);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int status = 1;
    try {
      testing::TestPlatform other;
      bool flag = false;
      TKonfig k(other.Get(), flag);
      k.DataPath = data.Path();
      TestIndexedFile g(other.Get(), k, data.Path());
      Write(g, 4, 5);
      status = 0;
    } catch (...) {
    }
    _exit(status);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Read(*f, 4), 5);
  EXPECT_EQ(Items(*f, 0), (std::vector<uint32_t>{4, 2, 5, 1, 3, 6}));
  EXPECT_EQ(done, 1);  // reloaded from the other process's index files, not rebuilt
}

TEST_F(IndexedFileTest, AFailedRebuildIsShownPassedOnAndLeavesTheChecksOn) {
  auto f = Make();
  auto defaults = f->OnNewRecord;
  f->OnNewRecord = [defaults](TFile& file, void* raw, void* object, int32_t a, int32_t b,
                              int32_t c) {
    if (c == 3) throw EInOutError("kaputt", 0);
    defaults(file, raw, object, a, b, c);
  };
  EXPECT_THROW(Read(*f, 1), EInOutError);
  ASSERT_FALSE(tp.ui.calls.empty());
  EXPECT_EQ(tp.ui.calls[0].kind, "ShowException");
  EXPECT_EQ(f->CheckLock, 0);
  EXPECT_EQ(f->CacheBypass, 0);
  EXPECT_EQ(done, 0);
  f->OnNewRecord = defaults;
  EXPECT_EQ(Read(*f, 1), 30);
  EXPECT_EQ(Items(*f, 0), kByValue);
}

TEST_F(IndexedFileTest, AFailedIndexWriteNamesTheIndexFileAndLeavesRecordsReadable) {
  auto f = Make();
  Read(*f, 1);
  tp.files.ShortWrite(1);
  try {
    Write(*f, 4, 5);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Fehler beim Schreiben (" + X(0) + ")");
  }
  EXPECT_EQ(tp.files.OpenFiles(), 0);
  for (int n = 1; n < 40; ++n) {
    tp.files.FailOperation(n, platform::kAccessDenied);
    try {
      Write(*f, 2, 100 + n);
    } catch (const EInOutError&) {
    }
    tp.files.ClearFaults();
    EXPECT_EQ(tp.files.OpenFiles(), 0) << n;
    EXPECT_EQ(Read(*f, 1), 30) << n;
  }
  // Whatever failed, a fresh object finds a consistent index on disk or rebuilds one.
  auto g = Make();
  Read(*g, 1);
  std::vector<uint32_t> order = Items(*g, 0);
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, kIdentity);
}

TEST(IndexFileTest, DecodesOnlyAPermutationOfTheRecords) {
  std::vector<int32_t> entries;
  const std::string good = IndexBytes({3, 1, 2}) + "trailing";
  EXPECT_TRUE(DecodeIndexFile(good.data(), good.size(), 3, &entries));
  EXPECT_EQ(entries, (std::vector<int32_t>{3, 1, 2}));
  EXPECT_EQ(EncodeIndexFile({3, 1, 2}), IndexBytes({3, 1, 2}));
  const std::string bad = IndexBytes({3, 3, 2});
  EXPECT_FALSE(DecodeIndexFile(bad.data(), bad.size(), 3, &entries));
  EXPECT_TRUE(entries.empty());
}

}  // namespace
}  // namespace qrv
