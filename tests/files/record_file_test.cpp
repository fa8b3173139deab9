#include "files/record_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "files/file_io.h"
#include "platform/read_only.h"
#include "record_kinds.h"

namespace qrv {
namespace {

using testing::Blank;
using testing::FolderListing;
using testing::RawOf;
using testing::ReadFileBytes;
using testing::TestObject;
using testing::WriteFileBytes;

using TestFile = testing::TestFileOf<TFile>;

class TFileTest : public testing::RecordFileTest {
 protected:
  std::unique_ptr<TestFile> Make(uint8_t flags, const std::string& base = "REC",
                                 int32_t slot = 10) {
    platform::Platform p = tp.Get();
    if (readOnly) p.files = &readOnlyFiles;
    auto f = std::make_unique<TestFile>(p, konfig, flags);
    testing::SetTestSizes(*f, base, slot);
    f->OnNewRecord = [this](TFile&, void*, void* object, int32_t, int32_t, int32_t c) {
      newRecords.push_back(c);
      auto* o = static_cast<TestObject*>(object);
      o->value = 1000 + c;
      std::memcpy(o->tag, "NEW!", 4);
    };
    return f;
  }

  TestObject Read(TFile& f, int32_t a, int32_t b, int32_t c) {
    TestObject o;
    char raw[8];
    f.ReadRecord(raw, &o, a, b, c);
    return o;
  }

  void Write(TFile& f, int32_t a, int32_t b, int32_t c, int32_t value, const char* tag = "ABCD") {
    TestObject o;
    o.value = value;
    std::memcpy(o.tag, tag, 4);
    char raw[8] = {};
    f.WriteRecord(raw, &o, a, b, c);
  }

