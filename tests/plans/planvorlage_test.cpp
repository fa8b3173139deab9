#include "plans/planvorlage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "master/modell.h"
#include "plans/plan.h"
#include "platform/read_only.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

constexpr char kSep = platform::kPathSeparator;

class Bytes {
 public:
  explicit Bytes(size_t n = kPlanvorlRawSize) : b_(n, '\0') {}
  Bytes& U8(size_t at, uint8_t v) {
    b_.at(at) = static_cast<char>(v);
    return *this;
  }
  Bytes& Int(size_t at, int64_t v, int n) {
    for (int i = 0; i < n; ++i)
      U8(at + i, static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i)));
    return *this;
  }
  Bytes& Str(size_t at, const std::string& s) {
    U8(at, static_cast<uint8_t>(s.size()));
    for (size_t i = 0; i < s.size(); ++i) U8(at + 1 + i, static_cast<uint8_t>(s[i]));
    return *this;
  }
  // List entry i (1..100) at its slot: 16-bit for 1 to 10, else 32-bit.
  Bytes& Eintrag(int i, int32_t v) {
    return i <= 10 ? Int(93 + 44 * static_cast<size_t>(i - 1), v, 2)
                   : Int(498 + 4 * static_cast<size_t>(i - 11), v, 4);
  }
  Bytes& Kopf(uint8_t art, int32_t modell, int16_t anzahl) {
    return U8(493, art).Int(494, modell, 4).Int(491, anzahl, 2);
  }
  std::string& str() { return b_; }
  const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(b_.data()); }

 private:
  std::string b_;
};

std::vector<int32_t> Liste(const TPlanvorlageRec& r) {
  std::vector<int32_t> out;
  for (int32_t i = 0; i < r.Anzahl; ++i) out.push_back(r.Modelle[i]);
  return out;
}

std::vector<int> Flags(const TPlanvorlageRec& r) {
  std::vector<int> out;
  for (int32_t i = 0; i < r.Anzahl; ++i) out.push_back(r.Markiert[i]);
  return out;
}

// --- Stored record ---

class PlanvorlRecordTest : public ::testing::Test {
 protected:
  TPlanvorlageRec Decode(const Bytes& b) {
    TPlanvorlageRec r;
    std::memset(&r, 0x5A, sizeof r);
    PlanvorlRawToObject(b.data(), r, locale);
    return r;
  }
  platform::TableLocale locale;
};

TEST_F(PlanvorlRecordTest, DecodesBothSlotWidthsCompactsZerosAndFlagsNegatives) {
  Bytes b;
  b.Str(0, "  Fr\x81hschicht ").Kopf(2, 70000, 13);
  b.Eintrag(1, 4).Eintrag(2, 0).Eintrag(3, -5).Eintrag(10, 32767);
  b.Eintrag(11, 70000).Eintrag(12, 0).Eintrag(13, -100000);
  b.Eintrag(14, 99);  // beyond the stored count
  const TPlanvorlageRec r = Decode(b);
  EXPECT_EQ(PlanvorlName(r), "Fr\xFChschicht");  // OEM to ANSI, trimmed
  EXPECT_EQ(r.Art, 2);
  EXPECT_EQ(r.Anzahl, 5);
  EXPECT_EQ(Liste(r), (std::vector<int32_t>{4, 5, 32767, 70000, 100000}));
  EXPECT_EQ(Flags(r), (std::vector<int>{0, 1, 0, 0, 1}));
  EXPECT_EQ(r.Modell, 70000);
}

