// TMonat over the two month files on a temporary data folder.
#include "month/monat.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "files/file_io.h"
#include "month/monat_codec.h"
#include "raw_month.h"
#include "support/doubles.h"
#include "util/datetime.h"

namespace qrv {
namespace {

using testing::AddBuchung;
using testing::Buchung;
using testing::HM;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class MonatTest : public ::testing::Test {
 protected:
  MonatTest()
      : konfig(tp.Get(), reported), kfile(Make<TKMonatFile>()), gfile(Make<TGMonatFile>()) {}

  template <typename F>
  std::unique_ptr<F> Make() {
    konfig.DataPath = data.Path();
    return std::make_unique<F>(tp.Get(), konfig);
  }

  std::string MonthPath(const char* ext) const {
    return data.Path() + "2004" + platform::kPathSeparator + "Mrz." + ext;
  }

  // Rewrites a file behind the cache's back, with a later time stamp.
  void Poke(const std::string& path, const std::string& bytes) {
    const auto time = std::filesystem::last_write_time(path);
    WriteFileBytes(path, bytes);
    std::filesystem::last_write_time(path, time + std::chrono::seconds(5));
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig konfig;
  std::unique_ptr<TKMonatFile> kfile;
  std::unique_ptr<TGMonatFile> gfile;
};

TEST_F(MonatTest, TakesTheLayoutOfTheChosenFile) {
  const struct {
    bool isKlMonat;
    int32_t counts[4];
    int32_t recordSize;
    const char* ext;
  } cases[] = {{true, {10, 0, 20, 20}, 2000, "DAT"}, {false, {40, 40, 20, 40}, 9000, "NEU"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ext);
    konfig.IsKlMonat = c.isKlMonat;
    TMonatFile& file = MonatFileFor(konfig, *kfile, *gfile);
    EXPECT_EQ(file.Ext, c.ext);
    EXPECT_EQ(file.RawSize, c.recordSize);
    EXPECT_EQ(file.SlotSize, c.recordSize);
    EXPECT_EQ(file.ObjectSize, 71917);
    EXPECT_EQ(file.Caption, "Monats");
    EXPECT_EQ(file.Capacity, 250);
    TMonat m(file);
    EXPECT_EQ(m.Kompakt, c.isKlMonat);
    EXPECT_EQ(m.AnzBuchungen, c.counts[0]);
    EXPECT_EQ(m.Anz2, c.counts[1]);
    EXPECT_EQ(m.Anz3, c.counts[2]);
    EXPECT_EQ(m.Anz4, c.counts[3]);
  }
}

TEST_F(MonatTest, LoadingAMissingMonthWritesAnEmptyRecordAfterBlankSlots) {
  for (TMonatFile* file :
       {static_cast<TMonatFile*>(kfile.get()), static_cast<TMonatFile*>(gfile.get())}) {
    SCOPED_TRACE(file->Ext);
    TMonat m(*file);
    m.Daten.Tag(1).Fehlzeit = 'x';
    m.Laden(2004, 3, false, 3);
    EXPECT_EQ(m.TageImMonat, 31);
    EXPECT_TRUE(m.Loaded);
    EXPECT_EQ(m.Daten.Tag(1).Fehlzeit, 0);
    const std::string bytes = ReadFileBytes(MonthPath(file->Ext.c_str()));
    const size_t size = file->RawSize;
    ASSERT_EQ(bytes.size(), 4 * size);
    const std::string blank = std::string(size - 2, ' ') + "\r\n";
    for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(bytes.substr(slot * size, size), blank);
    EXPECT_EQ(bytes.substr(3 * size), std::string(size, '\0'));
  }
}

TEST_F(MonatTest, SavedMonthLoadsBackThroughEitherLayout) {
  for (TMonatFile* file :
       {static_cast<TMonatFile*>(kfile.get()), static_cast<TMonatFile*>(gfile.get())}) {
    SCOPED_TRACE(file->Ext);
    TMonat m(*file);
    m.Laden(2004, 3, true, 2);
    const double d = EncodeDate(2004, 3, 15);
    AddBuchung(m.Daten.Tag(15), Buchung(d + HM(22, 0), 0, 1, 2));
    AddBuchung(m.Daten.Tag(15), Buchung(d + 1 + HM(6, 0), 0, 3, 4));
    m.Daten.Tag(15).Fehlzeit = 'c';
    m.Daten.MonSaldo = HM(3, 20);
    m.Speichern();
    auto other = std::make_unique<TGMonatFile>(tp.Get(), konfig);
    auto otherK = std::make_unique<TKMonatFile>(tp.Get(), konfig);
    TMonat back(file->Kompakt() ? static_cast<TMonatFile&>(*otherK) : *other);
    back.Laden(2004, 3, false, 2);
    const TMonatTag& t = back.Daten.Tag(15);
    ASSERT_EQ(t.AnzBuchungen, 2);
    EXPECT_DOUBLE_EQ(t.Buchungen[1].Zeit, d + 1 + HM(6, 0));
    EXPECT_EQ(t.Buchungen[1].Code2, 4);
    EXPECT_EQ(t.Fehlzeit, 'c');
    EXPECT_DOUBLE_EQ(back.Daten.MonSaldo, HM(3, 20));
  }
}

TEST_F(MonatTest, NurLesenLeavesTheFileUntouched) {
  TMonat m(*gfile);
  m.Laden(2004, 3, false, 1);
  const std::string before = ReadFileBytes(MonthPath("NEU"));
  m.NurLesen = true;
  m.Daten.MonSaldo = 1;
  m.Speichern();
  EXPECT_EQ(ReadFileBytes(MonthPath("NEU")), before);
  m.NurLesen = false;
  m.Speichern();
  EXPECT_NE(ReadFileBytes(MonthPath("NEU")), before);
}

TEST_F(MonatTest, ABufferedMonthReadsTheSameKeyOnce) {
  TMonat writer(*gfile);
  writer.Laden(2004, 3, false, 1);
  writer.Laden(2004, 3, false, 2);
  TMonat m(*gfile, true);
  m.Laden(2004, 3, false, 1);
  testing::RawMonth changed(9000);
  changed.I16(0, 5);  // day 1 TagZeit 5:00
  // Record 2 must not be empty: an empty record is created again on reading, which would write
  // the file and give it a time of its own.
  testing::RawMonth other(9000);
  other.I16(0, 1);
  Poke(MonthPath("NEU"), std::string(9000, ' ') + changed.Text() + other.Text());
  m.Laden(2004, 3, false, 1);
  EXPECT_EQ(m.Daten.Tag(1).TagZeit, 0);
  m.Laden(2004, 3, false, 2);
  m.Laden(2004, 3, false, 1);
  EXPECT_DOUBLE_EQ(m.Daten.Tag(1).TagZeit, HM(5, 0));
}

TEST_F(MonatTest, TheSwitchSetsOrClearsTheNewRecordHandler) {
  TMonat m(*gfile);
  m.Laden(2004, 3, true, 1);
  EXPECT_TRUE(static_cast<bool>(gfile->OnNewRecord));
  m.Laden(2004, 3, false, 2);
  EXPECT_FALSE(static_cast<bool>(gfile->OnNewRecord));
}

TEST_F(MonatTest, OtherRecordsStayReadableBesideAFileOfOddSize) {
  TMonat m(*gfile);
  m.Laden(2004, 3, false, 1);
  m.Daten.Tag(2).TagZeit = HM(1, 0);
  m.Speichern();
  std::string bytes = ReadFileBytes(MonthPath("NEU"));
  Poke(MonthPath("NEU"), bytes + std::string(17, 'x'));
  TMonat other(*gfile);
  other.Laden(2004, 3, false, 2);  // beyond the whole slots: created empty
  EXPECT_EQ(other.Daten.Tag(1).TagZeit, 0);
  EXPECT_EQ(ReadFileBytes(MonthPath("NEU")).size(), 3u * 9000);
  TMonat first(*gfile);
  first.Laden(2004, 3, false, 1);
  EXPECT_DOUBLE_EQ(first.Daten.Tag(2).TagZeit, HM(1, 0));
}

TEST_F(MonatTest, FileErrorsNameTheMonthFile) {
  TMonat m(*kfile);
  try {
    m.Laden(2004, 3, false, 10000);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message().rfind(std::string("Monats-Dateifehler\r") + kMsgBadRecord, 0), 0u)
        << e.Message();
  }
  m.Laden(2004, 3, false, 1);
  tp.files.FailWrite(1, platform::kAccessDenied);
  try {
    m.Speichern();
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message().rfind("Monats-Dateifehler\r\n", 0), 0u) << e.Message();
  }
  EXPECT_EQ(tp.files.OpenFiles(), 0);
}

TEST_F(MonatTest, AssignCopiesDataDaysAndKey) {
  TMonat a(*gfile);
  a.Laden(2004, 2, false, 7);
  a.Daten.Tag(29).TagWort = 5;
  a.Daten.MonFlag = 3;
  TMonat b(*gfile);
  b.Assign(a);
  EXPECT_EQ(b.Daten.Tag(29).TagWort, 5);
  EXPECT_EQ(b.Daten.MonFlag, 3);
  EXPECT_EQ(b.TageImMonat, 29);
  EXPECT_EQ(b.KeyA, 2004);
  EXPECT_EQ(b.KeyB, 2);
  EXPECT_EQ(b.KeyC, 7);
  class Other : public TFileData {
   public:
    Other() : TFileData(false) {}
    std::unique_ptr<TPersistent> NewInstance() const override { return nullptr; }
    void Save() override {}
  } other;
  EXPECT_THROW(b.Assign(other), Exception);
}

TEST_F(MonatTest, ClearingForACarriedMonthKeepsTheDays) {
  TMonat m(*gfile);
  std::memset(static_cast<void*>(&m.Daten), 0x11, sizeof m.Daten);
  const double berechnetAm = m.Daten.BerechnetAm;
  m.UebertragLoeschen();
  const TMonatDaten& d = m.Daten;
  EXPECT_EQ(d.MonUebertrag, 0);
  EXPECT_EQ(d.BerechnetAm, berechnetAm);
  EXPECT_EQ(d.BerechnetBis, 0x1111);
  for (double v : {d.MonSaldo, d.MonSaldoKorr, d.MonAnteilB, d.MonAnteilBKorr, d.MonAnteilA,
                   d.MonAnteilAKorr}) {
    EXPECT_EQ(v, 0);
  }
  for (int k = 0; k < 5; ++k) EXPECT_EQ(d.MonTagKonto[k] + d.MonTagKontoKorr[k], 0) << k;
  for (int k = 0; k < 40; ++k) EXPECT_EQ(d.MonKonto[k] + d.MonKontoKorr[k], 0) << k;
  EXPECT_EQ(d.MonWarnTage | d.MonWarnTageKorr | d.MonFehlerTage | d.MonFehlerTageKorr, 0);
  EXPECT_EQ(d.WochenLauf(), 0);
  EXPECT_EQ(d.Tag(1).TagZeit, berechnetAm);  // same 0x11 pattern
  EXPECT_EQ(d.MonFlag, 0x11);
}

}  // namespace
}  // namespace qrv