  std::vector<int32_t> newRecords;
  // Files made while set see the data folder through a read-only view.
  bool readOnly = false;
  platform::ReadOnlyFileSystem readOnlyFiles{tp.files};
};

TEST_F(TFileTest, NamesTheFileOfAKey) {
  struct Case {
    const char* label;
    uint8_t flags;
    int32_t a, b, c;
    std::string expected;
  };
  const std::string s(1, platform::kPathSeparator);
  const Case cases[] = {
      {"number in the name", rfSingleRecord, 0, 0, 12, "REC12.DAT"},
      {"C = 0 carries no number", rfSingleRecord, 0, 0, 0, "REC.DAT"},
      {"whole file", rfWholeFile, 0, 0, 7, "REC.DAT"},
      {"key folder with number", rfKeyFolder | rfInternalRaw, 3, 2, 12, "3" + s + "REC12.DAT"},
      {"key folder, A = 0", rfKeyFolder, 0, 2, 12, "REC12.DAT"},
      {"fixed name in key folder", rfKeyFolderFixedName, 4, 0, 9, "4" + s + "REC.DAT"},
      {"month file, March", rfMonthFile, 2024, 3, 17, "2024" + s + "Mrz.DAT"},
      {"month file, December", rfMonthFile, 2024, 12, 1, "2024" + s + "Dez.DAT"},
      {"month file, B = 0", rfMonthFile, 2024, 0, 17, "REC17.DAT"},
  };
  for (const Case& k : cases) {
    auto f = Make(k.flags);
    f->SelectFile(k.a, k.b, k.c);
    EXPECT_EQ(f->FileName, data.Path() + k.expected) << k.label;
  }
}

TEST_F(TFileTest, PlacesRecordsByAddressingMode) {
  struct Case {
    const char* label;
    uint8_t flags;
    int32_t b, c;
    int64_t expected;
  };
  const Case cases[] = {
      {"whole file: C slots", rfWholeFile, 0, 5, 50},
      {"fixed name: C slots", rfKeyFolderFixedName, 9, 5, 50},
      {"key folder: B - 1 slots", rfKeyFolder, 2, 5, 10},
      {"month file: C slots", rfMonthFile, 3, 5, 50},
      {"one-record file: 0", rfSingleRecord, 3, 5, 0},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(Make(k.flags)->RecordPosition(1, k.b, k.c), k.expected) << k.label;
  }
  // B = 0 in a key folder would lie before the file's first byte.
  EXPECT_THROW(Make(rfKeyFolder)->RecordPosition(1, 0, 5), EInOutError);
}

TEST_F(TFileTest, WritingBeyondTheEndFillsBlankSlots) {
  auto f = Make(rfWholeFile);
  Write(*f, 0, 0, 5, 0x01020304, "WXYZ");
  std::string expected;
  for (int i = 0; i < 5; ++i) expected += Blank(10);
  expected += std::string("\x04\x03\x02\x01WXYZ", 8) + std::string(2, '\0');
  EXPECT_EQ(ReadFileBytes(Path("REC.DAT")), expected);
}

TEST_F(TFileTest, ReadingAMissingRecordCreatesItBehindBlankSlots) {
  const std::string pad(2, '\0');
  const std::string three =
      RawOf(1, "aaaa") + pad + RawOf(2, "bbbb") + pad + RawOf(3, "cccc") + pad;
  WriteFileBytes(Path("REC.DAT"), three);
  auto f = Make(rfWholeFile);
  TestObject o = Read(*f, 0, 0, 7);
  EXPECT_EQ(newRecords, std::vector<int32_t>{7});
  EXPECT_EQ(o.value, 1007);
  std::string expected = three.substr(0, 30);
  for (int i = 3; i < 7; ++i) expected += Blank(10);
  expected += RawOf(1007, "NEW!") + std::string(2, '\0');
  EXPECT_EQ(ReadFileBytes(Path("REC.DAT")), expected);
  // The records before it are untouched.
  EXPECT_EQ(Read(*f, 0, 0, 2).value, 3);  // slot 2 holds "cccc"
}

TEST_F(TFileTest, EmptyRecordFormsReadAsNewRecords) {
  struct Case {
    const char* label;
    std::string slot;
    bool empty;
  };
  // The raw record is 8 bytes of a 10-byte slot: its own last two bytes decide.
  const std::string pad(2, '\0');
  const Case cases[] = {
      {"spaces ending in CR LF", Blank(8) + pad, true},
      {"zeros", std::string(10, '\0'), true},
      {"marker 78 56 34 12", std::string("\x78\x56\x34\x12rest", 8) + pad, true},
      {"spaces without CR LF", std::string(8, ' ') + pad, false},
      {"zeros ending in CR LF", std::string(6, '\0') + "\r\n" + pad, false},
      {"marker one byte later", std::string("\0\x78\x56\x34\x12res", 8) + pad, false},
  };
  for (const Case& k : cases) {
    WriteFileBytes(Path("REC.DAT"), std::string(10, 'x') + k.slot);
    newRecords.clear();
    auto f = Make(rfWholeFile);
    Read(*f, 0, 0, 1);
    EXPECT_EQ(newRecords.size(), k.empty ? 1u : 0u) << k.label;
  }
}

TEST_F(TFileTest, AnErasedRecordReadsAsNew) {
  auto f = Make(rfWholeFile, "REC", 8);
  Write(*f, 0, 0, 2, 22);
  f->DeleteRecord(0, 0, 2);
  EXPECT_EQ(ReadFileBytes(Path("REC.DAT")), Blank(8) + Blank(8) + Blank(8));
  EXPECT_EQ(Read(*f, 0, 0, 2).value, 1002);
  EXPECT_EQ(Read(*f, 0, 0, 1).value, 1001);
  EXPECT_EQ(newRecords, (std::vector<int32_t>{2, 1}));
}

TEST_F(TFileTest, AFilesPartialLastSlotCountsAsMissing) {
  WriteFileBytes(Path("REC.DAT"),
                 std::string(10, 'x') + RawOf(5, "five") + std::string(2, '\0') + "tail");
  auto f = Make(rfWholeFile);
  EXPECT_EQ(Read(*f, 0, 0, 1).value, 5);
  Write(*f, 0, 0, 3, 33);
  // The partial slot 2 is overwritten by a blank slot.
  EXPECT_EQ(ReadFileBytes(Path("REC.DAT")), std::string(10, 'x') + RawOf(5, "five") +
                                                std::string(2, '\0') + Blank(10) +
                                                RawOf(33, "ABCD") + std::string(2, '\0'));
}

TEST_F(TFileTest, OneRecordFilesKeepABackupGeneration) {
  auto f = Make(rfSingleRecord, "MOD", 0);
  Write(*f, 0, 0, 4, 44);
  EXPECT_EQ(ReadFileBytes(Path("MOD4.DAT")), RawOf(44, "ABCD"));
  f->DeleteRecord(0, 0, 4);
  EXPECT_EQ(FolderListing(data.Path()), std::vector<std::string>{"MOD4.JBK"});
  EXPECT_TRUE(f->RecordFileExists(0, 0, 4));
  f->DeleteRecord(0, 0, 4);  // nothing left to delete
  EXPECT_EQ(FolderListing(data.Path()), std::vector<std::string>{"MOD4.JBK"});
  // A read restores the backup.
  EXPECT_EQ(Read(*f, 0, 0, 4).value, 44);
  EXPECT_EQ(FolderListing(data.Path()), std::vector<std::string>{"MOD4.DAT"});
  EXPECT_FALSE(f->RecordFileExists(0, 0, 5));
  EXPECT_TRUE(newRecords.empty());
}

TEST_F(TFileTest, OneRecordFilesArePaddedAndReadWithTheirTailAsZeros) {
  auto f = Make(rfSingleRecord | rfInternalRaw, "GSPL", 16);
  Write(*f, 0, 0, 2, 7);
  EXPECT_EQ(ReadFileBytes(Path("GSPL2.DAT")), RawOf(7, "ABCD") + std::string(8, '\0'));
  // A short file: the tag's last two bytes are missing and read as zeros.
  WriteFileBytes(Path("GSPL3.DAT"), RawOf(9, "xy").substr(0, 6));
  TestObject o = Read(*f, 0, 0, 3);
  EXPECT_EQ(o.value, 9);
  EXPECT_EQ(std::string(o.tag, 4), std::string("xy\0\0", 4));
}

TEST_F(TFileTest, DeletingASlotBlanksIt) {
  auto f = Make(rfWholeFile);
  Write(*f, 0, 0, 1, 11);
  Write(*f, 0, 0, 2, 22);
  f->DeleteRecord(0, 0, 1);
  EXPECT_EQ(ReadFileBytes(Path("REC.DAT")),
            Blank(10) + Blank(10) + RawOf(22, "ABCD") + std::string(2, '\0'));
  f->DeleteRecord(0, 0, 3);  // starts at the end: appends a blank slot
  EXPECT_EQ(ReadFileBytes(Path("REC.DAT")).size(), 40u);
  f->DeleteRecord(0, 0, 9);  // beyond the end: nothing
  EXPECT_EQ(ReadFileBytes(Path("REC.DAT")).size(), 40u);
}

TEST_F(TFileTest, MissingFoldersAreCreated) {
  auto f = Make(rfKeyFolder | rfInternalRaw);
  f->Directory = data.Path() + "SUB" + platform::kPathSeparator;
  EXPECT_EQ(Read(*f, 3, 2, 12).value, 1012);
  const std::string s(1, platform::kPathSeparator);
  EXPECT_EQ(ReadFileBytes(Path("SUB" + s + "3" + s + "REC12.DAT")),
            Blank(10) + RawOf(1012, "NEW!") + std::string(2, '\0'));
}

TEST_F(TFileTest, ReadOnlyAMissingRecordReadsAsItsDefaultsAndNothingIsCreated) {
  const std::string s(1, platform::kPathSeparator);
  const std::string pad(2, '\0');
  WriteFileBytes(Path("SHORT.DAT"), RawOf(1, "aaaa") + pad + RawOf(2, "bbbb") + pad);
  WriteFileBytes(Path("BLANK.DAT"), RawOf(1, "aaaa") + pad + Blank(8) + pad);
  std::filesystem::create_directories(data.Path() + "2024");
  struct Case {
    const char* label;
    uint8_t flags;
    const char* base;
    int32_t a, b, c;
  };
  const Case cases[] = {
      {"missing file", rfWholeFile, "NONE", 0, 0, 4},
      {"missing key folder", rfKeyFolder, "EP", 3, 2, 12},
      {"missing month file", rfMonthFile, "MON", 2024, 3, 5},
      {"missing month folder", rfMonthFile, "MON", 2023, 3, 5},
      {"beyond the end of a short file", rfWholeFile, "SHORT", 0, 0, 7},
      {"blank slot", rfWholeFile, "BLANK", 0, 0, 1},
      {"missing one-record file", rfSingleRecord, "ONE", 0, 0, 5},
  };
  readOnly = true;
  const auto before = testing::TreeOf(data.Path());
  for (const Case& k : cases) {
    newRecords.clear();
    auto f = Make(k.flags, k.base);
    TestObject o;
    char raw[8] = {};
    f->ReadRecord(raw, &o, k.a, k.b, k.c);
    EXPECT_EQ(newRecords, std::vector<int32_t>{k.c}) << k.label;
    EXPECT_EQ(o.value, 1000 + k.c) << k.label;
    EXPECT_EQ(std::string(o.tag, 4), "NEW!") << k.label;
    // The raw buffer holds the record as writing it would have stored it.
    EXPECT_EQ(std::string(raw, 8), RawOf(1000 + k.c, "NEW!")) << k.label;
    EXPECT_EQ(testing::TreeOf(data.Path()), before) << k.label;
  }
}

TEST_F(TFileTest, ReadOnlyAMissingOneRecordFileIsReadFromItsBackupLeftInPlace) {
  WriteFileBytes(Path("MOD4.JBK"), RawOf(44, "SAVE"));
  readOnly = true;
  auto f = Make(rfSingleRecord, "MOD", 0);
  TestObject o = Read(*f, 0, 0, 4);
  EXPECT_EQ(o.value, 44);
  EXPECT_EQ(std::string(o.tag, 4), "SAVE");
  EXPECT_TRUE(newRecords.empty());
  EXPECT_EQ(FolderListing(data.Path()), std::vector<std::string>{"MOD4.JBK"});
}

TEST_F(TFileTest, ReadOnlyWritesAndDeletesAreRefusedBeforeAFileIsTouched) {
  const std::string pad(2, '\0');
  WriteFileBytes(Path("REC.DAT"), std::string(10, 'x') + RawOf(5, "five") + pad);
  WriteFileBytes(Path("MOD2.DAT"), RawOf(7, "one"));
  readOnly = true;
  auto slots = Make(rfWholeFile);
  auto single = Make(rfSingleRecord, "MOD", 0);
  struct Case {
    const char* label;
    TFile& file;
    std::function<void()> change;
    std::string fileName;
  };
  const Case cases[] = {
      {"write a slot", *slots, [&] { Write(*slots, 0, 0, 2, 9); }, "REC.DAT"},
      {"write a new slot", *slots, [&] { Write(*slots, 0, 0, 9, 9); }, "REC.DAT"},
      {"delete a slot", *slots, [&] { slots->DeleteRecord(0, 0, 2); }, "REC.DAT"},
      {"write a one-record file", *single, [&] { Write(*single, 0, 0, 2, 9); }, "MOD2.DAT"},
      {"delete a one-record file", *single, [&] { single->DeleteRecord(0, 0, 2); }, "MOD2.DAT"},
  };
  const auto before = testing::TreeOf(data.Path());
  const int operations = tp.files.Operations();
  for (const Case& k : cases) {
    try {
      k.change();
      ADD_FAILURE() << k.label;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ErrorCode, 5) << k.label;
      const std::string c = k.label == std::string("write a new slot") ? "9" : "2";
      EXPECT_EQ(e.Message(), std::string("Test-Dateifehler\r\n") + kMsgReadOnly + "\r\n(" +
                                 Path(k.fileName) + "," + c + ")")
          << k.label;
    }
  }
  EXPECT_EQ(tp.files.Operations(), operations);
  EXPECT_EQ(testing::TreeOf(data.Path()), before);
  EXPECT_TRUE(newRecords.empty());
}

TEST_F(TFileTest, ReadOnlyAMissingPersonFileIsReportedAsBefore) {
  readOnly = true;
  auto f = Make(rfWholeFile, "PERSONEN");
  f->IsPersonFile = true;
  f->Directory = data.Path() + "KONFIG" + platform::kPathSeparator;
  EXPECT_THROW(Read(*f, 0, 0, 1), EInOutError);
  std::filesystem::create_directories(data.Path() + "KONFIG");
  try {
    Read(*f, 0, 0, 1);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 2);
  }
  ASSERT_EQ(tp.ui.calls.size(), 2u);
  EXPECT_EQ(tp.ui.calls[0].text,
            std::string("Verzeichnis f\xFCr Personenstamm fehlt\r") + kSupportLine);
  EXPECT_EQ(tp.ui.calls[1].text, std::string("Datei f\xFCr Personenstamm fehlt\r") + kSupportLine);
  EXPECT_TRUE(FolderListing(data.Path() + "KONFIG").empty());
}

