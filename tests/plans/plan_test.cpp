#include "plans/plan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "files/file_io.h"
#include "master/modell.h"
#include "master/person.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

constexpr char kSep = platform::kPathSeparator;

// Stored bytes written field by field at the offsets of the stored layouts.
class Bytes {
 public:
  explicit Bytes(size_t n) : b_(n, '\0') {}
  Bytes& U8(size_t at, uint8_t v) {
    b_.at(at) = static_cast<char>(v);
    return *this;
  }
  Bytes& Int(size_t at, uint64_t v, int n) {
    for (int i = 0; i < n; ++i) U8(at + i, static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Bytes& Str(size_t at, const std::string& s) {
    U8(at, static_cast<uint8_t>(s.size()));
    for (size_t i = 0; i < s.size(); ++i) U8(at + 1 + i, static_cast<uint8_t>(s[i]));
    return *this;
  }
  const std::string& str() const { return b_; }
  const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(b_.data()); }

 private:
  std::string b_;
};

uint32_t Tage(std::initializer_list<int> tage) {
  uint32_t set = 0;
  for (int d : tage) set |= 1u << d;
  return set;
}

// A stored model version starting 2004-01-01 whose weekday n has a Soll of n * factor hours
// and whose holiday profile 1 hour; account window 7 of every profile has kind kind7.
std::string StoredModell(const std::string& name, int factor, uint8_t kind7 = 0) {
  Bytes b(3000);
  b.Str(0, name).Str(51, "20040101");
  for (int n = 1; n <= 8; ++n) {
    const size_t p = 69 + 312 * static_cast<size_t>(n - 1);
    b.U8(p + 2, static_cast<uint8_t>(n == 8 ? 1 : n * factor));
    if (kind7 != 0) {
      b.U8(p + 246 + 7, kind7).Int(p + 165 + 14, 8 * 60, 2).Int(p + 205 + 14, 9 * 60, 2);
      b.U8(p + 266 + 7, 30);
    }
  }
  return b.str();
}

// A stored plan template: kind, model and the list (16-bit slots 1 to 10 only).
std::string StoredVorlage(const std::string& name, uint8_t art, int32_t modell,
                          std::initializer_list<int16_t> liste) {
  Bytes b(858);
  b.Str(0, name).U8(493, art).Int(494, static_cast<uint32_t>(modell), 4);
  int i = 0;
  for (int16_t v : liste) b.Int(93 + 44 * static_cast<size_t>(i++), static_cast<uint16_t>(v), 2);
  b.Int(491, static_cast<uint16_t>(i), 2);
  return b.str();
}

// --- Stored records ---

TEST(MPlanRecord, DecodesModelAndCodeBitsAndBothDaySets) {
  Bytes b(kMPlanRawSize);
  b.Int(0, 5 | (3 << 10), 2);      // day 1: model 5, code 9003
  b.Int(2, 1023 | (63 << 10), 2);  // day 2: model 1023, code 9063
  b.Int(60, 7, 2);                 // day 31: model 7, no code
  b.Int(62, Tage({1, 4}), 4);      // set by hand
  b.Int(66, Tage({2, 4}), 4);      // shift days
  b.U8(70, 1);
  TPlanMonat m;
  std::memset(&m, 0x55, sizeof m);
  MPlanRawToObject(b.data(), m);
  EXPECT_EQ(m.Modelle[0], 5);
  EXPECT_EQ(m.Kennungen[0], 9003);
  EXPECT_EQ(m.Modelle[1], 1023);
  EXPECT_EQ(m.Kennungen[1], 9063);
  EXPECT_EQ(m.Modelle[30], 7);
  EXPECT_EQ(m.Kennungen[30], 0);  // bits 0 read as no code, not 9000
  EXPECT_EQ(m.FesteTage, Tage({1, 2, 4}));
  EXPECT_EQ(m.SchichtTage, Tage({2, 4}));
  EXPECT_EQ(m.Gesperrt, 1);
  EXPECT_EQ(m.ProfileGefuellt, 0);
  EXPECT_EQ(m.Tagesprofile[0].Soll, 0.0);
}

TEST(MPlanRecord, EncodesWordsAndLosesWhatTheWordCannotHold) {
  auto m = std::make_unique<TPlanMonat>();
  m->Modelle[0] = 5;
  m->Kennungen[0] = 9003;
  m->Modelle[1] = 1500;  // 1024 + 476: the high bit falls into the code
  m->Modelle[2] = 9;     // code 0
  m->FesteTage = Tage({1});
  m->SchichtTage = Tage({3});
  m->Gesperrt = 2;
  uint8_t raw[kMPlanRawSize];
  std::memset(raw, 0xEE, sizeof raw);
  MPlanObjectToRaw(*m, raw);
  Bytes want(kMPlanRawSize);
  want.Int(0, 5 | (3 << 10), 2).Int(2, 1500, 2).Int(4, 9, 2);
  want.Int(62, Tage({1, 3}), 4).Int(66, Tage({3}), 4).U8(70, 2);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), sizeof raw), want.str());
  EXPECT_EQ(m->Kennungen[2], 9000);  // the memory record now holds 9000 for "no code"
  auto back = std::make_unique<TPlanMonat>();
  MPlanRawToObject(raw, *back);
  EXPECT_EQ(back->Modelle[1], 476);
  EXPECT_EQ(back->Kennungen[1], 9001);
  EXPECT_EQ(back->Kennungen[2], 0);
  EXPECT_EQ(back->FesteTage, Tage({1, 3}));
}