TEST_F(PlanvorlRecordTest, MalformedRecordsGiveDefinedResults) {
  struct Case {
    const char* label;
    Bytes bytes;
    int32_t anzahl;
    int32_t modell;
    size_t nameLength;
  };
  const auto listed = [](int16_t count, int entries) {
    Bytes b;
    b.Kopf(0, 1, count);
    for (int i = 1; i <= entries; ++i) b.Eintrag(i, i);
    return b;
  };
  Bytes longName = listed(1, 1);
  longName.U8(0, 51);
  for (size_t i = 1; i <= 60; ++i) longName.U8(i, 'x');
  Bytes maxName = listed(1, 1);
  maxName.Str(0, std::string(50, 'y'));
  Bytes empty;
  const std::vector<Case> cases = {
      {"count 100", listed(100, 100), 100, 1, 0},
      {"count 101 reads 100", listed(101, 100), 100, 1, 0},
      {"count 32767 reads 100", listed(32767, 100), 100, 1, 0},
      {"negative count reads none", listed(-1, 5), 0, 0, 0},
      {"name length 50", maxName, 1, 1, 50},
      {"name length 51 reads 50", longName, 1, 1, 50},
      {"all zero: model 0 becomes 1, unlisted, so 0", empty, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const TPlanvorlageRec r = Decode(c.bytes);
    EXPECT_EQ(r.Anzahl, c.anzahl) << c.label;
    EXPECT_EQ(r.Modell, c.modell) << c.label;
    EXPECT_EQ(r.Name[0], c.nameLength) << c.label;
  }
  // A 32-bit entry without a positive counterpart stays the largest value, flagged.
  Bytes extreme;
  extreme.Kopf(0, 1, 11).Eintrag(1, 1).Eintrag(11, INT32_MIN);
  const TPlanvorlageRec r = Decode(extreme);
  EXPECT_EQ(Liste(r), (std::vector<int32_t>{1, INT32_MAX}));
  EXPECT_EQ(Flags(r), (std::vector<int>{0, 1}));
}

TEST_F(PlanvorlRecordTest, KeepsTheModelOnlyWhenListed) {
  Bytes listed;
  listed.Kopf(0, 7, 2).Eintrag(1, 3).Eintrag(2, -7);
  EXPECT_EQ(Decode(listed).Modell, 7);  // a flagged entry counts by its absolute value
  Bytes unlisted;
  unlisted.Kopf(0, 8, 2).Eintrag(1, 3).Eintrag(2, 7);
  EXPECT_EQ(Decode(unlisted).Modell, 0);
  Bytes zero;
  zero.Kopf(0, 0, 1).Eintrag(1, 1);
  EXPECT_EQ(Decode(zero).Modell, 1);
}

TEST_F(PlanvorlRecordTest, EncodesByTheTableAndRoundTrips) {
  TPlanvorlageRec r{};
  SetPlanvorlName(r, "Sp\xE4t");
  r.Art = 2;
  r.Modell = 12;
  r.Anzahl = 12;
  for (int i = 0; i < 12; ++i) r.Modelle[i] = 10 + i;
  r.Markiert[1] = 1;
  r.Markiert[11] = 1;
  r.Markiert[20] = 1;  // beyond the list: not stored
  Bytes got;
  std::fill(got.str().begin(), got.str().end(), '\x33');
  PlanvorlObjectToRaw(r, reinterpret_cast<uint8_t*>(got.str().data()), locale);
  Bytes want;
  want.Str(0, "Sp\x84t").Kopf(2, 12, 12);
  for (int i = 1; i <= 12; ++i) want.Eintrag(i, (i == 2 || i == 12) ? -(9 + i) : 9 + i);
  EXPECT_EQ(got.str(), want.str());
  const TPlanvorlageRec back = Decode(got);
  EXPECT_EQ(Liste(back), Liste(r));
  EXPECT_EQ(Flags(back), Flags(r));
  EXPECT_EQ(back.Modell, 12);
  // Other kinds store flagged entries as they are.
  r.Art = 0;
  PlanvorlObjectToRaw(r, reinterpret_cast<uint8_t*>(got.str().data()), locale);
  EXPECT_EQ(got.str()[93 + 44], 11);
}

// --- Template objects ---

class PlanvorlageTest : public ::testing::Test {
 protected:
  PlanvorlageTest() : konfig(tp.Get(), reported) {
    konfig.DataPath = data.Path();
    file = std::make_unique<TPlanvorlFile>(tp.Get(), konfig);
    tp.files.CreateFolders(data.Path() + "SCHPLAN" + kSep);
  }
  std::string Path(int n) const {
    return data.Path() + "SCHPLAN" + kSep + "GSPL" + std::to_string(n) + ".DAT";
  }
  void Store(int n, const std::string& bytes) { WriteFileBytes(Path(n), bytes); }
  static std::string Stored(const std::string& name, uint8_t art, int32_t modell,
                            std::initializer_list<int32_t> liste) {
    Bytes b;
    b.Str(0, name).Kopf(art, modell, static_cast<int16_t>(liste.size()));
    int i = 1;
    for (int32_t v : liste) b.Eintrag(i++, v);
    return b.str();
  }
  TPlanvorlageRec StoredRec(int n) {
    TPlanvorlageRec r{};
    std::string full = ReadFileBytes(Path(n)).substr(0, kPlanvorlRawSize);
    full.resize(kPlanvorlRawSize, '\0');
    PlanvorlRawToObject(reinterpret_cast<const uint8_t*>(full.data()), r, tp.locale);
    return r;
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig konfig;
  std::unique_ptr<TPlanvorlFile> file;
};

TEST_F(PlanvorlageTest, TheFileIsOneTemplatePerFileInSchplan) {
  EXPECT_EQ(file->BuildFileName(0, 0, 12), Path(12));
  EXPECT_EQ(file->Caption, "Planvorlagen");
  EXPECT_EQ(file->ObjectSize, 560);
}

TEST_F(PlanvorlageTest, AShortFileReadsAsFarAsItGoes) {
  std::string bytes = Stored("Kurz", 0, 3, {3, 4});
  Store(6, bytes.substr(0, 493));  // ends before Art: Art and Modell read as 0
  TPlanvorlage v(*file);
  v.LadeVorlage(6);
  EXPECT_EQ(Liste(v.Rec), (std::vector<int32_t>{3, 4}));
  // Modell 0 reads as 1, which is not listed: repaired to the last entry.
  EXPECT_EQ(v.Rec.Modell, 4);
  EXPECT_EQ(PlanvorlName(v.Rec), "AErrorKurz");
  EXPECT_EQ(ReadFileBytes(Path(6)).size(), 10000u);
}

// A template file is the 858-byte record followed by zeros up to 10000 bytes. Files of 858 bytes
// (and full ones) read the same; every write gives the full size.
TEST_F(PlanvorlageTest, FilesAreWrittenAtTenThousandBytes) {
  const std::string record = Stored("Voll", 0, 3, {2, 3});
  struct Case {
    const char* label;
    std::string stored;
  };
  const Case cases[] = {
      {"858 bytes", record},
      {"10000 bytes", record + std::string(10000 - 858, '\0')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Store(8, c.stored);
    file->Invalidate("", false);
    TPlanvorlage v(*file);
    v.LadeVorlage(8);
    EXPECT_EQ(PlanvorlName(v.Rec), "Voll");
    EXPECT_EQ(Liste(v.Rec), (std::vector<int32_t>{2, 3}));
    v.Save();
    EXPECT_EQ(ReadFileBytes(Path(8)), record + std::string(10000 - 858, '\0'));
  }
  // A template created as a copy of template 1001 is written at full size too.
  Store(1001, record);
  TPlanvorlage kopie(*file);
  kopie.LadeVorlage(1005);
  const std::string written = ReadFileBytes(Path(1005));
  ASSERT_EQ(written.size(), 10000u);
  EXPECT_EQ(written.find_first_not_of('\0', 858), std::string::npos);
}

TEST_F(PlanvorlageTest, AMissingModelTemplateIsCopiedFromTemplate1001) {
  Store(1001, Stored("Basis", 0, 1, {1, 2}));
  TPlanvorlage v(*file);
  v.LadeVorlage(1005);
  EXPECT_TRUE(v.Loaded);
  EXPECT_EQ(PlanvorlName(v.Rec), "AutoKopie von Basis");
  EXPECT_EQ(v.Rec.Modell, 5);
  EXPECT_EQ(v.Rec.Modelle[0], 5);
  const TPlanvorlageRec stored = StoredRec(1005);
  EXPECT_EQ(PlanvorlName(stored), "AutoKopie von Basis");
  EXPECT_EQ(stored.Modell, 5);
  EXPECT_EQ(Liste(stored), (std::vector<int32_t>{5, 2}));
  // Below 1000 the copy keeps template 1001's model.
  TPlanvorlage w(*file);
  w.LadeVorlage(7);
  EXPECT_EQ(w.Rec.Modell, 1);
  EXPECT_TRUE(std::filesystem::exists(Path(7)));
}

TEST_F(PlanvorlageTest, AnUnlistedModelIsRepairedOnceAndWrittenBack) {
  Store(9, Stored("Kaputt", 0, 8, {3, 6}));
  TPlanvorlage v(*file);
  v.LadeVorlage(9);
  EXPECT_EQ(v.Rec.Modell, 6);
  EXPECT_EQ(PlanvorlName(v.Rec), "AErrorKaputt");
  EXPECT_EQ(StoredRec(9).Modell, 6);
  // A name that already carries the prefix keeps it once.
  Store(9, Stored("AErrorKaputt", 0, 8, {3}));
  file->Invalidate("", false);
  v.LadeVorlage(9);
  EXPECT_EQ(PlanvorlName(v.Rec), "AErrorKaputt");
  // Above 1000 the model is the template's own; an empty list gets it.
  Store(1012, Stored("Leer", 0, 4, {}));
  v.LadeVorlage(1012);
  EXPECT_EQ(v.Rec.Modell, 12);
  EXPECT_EQ(Liste(v.Rec), (std::vector<int32_t>{12}));
  // Neither the template nor 1001: an empty record is repaired to model 1, named "AError".
  TPlanvorlage neu(*file);
  neu.LadeVorlage(44);
  EXPECT_EQ(neu.Rec.Modell, 1);
  EXPECT_EQ(PlanvorlName(neu.Rec), "AError");
  EXPECT_EQ(StoredRec(44).Modell, 1);
}

TEST_F(PlanvorlageTest, ReadOnlyCopiesAndRepairsAreAnsweredFromMemoryOnly) {
  Store(1001, Stored("Basis", 0, 1, {1, 2}));
  Store(9, Stored("Kaputt", 0, 8, {3, 6}));
  platform::ReadOnlyFileSystem readOnly(tp.files);
  platform::Platform p = tp.Get();
  p.files = &readOnly;
  TPlanvorlFile roFile(p, konfig);
  const auto before = testing::TreeOf(data.Path());
  TPlanvorlage copy(roFile);
  copy.LadeVorlage(1005);
  EXPECT_TRUE(copy.Loaded);
  EXPECT_EQ(PlanvorlName(copy.Rec), "AutoKopie von Basis");
  EXPECT_EQ(copy.Rec.Modell, 5);
  EXPECT_EQ(Liste(copy.Rec), (std::vector<int32_t>{5, 2}));
  TPlanvorlage repaired(roFile);
  repaired.LadeVorlage(9);
  EXPECT_EQ(repaired.Rec.Modell, 6);
  EXPECT_EQ(PlanvorlName(repaired.Rec), "AErrorKaputt");
  EXPECT_EQ(testing::TreeOf(data.Path()), before);
  // Neither the template nor 1001 on file: repaired in memory to model 1.
  std::filesystem::remove(Path(1001));
  const auto without1001 = testing::TreeOf(data.Path());
  TPlanvorlage neu(roFile);
  neu.LadeVorlage(44);
  EXPECT_EQ(neu.Rec.Modell, 1);
  EXPECT_EQ(PlanvorlName(neu.Rec), "AError");
  EXPECT_EQ(testing::TreeOf(data.Path()), without1001);
  EXPECT_THROW(copy.Save(), EInOutError);
  EXPECT_THROW(repaired.Loeschen(), EInOutError);
  EXPECT_EQ(testing::TreeOf(data.Path()), without1001);
}

TEST_F(PlanvorlageTest, NumbersOutsideTheRangeFailWithTheCaption) {
  for (int n : {0, 10000, -1}) {
    TPlanvorlage v(*file);
    try {
      v.LadeVorlage(n);
      ADD_FAILURE() << n;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message().rfind("Planvorlagen-Dateifehler", 0), 0u) << e.Message();
      EXPECT_NE(e.Message().find(kMsgBadRecord), std::string::npos) << n;
    }
  }
}

TEST_F(PlanvorlageTest, ExistiertAndLoeschenWorkOnTheTemplatesFile) {
  Store(3, Stored("Drei", 0, 3, {3}));
  TPlanvorlage v(*file);
  v.LadeVorlage(3);
  EXPECT_TRUE(v.Existiert());
  v.Loeschen();
  EXPECT_FALSE(std::filesystem::exists(Path(3)));
  EXPECT_TRUE(v.Existiert());  // the backup still counts
}

class ListeTest : public PlanvorlageTest {
 protected:
  ListeTest() : v(*file) {}
  void Setze(const std::vector<int32_t>& liste) {
    v.Rec = TPlanvorlageRec{};
    for (int32_t m : liste) v.Rec.Modelle[v.Rec.Anzahl++] = m;
  }
  TPlanvorlage v;
};

TEST_F(ListeTest, ModellEinfuegenInsertsAfterPosOrMovesAListedModel) {
  struct Case {
    const char* label;
    std::vector<int32_t> vorher;
    int32_t modell;
    int32_t pos;
    bool placed;
    std::vector<int32_t> nachher;
    int32_t posNachher;
  };
  const std::vector<Case> cases = {
      {"in front", {1, 2}, 9, 0, true, {9, 1, 2}, 1},
      {"after the last", {1, 2}, 9, 2, true, {1, 2, 9}, 3},
      {"into an empty list", {}, 9, 0, true, {9}, 1},
      {"pos beyond the list", {1, 2}, 9, 3, false, {1, 2}, 3},
      {"negative pos", {1, 2}, 9, -1, false, {1, 2}, -1},
      {"moved forward", {1, 2, 3, 4}, 4, 1, true, {1, 4, 2, 3}, 2},
      {"moved back", {1, 2, 3, 4}, 1, 3, true, {2, 3, 1, 4}, 3},
      {"after itself", {1, 2, 3}, 2, 2, true, {1, 2, 3}, 2},
      {"duplicates merged", {5, 5, 1}, 5, 3, true, {1, 5}, 2},
  };
  for (const Case& c : cases) {
    Setze(c.vorher);
    int32_t pos = c.pos;
    EXPECT_EQ(v.ModellEinfuegen(c.modell, pos), c.placed) << c.label;
    EXPECT_EQ(Liste(v.Rec), c.nachher) << c.label;
    EXPECT_EQ(pos, c.posNachher) << c.label;
  }
}

TEST_F(ListeTest, AFullListRefusesANewModelButMovesAListedOne) {
  Setze({});
  for (int32_t m = 1; m <= 100; ++m) v.Rec.Modelle[v.Rec.Anzahl++] = m;
  int32_t pos = 0;
  EXPECT_FALSE(v.ModellEinfuegen(101, pos));
  EXPECT_EQ(v.Rec.Anzahl, 100);
  EXPECT_EQ(v.Rec.Modelle[0], 1);
  EXPECT_EQ(v.Rec.Modelle[99], 100);
  EXPECT_TRUE(v.ModellEinfuegen(100, pos));
  EXPECT_EQ(v.Rec.Anzahl, 100);
  EXPECT_EQ(v.Rec.Modelle[0], 100);
  EXPECT_EQ(v.Rec.Modelle[99], 99);
}

TEST_F(ListeTest, ModellEntfernenClosesTheGapAndLeavesTheFlags) {
  struct Case {
    const char* label;
    int32_t pos;
    std::vector<int32_t> nachher;
    int32_t posNachher;
  };
  for (const Case& c : {Case{"first", 1, {2, 3}, 1}, Case{"last", 3, {1, 2}, 2},
                        Case{"beyond", 4, {1, 2, 3}, 3}, Case{"zero", 0, {1, 2, 3}, 0}}) {
    Setze({1, 2, 3});
    v.Rec.Markiert[0] = 1;
    int32_t pos = c.pos;
    v.ModellEntfernen(pos);
    EXPECT_EQ(Liste(v.Rec), c.nachher) << c.label;
    EXPECT_EQ(pos, c.posNachher) << c.label;
    EXPECT_EQ(v.Rec.Markiert[0], 1) << c.label;
    EXPECT_EQ(v.Rec.Modelle[2], c.nachher.size() == 3 ? 3 : 0) << c.label;
  }
  Setze({});
  int32_t pos = 1;
  v.ModellEntfernen(pos);
  EXPECT_EQ(v.Rec.Anzahl, 0);
  EXPECT_EQ(pos, 0);
}

// --- The calendar of a kind-1 template and the models' own templates ---

class KalenderTest : public PlanvorlageTest {
 protected:
  KalenderTest() {
    mplan = std::make_unique<TMPlanFile>(tp.Get(), konfig);
    splan = std::make_unique<TSPlanFile>(tp.Get(), konfig);
    modelle = std::make_unique<TModellFile>(tp.Get(), konfig);
    kalender = std::make_unique<TFeiertage>(tp.Get());
  }
  TPlanDateien Dateien() { return {*mplan, *splan, *file, *modelle, *kalender}; }
  std::string ModellPath(int n) const {
    return data.Path() + "SCHMOD" + kSep + "SMOD" + std::to_string(n) + ".DAT";
  }

  std::unique_ptr<TMPlanFile> mplan;
  std::unique_ptr<TSPlanFile> splan;
  std::unique_ptr<TModellFile> modelle;
  std::unique_ptr<TFeiertage> kalender;
};

TEST_F(KalenderTest, AKindOneTemplateCreatesAMissingCalendarMonthFromItsModel) {
  Store(5, Stored("Kalender", 1, 3, {3, 4}));
  TPlanvorlage v(Dateien());
  v.LadeVorlage(5);
  EXPECT_EQ(v.GetModell(2025, 2, 14), 3);
  const std::string ep = data.Path() + "2025" + kSep + "EP100005.DAT";
  const std::string stored = ReadFileBytes(ep);
  ASSERT_EQ(stored.size(), 2u * 85);
  for (int d = 0; d < 31; ++d) {
    EXPECT_EQ(stored[85 + 2 * d], d < 28 ? 3 : 0) << d;  // February has 28 days
  }
  EXPECT_EQ(v.GetModell(2025, 2, 0), 0);
  // The calendar's own days answer, once written.
  std::string changed = stored;
  changed[85 + 2 * 9] = 4;
  WriteFileBytes(ep, changed);
  mplan->Invalidate("", false);
  TPlanvorlage w(Dateien());
  w.LadeVorlage(5);
  EXPECT_EQ(w.GetModell(2025, 2, 10), 4);
  EXPECT_EQ(w.GetModell(2025, 2, 11), 3);
  // Without plan files a calendar cannot be asked.
  TPlanvorlage ohne(*file);
  ohne.LadeVorlage(5);
  EXPECT_THROW(ohne.GetModell(2025, 2, 10), Exception);
  ohne.Rec.Art = 0;
  EXPECT_EQ(ohne.GetModell(2025, 2, 10), 3);
}

TEST_F(KalenderTest, SavingAModelMaintainsItsTemplate) {
  tp.files.CreateFolders(data.Path() + "SCHMOD" + kSep);
  Bytes m(3000);
  m.Str(0, "Gleitzeit").Str(51, "20040101");
  WriteFileBytes(ModellPath(5), m.str());
  Store(1001, Stored("Basis", 0, 1, {1}));
  TModell modell(*modelle, *kalender, *file);
  modell.Load(5);
  modell.Save();
  TPlanvorlageRec r = StoredRec(1005);
  EXPECT_EQ(PlanvorlName(r), "Gleitzeit");
  EXPECT_EQ(r.Modell, 5);
  EXPECT_EQ(Liste(r), (std::vector<int32_t>{5}));
  // The template keeps its list; the model is added unflagged.
  Store(1005, Stored("alt", 2, 7, {7, -8}));
  file->Invalidate("", false);
  modell.Save();
  r = StoredRec(1005);
  EXPECT_EQ(PlanvorlName(r), "Gleitzeit");
  EXPECT_EQ(r.Modell, 5);
  EXPECT_EQ(Liste(r), (std::vector<int32_t>{7, 8, 5}));
  EXPECT_EQ(Flags(r), (std::vector<int>{0, 1, 0}));
  // A model without versions takes its template away.
  modell.Clear();
  modell.Save();
  EXPECT_FALSE(std::filesystem::exists(Path(1005)));
  // Without the template file the model writes no template.
  TModell ohne(*modelle, *kalender);
  WriteFileBytes(ModellPath(6), m.str());
  ohne.Load(6);
  ohne.Save();
  EXPECT_FALSE(std::filesystem::exists(Path(1006)));
}

}  // namespace
}  // namespace qrv