TEST_F(TFileTest, RecordNumberOutsideTheRangeFailsBeforeTheFileIsTouched) {
  auto f = Make(rfWholeFile);
  f->SelectFile(0, 0, 1);
  const int before = tp.files.Operations();
  for (int32_t c : {0, 21, -1}) {
    try {
      Read(*f, 0, 0, c);
      ADD_FAILURE() << c;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message(), "Test-Dateifehler\rUng\xFCltige Recordnummer\r\n(" + Path("REC.DAT") +
                                 "," + std::to_string(c) + ")");
    }
  }
  EXPECT_THROW(Write(*f, 0, 0, 21, 1), EInOutError);
  EXPECT_EQ(tp.files.Operations(), before);
  EXPECT_TRUE(FolderListing(data.Path()).empty());
}

TEST_F(TFileTest, ErrorTextsBreakTheFirstLineWithCrOnReadAndCrLfOnWrite) {
  auto f = Make(rfWholeFile);
  Write(*f, 0, 0, 1, 1);
  tp.files.FailOperation(1, platform::kAccessDenied);
  try {
    Read(*f, 0, 0, 1);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(),
              "Test-Dateifehler\rDateizugriff verweigert\r\n(" + Path("REC.DAT") + ",1)");
    EXPECT_EQ(e.ErrorCode, 5);
  }
  tp.files.ShortWrite(1);
  try {
    Write(*f, 0, 0, 2, 2);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(),
              "Test-Dateifehler\r\nFehler beim Schreiben\r\n(" + Path("REC.DAT") + ",2)");
  }
}