class SPlanRecordTest : public ::testing::Test {
 protected:
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig konfig{tp.Get(), reported};
  TSPlanKontext Kontext() { return {tp.locale, konfig.KontoDefs, 2024}; }
};

TEST_F(SPlanRecordTest, DecodesOnlyTheDayProfilesAtTheirOffsets) {
  Bytes b(kSPlanRawSize);
  b.U8(52 + 2, 7).U8(52 + 3, 30);  // day 1: Soll 7:30
  b.U8(52 + 312 * 30 + 2, 4);      // day 31: Soll 4:00
  b.U8(52 + 312 * 30 + 0, 1);      // day 31 reaches beyond midnight
  b.Int(9724, 77, 2).Int(9786, 9005, 2).Int(9975, 0xFF, 4);
  auto m = std::make_unique<TPlanMonat>();
  m->Modelle[0] = 3;
  m->FesteTage = 6;
  SPlanRawToObject(b.data(), *m, Kontext());
  EXPECT_DOUBLE_EQ(m->Tagesprofile[0].Soll, 7.5 / 24);
  EXPECT_DOUBLE_EQ(m->Tagesprofile[30].Soll, 4.0 / 24);
  EXPECT_TRUE(m->Tagesprofile[30].Mitternacht);
  EXPECT_DOUBLE_EQ(m->Tagesprofile[30].Tagesende, 1.5);
  EXPECT_EQ(m->Tagesprofile[1].Soll, 0.0);
  EXPECT_EQ(m->Modelle[0], 3);  // the stored models are not read
  EXPECT_EQ(m->FesteTage, 6u);
}

TEST_F(SPlanRecordTest, EncodesEveryFieldOfTheTable) {
  auto m = std::make_unique<TPlanMonat>();
  m->Modelle[0] = 12;
  m->Modelle[30] = 13;
  m->Kennungen[1] = 9002;
  m->FesteTage = Tage({5});
  m->SchichtTage = Tage({6});
  m->Tagesprofile[1].Soll = 8.0 / 24;
  m->Tagesprofile[30].Soll = 2.5 / 24;
  std::string raw(kSPlanRawSize, '\x7F');
  SPlanObjectToRaw(*m, reinterpret_cast<uint8_t*>(raw.data()), tp.locale);
  const auto at = [&](size_t i) { return static_cast<uint8_t>(raw[i]); };
  EXPECT_EQ(at(52 + 312 + 2), 8);
  EXPECT_EQ(at(52 + 312 * 30 + 2), 2);
  EXPECT_EQ(at(52 + 312 * 30 + 3), 30);
  EXPECT_EQ(at(52 + 312 + 300), 1);  // the profile's end of day is always given
  EXPECT_EQ(at(9724), 12);
  EXPECT_EQ(at(9724 + 60), 13);
  EXPECT_EQ(at(9786 + 2) | at(9786 + 3) << 8, 9002);
  EXPECT_EQ(at(9975), 1u << 5);
  EXPECT_EQ(raw.substr(0, 52), std::string(52, '\0'));
  EXPECT_EQ(raw.substr(9848, 127), std::string(127, '\0'));
  EXPECT_EQ(raw.substr(9979), std::string(21, '\0'));
  auto back = std::make_unique<TPlanMonat>();
  SPlanRawToObject(reinterpret_cast<const uint8_t*>(raw.data()), *back, Kontext());
  EXPECT_DOUBLE_EQ(back->Tagesprofile[1].Soll, 8.0 / 24);
  EXPECT_DOUBLE_EQ(back->Tagesprofile[30].Soll, 2.5 / 24);
}

