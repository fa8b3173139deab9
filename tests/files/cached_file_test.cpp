#include "files/cached_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "files/file_io.h"
#include "platform/read_only.h"
#include "record_kinds.h"

namespace qrv {
namespace {

using testing::RawOf;
using testing::TestObject;
using testing::WriteFileBytes;

constexpr double kSecond = 1.0 / 86400;

class TestCachedFile : public testing::TestFileOf<TCachedFile> {
 public:
  using TestFileOf::TestFileOf;
  void Invalidate(const std::string& fileName, bool rebuild) override {
    ++invalidations;
    TCachedFile::Invalidate(fileName, rebuild);
  }
  int invalidations = 0;
};

class CachedFileTest : public testing::RecordFileTest {
 protected:
  std::unique_ptr<TestCachedFile> Make(uint8_t flags, int32_t capacity) {
    platform::Platform p = tp.Get();
    if (readOnly) p.files = &readOnlyFiles;
    auto f = std::make_unique<TestCachedFile>(p, konfig, flags, capacity);
    testing::SetTestSizes(*f, "REC", flags & rfSingleRecord ? 0 : 8);
    f->OnChange = [this](TCachedFile&, bool starting) { events.push_back(starting); };
    return f;
  }

  int32_t Read(TFile& f, int32_t c) {
    TestObject o;
    char raw[8];
    f.ReadRecord(raw, &o, 0, 0, c);
    return o.value;
  }

  void Write(TFile& f, int32_t c, int32_t value) {
    TestObject o;
    o.value = value;
    char raw[8] = {};
    f.WriteRecord(raw, &o, 0, 0, c);
  }

  // Changes a file behind the cache's back; its time stays as it was unless moved.
  void Poke(const std::string& name, const std::string& bytes, int moveSeconds = 0) {
    const std::string path = Path(name);
    const auto time = std::filesystem::last_write_time(path);
    WriteFileBytes(path, bytes);
    std::filesystem::last_write_time(path, time + std::chrono::seconds(moveSeconds));
  }

  void Later(double seconds) { tp.clock.SetNow(tp.clock.Now() + seconds * kSecond); }

  std::vector<bool> TakeEvents() { return std::exchange(events, {}); }