TEST_F(TFileTest, APersonFileIsNeverCreated) {
  auto f = Make(rfWholeFile, "PERSONEN");
  f->IsPersonFile = true;
  f->Directory = data.Path() + "KONFIG" + platform::kPathSeparator;
  try {
    Read(*f, 0, 0, 1);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 3);
    EXPECT_EQ(e.Message().substr(0, 17), "Test-Dateifehler\r");
  }
  ASSERT_EQ(tp.ui.calls.size(), 1u);
  EXPECT_EQ(tp.ui.calls[0].kind, "ErrorBox");
  EXPECT_EQ(tp.ui.calls[0].text,
            std::string("Verzeichnis f\xFCr Personenstamm fehlt\r") + kSupportLine);
  std::filesystem::create_directories(data.Path() + "KONFIG");
  EXPECT_THROW(Read(*f, 0, 0, 1), EInOutError);
  EXPECT_EQ(tp.ui.calls.back().text,
            std::string("Datei f\xFCr Personenstamm fehlt\r") + kSupportLine);
  EXPECT_THROW(Write(*f, 0, 0, 1, 1), EInOutError);
  EXPECT_TRUE(FolderListing(data.Path() + "KONFIG").empty());
}

TEST_F(TFileTest, NumberFromFileName) {
  auto f = Make(rfSingleRecord, "BVOR");
  EXPECT_EQ(f->NumberFromFileName(data.Path() + "BVOR12.DAT"), 12);
  EXPECT_EQ(f->NumberFromFileName("BVOR7.X.DAT"), 7);
  EXPECT_THROW(f->NumberFromFileName("BVOR.DAT"), EConvertError);
  EXPECT_THROW(f->NumberFromFileName("BVORxy.DAT"), EConvertError);
  EXPECT_THROW(f->NumberFromFileName("BVOR12"), EConvertError);
}