// --- Files and plans ---

class PlanTest : public ::testing::Test {
 protected:
  PlanTest() : konfig(tp.Get(), reported) {
    konfig.DataPath = data.Path();
    mplan = std::make_unique<TMPlanFile>(tp.Get(), konfig);
    splan = std::make_unique<TSPlanFile>(tp.Get(), konfig);
    planvorl = std::make_unique<TPlanvorlFile>(tp.Get(), konfig);
    modelle = std::make_unique<TModellFile>(tp.Get(), konfig);
    kalender = std::make_unique<TFeiertage>(tp.Get());
    tp.files.CreateFolders(data.Path() + "SCHMOD" + kSep);
    tp.files.CreateFolders(data.Path() + "SCHPLAN" + kSep);
    tp.files.CreateFolders(data.Path() + "2024" + kSep);
  }
  TPlanDateien Dateien() { return {*mplan, *splan, *planvorl, *modelle, *kalender}; }
  void Modell(int m, const std::string& bytes) {
    WriteFileBytes(data.Path() + "SCHMOD" + kSep + "SMOD" + std::to_string(m) + ".DAT", bytes);
  }
  void Vorlage(int n, const std::string& bytes) {
    WriteFileBytes(data.Path() + "SCHPLAN" + kSep + "GSPL" + std::to_string(n) + ".DAT", bytes);
  }
  std::string EP(int n, int jahr = 2024) const {
    return data.Path() + std::to_string(jahr) + kSep + "EP" + std::to_string(n) + ".DAT";
  }
  std::string SPL(int n, int jahr = 2024) const {
    return data.Path() + std::to_string(jahr) + kSep + "SPL" + std::to_string(n) + ".DAT";
  }
  // A month's personal plan record: model m on every day.
  static std::string Monat(uint16_t m, uint32_t feste = 0, uint32_t schicht = 0) {
    Bytes b(kMPlanRawSize);
    for (int d = 0; d < 31; ++d) b.Int(2 * static_cast<size_t>(d), m, 2);
    b.Int(62, feste | schicht, 4).Int(66, schicht, 4);
    return b.str();
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig konfig;
  std::unique_ptr<TMPlanFile> mplan;
  std::unique_ptr<TSPlanFile> splan;
  std::unique_ptr<TPlanvorlFile> planvorl;
  std::unique_ptr<TModellFile> modelle;
  std::unique_ptr<TFeiertage> kalender;
};

TEST_F(PlanTest, FilesNameYearFolderAndNumberAndPlaceMonthsBySlot) {
  EXPECT_EQ(mplan->BuildFileName(2024, 3, 17), EP(17));
  EXPECT_EQ(splan->BuildFileName(2024, 3, 17), SPL(17));
  EXPECT_EQ(mplan->RecordPosition(2024, 3, 17), 2 * 85);
  EXPECT_EQ(splan->RecordPosition(2024, 3, 17), 2 * 10000);
  EXPECT_EQ(mplan->Caption, "Eigen-/Schichtplan");
  EXPECT_EQ(splan->Caption, "Eigen-/Schichtplan");
  EXPECT_EQ(mplan->ObjectSize, 31661);
  EXPECT_EQ(splan->ObjectSize, 31661);
}

TEST_F(PlanTest, PlanNumbersOutsideTheirRangeAreRefused) {
  auto m = std::make_unique<TPlanMonat>();
  struct Case {
    const char* label;
    TFile* file;
    int32_t nummer;
  };
  for (const Case& c :
       {Case{"personal 0", mplan.get(), 0}, Case{"personal 1000000", mplan.get(), 1000000},
        Case{"shift 0", splan.get(), 0}, Case{"shift 100000", splan.get(), 100000}}) {
    try {
      c.file->ReadRecord(nullptr, m.get(), 2024, 1, c.nummer);
      ADD_FAILURE() << c.label;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message().rfind("Eigen-/Schichtplan-Dateifehler", 0), 0u) << c.label;
      EXPECT_NE(e.Message().find(kMsgBadRecord), std::string::npos) << c.label;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(EP(0)));
  // The highest numbers are still valid.
  mplan->ReadRecord(nullptr, m.get(), 2024, 1, 999999);
  splan->ReadRecord(nullptr, m.get(), 2024, 1, 99999);
}

TEST_F(PlanTest, AShiftPlanReadKeepsTheCallersHeadAlsoWhenTheRecordIsCreated) {
  Bytes rec(kSPlanRawSize);
  rec.U8(52 + 2, 6).Int(9724, 99, 2).Int(9975, 0xFFFF, 4);
  WriteFileBytes(SPL(4), rec.str());
  auto m = std::make_unique<TPlanMonat>();
  std::memset(m.get(), 0xA5, kPlanKopfSize);
  splan->ReadRecord(nullptr, m.get(), 2024, 1, 4);
  EXPECT_DOUBLE_EQ(m->Tagesprofile[0].Soll, 6.0 / 24);
  for (size_t i = 0; i < kPlanKopfSize; ++i) {
    ASSERT_EQ(reinterpret_cast<uint8_t*>(m.get())[i], 0xA5) << "byte " << i;
  }
  // February is missing: it is created (zeros) and the head still survives.
  m->Tagesprofile[0].Soll = 1;
  splan->ReadRecord(nullptr, m.get(), 2024, 2, 4);
  EXPECT_EQ(m->Tagesprofile[0].Soll, 0.0);
  EXPECT_EQ(m->Modelle[0], 0xA5A5);
  EXPECT_EQ(ReadFileBytes(SPL(4)).size(), 20000u);
}

TEST_F(PlanTest, AShiftPlanFileOfTheWrongSizeReadsWholeSlotsOnly) {
  // One and a half records: month 1 reads, month 2 is created over the broken tail.
  Bytes rec(15000);
  rec.U8(52 + 2, 6).U8(10000 + 52 + 2, 9);
  WriteFileBytes(SPL(4), rec.str());
  auto m = std::make_unique<TPlanMonat>();
  splan->ReadRecord(nullptr, m.get(), 2024, 1, 4);
  EXPECT_DOUBLE_EQ(m->Tagesprofile[0].Soll, 6.0 / 24);
  splan->ReadRecord(nullptr, m.get(), 2024, 2, 4);
  EXPECT_EQ(m->Tagesprofile[0].Soll, 0.0);
  EXPECT_EQ(ReadFileBytes(SPL(4)).size(), 20000u);
}

TEST_F(PlanTest, AMissingMonatTakesTheTemplatesModelAndIsWritten) {
  Modell(3, StoredModell("Drei", 1));
  Vorlage(5, StoredVorlage("Fuenf", 0, 3, {3}));
  auto person = std::make_unique<TPerson>();
  person->Rec.VorlageNr = 5;
  person->Rec.VorlageAb = EncodeDate(2020, 1, 1);
  TPlan plan(Dateien(), true);
  plan.SetPerson(person.get());
  EXPECT_EQ(plan.VorlageNr, 5);
  plan.LadeMonat(2024, 3, true, 17);
  EXPECT_EQ(plan.TageImMonat, 31);
  for (int d = 1; d <= 31; ++d) EXPECT_EQ(plan.Rec.Modelle[d - 1], 3) << d;
  const std::string stored = ReadFileBytes(EP(17));
  ASSERT_EQ(stored.size(), 3u * 85);
  EXPECT_EQ(stored.substr(2 * 85, 85), Monat(3));
  // A plan without a person has no template.
  plan.SetPerson(nullptr);
  EXPECT_EQ(plan.VorlageNr, 0);
  EXPECT_EQ(plan.VorlageAb, 0.0);
}

TEST_F(PlanTest, CreatingAMonthWithTheHandlerFailsWithoutATemplate) {
  TPlan plan(Dateien());
  try {
    plan.LadeMonat(2024, 3, true, 17);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_NE(e.Message().find("Planvorlagen-Dateifehler"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find(kMsgBadRecord), std::string::npos) << e.Message();
  }
  // Without the handler the month is created empty.
  plan.LadeMonat(2024, 3, false, 17);
  EXPECT_EQ(plan.Rec.Modelle[0], 0);
  EXPECT_EQ(ReadFileBytes(EP(17)).size(), 3u * 85);
}

TEST_F(PlanTest, AKindOneTemplateOverridesDaysNotSetByHandFromItsStartDate) {
  Modell(3, StoredModell("Drei", 1));
  Vorlage(5, StoredVorlage("Kalender", 1, 3, {3, 4}));
  // The template's calendar: model 4 on every day of March.
  WriteFileBytes(EP(100005), Monat(4) + Monat(4) + Monat(4));
  // The person's own month: model 8 everywhere, days 1 and 20 set by hand.
  WriteFileBytes(EP(17), Monat(8) + Monat(8) + Monat(8, Tage({1, 20})));
  TPlan plan(Dateien());
  plan.VorlageNr = 5;
  plan.VorlageAb = EncodeDate(2024, 3, 10);
  plan.LadeMonat(2024, 3, true, 17);
  struct Case {
    int tag;
    uint16_t want;
  };
  for (const Case& c : {Case{1, 8}, Case{9, 8}, Case{10, 4}, Case{20, 8}, Case{31, 4}}) {
    EXPECT_EQ(plan.Rec.Modelle[c.tag - 1], c.want) << "day " << c.tag;
  }
  EXPECT_EQ(plan.GetModellNr(9), 8);   // before VorlageAb: the plan's own model
  EXPECT_EQ(plan.GetModellNr(20), 4);  // from then on the template answers, even by hand
  EXPECT_EQ(plan.GetModellNr(0), 0);
  EXPECT_EQ(plan.GetModellNr(32), 0);
}

TEST_F(PlanTest, WithoutATemplateGetModellNrAnswersThePlansModel) {
  WriteFileBytes(EP(17), Monat(8) + Monat(8) + Monat(6));
  TPlan plan(Dateien());
  plan.LadeMonat(2024, 3, false, 17);
  EXPECT_EQ(plan.GetModellNr(15), 6);
}

TEST_F(PlanTest, ShiftDaysAnswerTheirOwnProfileOtherDaysTheModels) {
  Modell(3, StoredModell("Drei", 1));
  WriteFileBytes(EP(17), Monat(3, 0, Tage({2})));  // January: day 2 is a shift day
  Bytes s(kSPlanRawSize);
  s.U8(52 + 312 + 2, 10);  // day 2: Soll 10:00
  WriteFileBytes(SPL(17), s.str());
  TPlan plan(Dateien());
  plan.LadeMonat(2024, 1, false, 17);
  EXPECT_EQ(plan.Rec.ProfileGefuellt, 1);
  Tagesprofil p{};
  ModellVersion* woche = nullptr;
  plan.GetTag(2, p, woche);  // Tuesday, shift day
  EXPECT_DOUBLE_EQ(p.Soll, 10.0 / 24);
  ASSERT_NE(woche, nullptr);
  EXPECT_EQ(ModellName(*woche), "Drei");
  plan.GetTag(3, p, woche);  // Wednesday: profile 3 of model 3
  EXPECT_DOUBLE_EQ(p.Soll, 3.0 / 24);
  EXPECT_DOUBLE_EQ(plan.Rec.Tagesprofile[2].Soll, 3.0 / 24);  // completed on loading
  plan.GetTag(1, p, woche);  // New Year on a Monday: the holiday with Monday's times
  EXPECT_DOUBLE_EQ(p.Soll, 1.0 / 24);
  EXPECT_THROW(plan.GetTag(32, p, woche), EListError);
  EXPECT_THROW(plan.GetTag(0, p, woche), EListError);
}

TEST_F(PlanTest, TheKontoProgramTakesAccountWindowSevenFromTheModel) {
  WriteFileBytes(EP(17), Monat(3, 0, Tage({2})));
  Bytes s(kSPlanRawSize);
  s.U8(52 + 312 + 2, 10);
  WriteFileBytes(SPL(17), s.str());
  KontoDef sieben = konfig.KontoDefs.Konto(7);
  sieben.Art = 2;
  konfig.KontoDefs.SetKonto(7, sieben);
  Modell(3, StoredModell("Drei", 1, 1));
  struct Case {
    const char* param;
    uint8_t wantArt;
  };
  for (const Case& c : {Case{"", 0}, Case{"KONTO", 0}, Case{"konto", 2}}) {
    tp.host.firstParam = c.param;
    TPlan plan(Dateien());
    plan.LadeMonat(2024, 1, false, 17);
    Tagesprofil p{};
    ModellVersion* woche = nullptr;
    plan.GetTag(2, p, woche);
    EXPECT_EQ(p.Kontofenster[6].Art, c.wantArt) << "'" << c.param << "'";
    EXPECT_DOUBLE_EQ(p.Soll, 10.0 / 24) << c.param;
    if (c.wantArt != 0) {
      EXPECT_DOUBLE_EQ(p.Kontofenster[6].Von, 8.0 / 24);
    }
  }
}

TEST_F(PlanTest, SaveWritesTheShiftPlanOnlyWithShiftDaysAndNothingWhenLocked) {
  WriteFileBytes(EP(17), Monat(0));
  TPlan plan(Dateien());
  plan.LadeMonat(2024, 1, false, 17);
  plan.Rec.Modelle[0] = 9;
  plan.Save();
  EXPECT_EQ(ReadFileBytes(EP(17)).substr(0, 2), std::string("\x09\x00", 2));
  EXPECT_FALSE(std::filesystem::exists(SPL(17)));
  plan.Rec.SchichtTage = Tage({4});
  plan.Rec.Tagesprofile[3].Soll = 5.0 / 24;
  plan.Save();
  const std::string s = ReadFileBytes(SPL(17));
  ASSERT_EQ(s.size(), 10000u);
  EXPECT_EQ(s[52 + 312 * 3 + 2], 5);
  EXPECT_EQ(s[9724], 9);
  plan.Rec.Gesperrt = 1;
  plan.Rec.Modelle[0] = 10;
  plan.Save();
  EXPECT_EQ(ReadFileBytes(EP(17))[0], 9);
}

TEST_F(PlanTest, ADeferredPlanWritesWhenTheModeEnds) {
  WriteFileBytes(EP(17), Monat(1));
  {
    TPlan plan(Dateien(), true);
    plan.LadeMonat(2024, 1, false, 17);
    plan.Rec.Modelle[0] = 2;
    plan.Save();
    EXPECT_EQ(ReadFileBytes(EP(17))[0], 1);
  }
  EXPECT_EQ(ReadFileBytes(EP(17))[0], 2);
}

TEST_F(PlanTest, APlanThatGoesTakesItsHandlerOffTheFile) {
  Vorlage(5, StoredVorlage("Fuenf", 0, 3, {3}));
  {
    TPlan plan(Dateien());
    plan.VorlageNr = 5;
    plan.LadeMonat(2024, 1, true, 17);
    EXPECT_TRUE(static_cast<bool>(mplan->OnNewRecord));
  }
  EXPECT_FALSE(static_cast<bool>(mplan->OnNewRecord));
  auto m = std::make_unique<TPlanMonat>();
  mplan->ReadRecord(nullptr, m.get(), 2024, 2, 17);
  EXPECT_EQ(m->Modelle[0], 0);
}

TEST_F(PlanTest, FileFaultsOnSaveRaiseTheFilesError) {
  WriteFileBytes(EP(17), Monat(1));
  TPlan plan(Dateien());
  plan.LadeMonat(2024, 1, false, 17);
  tp.files.FailWrite(1, platform::kDiskFull, true);
  try {
    plan.Save();
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message().rfind("Eigen-/Schichtplan-Dateifehler", 0), 0u) << e.Message();
  }
  tp.files.ClearFaults();
  EXPECT_EQ(tp.files.OpenFiles(), 0);
  EXPECT_EQ(ReadFileBytes(EP(17)), Monat(1));
}

}  // namespace
}  // namespace qrv
