#include "master/person_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../files/record_kinds.h"
#include "master/person.h"
#include "util/datetime.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

constexpr int32_t kPersons = 10;  // a small file keeps the rebuilds short

class PersonFileTest : public testing::RecordFileTest {
 protected:
  PersonFileTest() {
    konfig.KonfigDir = data.Path() + "KONFIG" + platform::kPathSeparator;
    konfig.VerwJahreMin = 2000;
    konfig.AuswOffset = -1;
  }

  std::string DatPath() const { return konfig.KonfigDir + "PERSONEN.DAT"; }
  std::string IndexPath(int i) const { return konfig.KonfigDir + "PERSONEN.X" + std::to_string(i); }

  void MakeFile(const std::string& bytes = "") {
    std::filesystem::create_directories(konfig.KonfigDir);
    WriteFileBytes(DatPath(), bytes);
  }

  std::unique_ptr<TPersonFile> Open() {
    auto f = std::make_unique<TPersonFile>(tp.Get(), konfig);
    f->MaxRecord = f->HighRecord = kPersons;
    return f;
  }

  // The stored slot of a person, straight from the disk.
  std::string Slot(int32_t nr) const {
    return ReadFileBytes(DatPath()).substr(static_cast<size_t>(nr) * kPersonRawSize,
                                           kPersonRawSize);
  }

  std::vector<int32_t> IndexEntries(int i) const {
    const std::string bytes = ReadFileBytes(IndexPath(i));
    std::vector<int32_t> entries;
    EXPECT_TRUE(DecodeIndexFile(bytes.data(), bytes.size(), kPersons, &entries)) << i;
    return entries;
  }

  int ProgressRuns() const {
    return static_cast<int>(
        std::count_if(tp.ui.calls.begin(), tp.ui.calls.end(),
                      [](const testing::RecordingUi::Call& c) { return c.kind == "Progress"; }));
  }

  // A person stored by hand: name, in use, badge.
  static std::string StoredPerson(const std::string& name, bool belegt, int32_t badge) {
    std::string raw(kPersonRawSize, '\0');
    raw[0] = static_cast<char>(name.size());
    std::memcpy(&raw[1], name.data(), name.size());
    raw[227] = belegt ? 1 : 0;
    testing::PutLE32(&raw[1391], badge);
    testing::PutLE32(&raw[1395], 1001);
    raw[838] = '\x77';  // a reserved byte
    return raw;
  }
};

TEST_F(PersonFileTest, TheFirstReadOfAnEmptyFileCreatesEveryPersonAndBuildsTheIndexes) {
  MakeFile();
  auto f = Open();
  TPerson p(f.get());
  p.Load(7);
  EXPECT_EQ(GetShort(p.Rec.Name), "_0007");
  EXPECT_EQ(p.Rec.PersNr, 7);
  EXPECT_EQ(p.Rec.BerVorNr, 1);
  EXPECT_EQ(p.Rec.VorlageNr, 1001);
  EXPECT_EQ(p.Rec.Eintritt, EncodeDate(2026, 12, 1));
  EXPECT_EQ(p.Rec.GruppeNr, -1);
  EXPECT_EQ(p.KeyC, 7);
  EXPECT_EQ(ProgressRuns(), 1);
  ASSERT_EQ(tp.ui.calls.front(), (testing::RecordingUi::Call{"Progress", "Erstelle Index "}));
  EXPECT_EQ(ReadFileBytes(DatPath()).size(), static_cast<size_t>(kPersons + 1) * kPersonRawSize);
  // Slot 7 was written at once, in the stored layout.
  const std::string seven = Slot(7);
  EXPECT_EQ(seven.substr(0, 6), "\x05_0007");
  EXPECT_EQ(testing::GetLE32(&seven[1395]), 1001);
  EXPECT_EQ(testing::GetLE32(&seven[1408]), 1);
  EXPECT_EQ(static_cast<uint8_t>(seven[362]) | static_cast<uint8_t>(seven[363]) << 8, 2026);
  EXPECT_EQ(seven[364], 12);
  EXPECT_EQ(seven[365], 1);
  EXPECT_EQ(seven.substr(255, 2), "-1");
  // Person 1 is the supervisor, in use, with every permission.
  p.Load(1);
  EXPECT_EQ(GetShort(p.Rec.Name), "Supervisor");
  EXPECT_EQ(p.Rec.Belegt, 1);
  EXPECT_EQ(p.Rec.Rechte3, (std::array<uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Slot(1).substr(248, 6), std::string(6, '\xFF'));
  for (int i = 0; i < kPersonOrders; ++i) {
    EXPECT_EQ(IndexEntries(i), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10})) << i;
  }
}