// --- Faults, SQLite's way: fail the n-th operation until the operation completes ---

enum class Fault { kOnce, kPersistent, kShortWrite };

struct FaultCase {
  const char* label;
  uint8_t flags;
  int32_t slot;
};

class TFileFaultTest : public TFileTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(TFileFaultTest, AFailedWriteLeavesEveryOtherRecordReadable) {
  const FaultCase& k = GetParam();
  for (Fault fault : {Fault::kOnce, Fault::kPersistent, Fault::kShortWrite}) {
    for (int n = 1;; ++n) {
      testing::TempFolder folder;
      konfig.DataPath = folder.Path();
      auto f = Make(k.flags, "REC", k.slot);
      Write(*f, 0, 0, 1, 11);
      Write(*f, 0, 0, 3, 33);
      tp.files.ClearFaults();
      if (fault == Fault::kShortWrite) {
        tp.files.ShortWrite(n);
      } else {
        tp.files.FailOperation(n, platform::kAccessDenied, fault == Fault::kPersistent);
      }
      const int injected = tp.files.InjectedFaults();
      bool failed = false;
      try {
        Write(*f, 0, 0, 3, 99);
      } catch (const EInOutError& e) {
        failed = true;
        EXPECT_EQ(e.Message().substr(0, 18), "Test-Dateifehler\r\n") << k.label << n;
      }
      const bool hit = tp.files.InjectedFaults() > injected;
      tp.files.ClearFaults();
      EXPECT_EQ(tp.files.OpenFiles(), 0) << k.label << " fault at " << n;
      if (!hit) {
        EXPECT_FALSE(failed);
        EXPECT_EQ(Read(*f, 0, 0, 3).value, 99) << k.label;
        // Every step of the write was met: open, size or write, close, rename ...
        EXPECT_GE(n, fault == Fault::kShortWrite ? 2 : 4) << k.label;
        break;
      }
      if (!failed) continue;  // a fault the operation did not depend on
      EXPECT_EQ(Read(*f, 0, 0, 1).value, 11) << k.label << " fault at " << n;
      const int32_t three = Read(*f, 0, 0, 3).value;
      if (k.flags & rfSingleRecord) {
        // The file holds the old or the new record, never a part of one.
        EXPECT_TRUE(three == 33 || three == 99) << k.label << " fault at " << n;
        for (const std::string& name : FolderListing(folder.Path())) {
          if (fault != Fault::kPersistent) {
            EXPECT_EQ(name.find(".~"), std::string::npos) << name;
          }
        }
      }
      ASSERT_LT(n, 50);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, TFileFaultTest,
                         ::testing::Values(FaultCase{"slot file", rfWholeFile, 10},
                                           FaultCase{"one-record file", rfSingleRecord, 12}),
                         [](const auto& info) { return info.index == 0 ? "Slots" : "OneRecord"; });

TEST_F(TFileTest, AFailedReadClosesTheFile) {
  auto f = Make(rfWholeFile);
  Write(*f, 0, 0, 1, 11);
  for (int n = 1; n <= 3; ++n) {
    tp.files.FailOperation(n, platform::kReadFault);
    try {
      Read(*f, 0, 0, 1);
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message().substr(0, 17), "Test-Dateifehler\r");
    }
    tp.files.ClearFaults();
    EXPECT_EQ(tp.files.OpenFiles(), 0);
    EXPECT_EQ(Read(*f, 0, 0, 1).value, 11);
  }
}

// --- TFileData ---

class CountingData : public TFileData {
 public:
  explicit CountingData(bool buffered) : TFileData(buffered) {}
  ~CountingData() override { SetBuffered(false); }
  std::unique_ptr<TPersistent> NewInstance() const override {
    return std::make_unique<CountingData>(false);
  }
  void Save() override {
    if (!DeferSave()) ++*saves;
  }
  int* saves = nullptr;
};

TEST(TFileDataTest, DeferredSavesAreWrittenWhenTheModeEnds) {
  int saves = 0;
  {
    CountingData d(true);
    d.saves = &saves;
    d.Save();
    EXPECT_TRUE(d.SavePending);
    EXPECT_EQ(saves, 0);
    d.KeyC = 5;
    d.Loaded = true;
    EXPECT_TRUE(d.IsLoaded(0, 0, 5));
    // Another key: the pending save is written first.
    EXPECT_FALSE(d.IsLoaded(0, 0, 6));
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(d.Loaded);
    d.Save();
    d.Refresh();
    EXPECT_EQ(saves, 2);
    d.Save();
  }  // the destructor writes the last pending save
  EXPECT_EQ(saves, 3);
  CountingData plain(false);
  plain.saves = &saves;
  plain.Save();
  EXPECT_EQ(saves, 4);
  EXPECT_FALSE(plain.IsLoaded(0, 0, -1));
}

TEST(TFileDataTest, AssignCopiesModeAndKeyButNotLoaded) {
  CountingData a(true), b(false);
  a.KeyA = 1;
  a.KeyB = 2;
  a.KeyC = 3;
  a.SavePending = true;
  a.Loaded = true;
  b.Assign(a);
  EXPECT_TRUE(b.Buffered);
  EXPECT_EQ(b.KeyC, 3);
  EXPECT_EQ(b.KeyB, 2);
  EXPECT_TRUE(b.SavePending);
  EXPECT_FALSE(b.Loaded);
  b.SavePending = false;
  a.SavePending = false;
}

}  // namespace
}  // namespace qrv