  std::vector<bool> events;
  const std::vector<bool> kPair{true, false};
  // Files made while set see the data folder through a read-only view.
  bool readOnly = false;
  platform::ReadOnlyFileSystem readOnlyFiles{tp.files};
};

TEST_F(CachedFileTest, WithoutCapacityEveryReadGoesToTheFile) {
  auto f = Make(rfWholeFile, 0);
  Write(*f, 1, 5);
  Poke("REC.DAT", RawOf(0, "xxxx") + RawOf(6, "ABCD"));
  EXPECT_EQ(Read(*f, 1), 6);
  EXPECT_EQ(f->EntryCount(), 0);
  EXPECT_TRUE(events.empty());
}

TEST_F(CachedFileTest, PerRecordReadsFollowTheOneSecondRuleAfterAWrite) {
  auto f = Make(rfSingleRecord, 5);
  Write(*f, 1, 10);
  EXPECT_EQ(TakeEvents(), kPair);
  // Within the second after the write every read goes to the disk, without OnChange.
  Later(0.5);
  Poke("REC1.DAT", RawOf(11, "ABCD"));
  EXPECT_EQ(Read(*f, 1), 11);
  EXPECT_TRUE(TakeEvents().empty());
  // The first read after that second reads once more, with OnChange ...
  Later(2);
  Poke("REC1.DAT", RawOf(12, "ABCD"));
  EXPECT_EQ(Read(*f, 1), 12);
  EXPECT_EQ(TakeEvents(), kPair);
  // ... and then the record is served from memory until its file's time changes.
  Poke("REC1.DAT", RawOf(13, "ABCD"));
  EXPECT_EQ(Read(*f, 1), 12);
  EXPECT_TRUE(TakeEvents().empty());
  Poke("REC1.DAT", RawOf(14, "ABCD"), 10);
  EXPECT_EQ(Read(*f, 1), 14);
  EXPECT_EQ(TakeEvents(), kPair);
  Later(0.5);
  Poke("REC1.DAT", RawOf(15, "ABCD"));
  EXPECT_EQ(Read(*f, 1), 15);
  EXPECT_TRUE(TakeEvents().empty());
  EXPECT_EQ(f->EntryCount(), 1);
}

TEST_F(CachedFileTest, AFailedReReadStillClosesTheOnChangePair) {
  auto f = Make(rfSingleRecord, 5);
  Write(*f, 1, 10);
  Poke("REC1.DAT", RawOf(11, "ABCD"), 10);
  TakeEvents();
  tp.files.FailOperation(2, platform::kAccessDenied);  // the open after the time probe
  EXPECT_THROW(Read(*f, 1), EInOutError);
  EXPECT_EQ(TakeEvents(), kPair);
  EXPECT_EQ(tp.files.OpenFiles(), 0);
  EXPECT_EQ(Read(*f, 1), 11);
}

TEST_F(CachedFileTest, WholeFileModeEmptiesTheCacheWhenTheFileChanges) {
  WriteFileBytes(Path("REC.DAT"), RawOf(0, "zero") + RawOf(1, "ABCD"));
  auto f = Make(rfWholeFile, 5);
  // The first read always finds the file changed.
  EXPECT_EQ(Read(*f, 1), 1);
  EXPECT_EQ(f->invalidations, 1);
  EXPECT_EQ(TakeEvents(), kPair);
  Poke("REC.DAT", RawOf(0, "zero") + RawOf(2, "ABCD"));
  EXPECT_EQ(Read(*f, 1), 1);  // from memory
  EXPECT_EQ(f->invalidations, 1);
  Poke("REC.DAT", RawOf(0, "zero") + RawOf(3, "ABCD"), 10);
  EXPECT_EQ(Read(*f, 1), 3);
  EXPECT_EQ(f->invalidations, 2);
  EXPECT_EQ(TakeEvents(), kPair);
  // Within the second after the change: emptied again, without OnChange.
  Later(0.5);
  EXPECT_EQ(Read(*f, 1), 3);
  EXPECT_EQ(f->invalidations, 3);
  EXPECT_TRUE(TakeEvents().empty());
  // Once after that second, with OnChange; then settled.
  Later(2);
  Read(*f, 1);
  Read(*f, 1);
  EXPECT_EQ(f->invalidations, 4);
  EXPECT_EQ(TakeEvents(), kPair);
  EXPECT_EQ(f->HighRecord, f->MaxRecord);
}

TEST_F(CachedFileTest, TheEntryUsedLongestAgoMakesRoom) {
  auto f = Make(rfWholeFile | rfNoReadCheck, 3);
  for (auto [ticks, c] : {std::pair{10u, 1}, {20u, 2}, {30u, 3}, {40u, 1}, {50u, 4}}) {
    tp.clock.SetTicks(ticks);
    Read(*f, c);
  }
  ASSERT_EQ(f->EntryCount(), 3);
  EXPECT_EQ(f->EntryAt(0).C, 1);
  EXPECT_EQ(f->EntryAt(1).C, 3);
  EXPECT_EQ(f->EntryAt(2).C, 4);
}

TEST_F(CachedFileTest, AfterTheTickWrapOlderEntriesTakeTheCurrentTick) {
  auto f = Make(rfWholeFile | rfNoReadCheck, 3);
  tp.clock.SetTicks(0x7FFFFFF0u);
  Read(*f, 1);
  tp.clock.SetTicks(0x7FFFFFF8u);
  Read(*f, 2);
  tp.clock.SetTicks(0x80000004u);
  Read(*f, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f->EntryAt(i).LastUse, static_cast<int32_t>(0x80000004u));
  tp.clock.SetTicks(0x80000010u);
  Read(*f, 1);
  tp.clock.SetTicks(0x80000020u);
  Read(*f, 4);
  // Records 2 and 3 tie; the first of them goes. Record 1, used last, stays.
  ASSERT_EQ(f->EntryCount(), 3);
  EXPECT_EQ(f->EntryAt(0).C, 1);
  EXPECT_EQ(f->EntryAt(1).C, 3);
  EXPECT_EQ(f->EntryAt(2).C, 4);
}

TEST_F(CachedFileTest, DeletingDropsOnlyTheEntriesOfThatFile) {
  auto f = Make(rfSingleRecord, 5);
  Write(*f, 1, 10);
  Write(*f, 2, 20);
  f->DeleteRecord(0, 0, 1);
  ASSERT_EQ(f->EntryCount(), 1);
  EXPECT_EQ(f->EntryAt(0).C, 2);
  // The backup brings record 1 back on the next read.
  EXPECT_EQ(Read(*f, 1), 10);
}

TEST_F(CachedFileTest, CreatingARecordOnReadKeepsOneEntry) {
  auto f = Make(rfSingleRecord, 5);
  f->OnNewRecord = [](TFile&, void*, void* object, int32_t, int32_t, int32_t c) {
    static_cast<TestObject*>(object)->value = 100 + c;
  };
  EXPECT_EQ(Read(*f, 7), 107);
  EXPECT_EQ(f->EntryCount(), 1);
  EXPECT_EQ(Read(*f, 7), 107);
  EXPECT_EQ(f->EntryCount(), 1);
}

TEST_F(CachedFileTest, ReadOnlyAMissingRecordIsCachedWithItsDefaultsAndNotWritten) {
  readOnly = true;
  auto f = Make(rfSingleRecord, 5);
  int created = 0;
  f->OnNewRecord = [&created](TFile&, void*, void* object, int32_t, int32_t, int32_t c) {
    ++created;
    static_cast<TestObject*>(object)->value = 100 + c;
  };
  EXPECT_EQ(Read(*f, 7), 107);
  EXPECT_EQ(Read(*f, 7), 107);
  EXPECT_EQ(created, 1);  // the second read is answered from the cache
  EXPECT_EQ(f->EntryCount(), 1);
  EXPECT_TRUE(testing::FolderListing(data.Path()).empty());
}

TEST_F(CachedFileTest, ReadOnlyARefusedWriteLeavesTheCacheAsItWas) {
  for (uint8_t flags : {uint8_t{rfSingleRecord}, uint8_t{rfWholeFile}}) {
    SCOPED_TRACE(flags);
    readOnly = false;
    Write(*Make(flags, 5), 3, 30);
    readOnly = true;
    auto f = Make(flags, 5);
    EXPECT_EQ(Read(*f, 3), 30);
    const auto before = testing::TreeOf(data.Path());
    try {
      Write(*f, 3, 31);
      ADD_FAILURE();
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ErrorCode, 5);
      EXPECT_NE(e.Message().find(kMsgReadOnly), std::string::npos) << e.Message();
    }
    EXPECT_THROW(Write(*f, 4, 40), EInOutError);
    EXPECT_THROW(f->DeleteRecord(0, 0, 3), EInOutError);
    EXPECT_EQ(f->EntryCount(), 1);
    EXPECT_EQ(Read(*f, 3), 30);
    EXPECT_EQ(testing::TreeOf(data.Path()), before);
  }
}

TEST_F(CachedFileTest, InvalidateInPerRecordModeDropsOneFile) {
  auto f = Make(rfSingleRecord, 5);
  Write(*f, 1, 10);
  Write(*f, 2, 20);
  f->Invalidate(Path("REC2.DAT"), false);
  ASSERT_EQ(f->EntryCount(), 1);
  EXPECT_EQ(f->EntryAt(0).C, 1);
  f->Invalidate("", false);
  EXPECT_EQ(f->EntryCount(), 0);
}

}  // namespace
}  // namespace qrv