TEST_F(PersonFileTest, WritesKeepTheIndexesInOrderAndTheStoredBytesTheyDoNotTouch) {
  std::string bytes(kPersonRawSize, '\0');
  for (int32_t nr = 1; nr <= kPersons; ++nr) {
    bytes += StoredPerson("P" + std::to_string(nr), nr <= 3, 0);
  }
  MakeFile(bytes);
  auto f = Open();
  TPerson p(f.get(), false);
  p.Load(2);
  EXPECT_EQ(p.Rec.AusweisNr, 2) << "badge 0 reads as the number";
  SetShort(p.Rec.Name, "Zander");
  p.Save();
  p.Load(9);
  p.Rec.Belegt = 1;
  SetShort(p.Rec.Name, "Abel");
  p.Save();
  EXPECT_EQ(IndexEntries(2), (std::vector<int32_t>{9, 1, 3, 2, 10, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Slot(9)[838], '\x77') << "a byte the conversion does not write";
  EXPECT_EQ(Slot(9).substr(0, 5),
            "\x04"
            "Abel");
  // Another file object on the same data sees the change.
  auto g = Open();
  TPerson q(g.get());
  q.Load(9);
  EXPECT_EQ(GetShort(q.Rec.Name), "Abel");
  EXPECT_EQ(ProgressRuns(), 1) << "the saved indexes are loaded, not rebuilt";
}

TEST_F(PersonFileTest, AMissingFolderOrFileIsReportedAndNeverCreated) {
  {
    auto f = Open();
    TPerson p(f.get());
    EXPECT_THROW(p.Load(1), Exception);
    ASSERT_FALSE(tp.ui.calls.empty());
    EXPECT_EQ(tp.ui.calls.front().kind, "ErrorBox");
    EXPECT_EQ(tp.ui.calls.front().text.rfind("Verzeichnis f\xFCr Personenstamm fehlt", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(konfig.KonfigDir));
  }
  tp.ui.calls.clear();
  std::filesystem::create_directories(konfig.KonfigDir);
  auto f = Open();
  TPerson p(f.get());
  EXPECT_THROW(p.Load(1), Exception);
  const testing::RecordingUi::Call box{
      "ErrorBox", std::string("Datei f\xFCr Personenstamm fehlt\r") + kSupportLine};
  EXPECT_NE(std::find(tp.ui.calls.begin(), tp.ui.calls.end(), box), tp.ui.calls.end());
  EXPECT_FALSE(std::filesystem::exists(DatPath()));
}

TEST_F(PersonFileTest, ATruncatedIndexOrAShortFileIsRebuilt) {
  // Two stored persons, then a slot cut short.
  std::string bytes(kPersonRawSize, '\0');
  bytes += StoredPerson("Zorn", true, 0);
  bytes += StoredPerson("Adam", true, 0);
  bytes += std::string(1000, 'x');
  MakeFile(bytes);
  {
    auto f = Open();
    TPerson p(f.get());
    p.Load(3);
    EXPECT_EQ(GetShort(p.Rec.Name), "_0003");
    EXPECT_EQ(IndexEntries(2).front(), 2);
  }
  EXPECT_EQ(ReadFileBytes(DatPath()).size(), static_cast<size_t>(kPersons + 1) * kPersonRawSize);
  WriteFileBytes(IndexPath(4), ReadFileBytes(IndexPath(4)).substr(0, 10));
  auto f = Open();
  TPerson p(f.get());
  p.Load(1);
  EXPECT_EQ(GetShort(p.Rec.Name), "Zorn");
  EXPECT_EQ(ProgressRuns(), 2);
  EXPECT_EQ(IndexEntries(4).size(), static_cast<size_t>(kPersons));
}

TEST_F(PersonFileTest, PersonsCopyAndAPersonWithoutFileRaises) {
  MakeFile();
  auto f = Open();
  TPerson a(f.get());
  a.Load(1);
  TPerson b;
  b.Assign(a);
  EXPECT_EQ(GetShort(b.Rec.Name), "Supervisor");
  EXPECT_EQ(b.Raw, a.Raw);
  EXPECT_EQ(b.KeyC, 1);
  try {
    b.Load(2);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), kMsgNoPersonFile);
  }
  // A held-back save writes nothing until the deferred mode ends.
  SetShort(a.Rec.Name, "Chef");
  a.Save();
  EXPECT_EQ(Slot(1).substr(0, 11), "\x0aSupervisor");
  a.SetBuffered(false);
  EXPECT_EQ(Slot(1).substr(0, 5),
            "\x04"
            "Chef");
}

TEST_F(PersonFileTest, APersonListFollowsItsSortOrder) {
  std::string bytes(kPersonRawSize, '\0');
  bytes += StoredPerson("Berg", true, 30);
  bytes += StoredPerson("Adam", true, 20);
  bytes += StoredPerson("Aaron", false, 10);
  MakeFile(bytes);
  auto f = Open();
  TPersonList list(*tp.Get().locale, *f);
  EXPECT_EQ(list.SortOrder(), 2);
  for (int32_t nr = 1; nr <= 3; ++nr) {
    auto p = std::make_unique<TPerson>(f.get());
    p->Load(nr);
    list.AddObject("", std::move(p));
  }
  auto order = [&] {
    std::vector<int32_t> nrs;
    for (int32_t i = 0; i < list.Count(); ++i) {
      nrs.push_back(static_cast<TPerson*>(list.Objects(i))->Rec.PersNr);
    }
    return nrs;
  };
  EXPECT_EQ(order(), (std::vector<int32_t>{2, 1, 3})) << "names, used first";
  list.SetSortOrder(0);
  EXPECT_EQ(order(), (std::vector<int32_t>{2, 1, 3})) << "badges, used first";
  static_cast<TPerson*>(list.Objects(0))->Rec.AusweisNr = 40;
  list.SetSortOrder(0);
  EXPECT_EQ(order(), (std::vector<int32_t>{1, 2, 3})) << "sorted again";
}

}  // namespace
}  // namespace qrv
