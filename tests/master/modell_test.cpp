#include "master/modell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plans/planvorlage.h"
#include "platform/read_only.h"
#include "support/doubles.h"
#include "util/errors.h"

namespace qrv {
namespace {

constexpr char kSep = platform::kPathSeparator;

// A stored version: name, date text and the Soll of every weekday (profile n gets n hours) and
// of the holiday profile (1 hour), written byte by byte at the layout's offsets.
std::string StoredVersion(const std::string& name, const std::string& date, int extra = 0) {
  std::string b(3000, '\0');
  b[0] = static_cast<char>(name.size());
  b.replace(1, name.size(), name);
  b[51] = static_cast<char>(date.size());
  b.replace(52, date.size(), date);
  for (int n = 1; n <= 8; ++n) {
    b[69 + 312 * (n - 1) + 2] = static_cast<char>(n == 8 ? 1 : n);
    b[69 + 312 * (n - 1) + 3] = static_cast<char>(extra);
  }
  return b;
}

class ModellTest : public ::testing::Test {
 protected:
  ModellTest() : konfig(tp.Get(), reported) {
    konfig.DataPath = data.Path();
    tp.Get().files->CreateFolders(Folder());
    file = std::make_unique<TModellFile>(tp.Get(), konfig);
    kalender = std::make_unique<TFeiertage>(tp.Get());
  }
  std::string Folder() const { return data.Path() + "SCHMOD" + kSep; }
  std::string Path(int n) const { return Folder() + "SMOD" + std::to_string(n) + ".DAT"; }
  void Store(int n, const std::string& bytes) { testing::WriteFileBytes(Path(n), bytes); }
  TModell Modell() { return TModell(*file, *kalender); }
  // The version answering for a date, told by its name.
  std::string NameFor(TModell& m, TDateTime d) { return ModellName(*m.ProfilFuerDatum(d).Version); }

  testing::TempFolder data;
  testing::TestPlatform tp;  // the clock stands in December 2026
  bool reported = false;
  TKonfig konfig;
  std::unique_ptr<TModellFile> file;
  std::unique_ptr<TFeiertage> kalender;
};

TEST_F(ModellTest, TheFileNamesVersionsByRecordNumber) {
  EXPECT_EQ(file->BuildFileName(0, 0, 1005), Folder() + "SMOD1005.DAT");
  EXPECT_EQ(file->Caption, "Modell");
  EXPECT_EQ(file->RawSize, 3000);
  EXPECT_EQ(file->ObjectSize, 8208);
}

TEST_F(ModellTest, DatedVersionsAnswerFromTheirStartOnwards) {
  Store(5, StoredVersion("V2004", "20040101"));
  Store(1005, StoredVersion("V2005", "20050701"));
  Store(2006, StoredVersion("fremdes Modell", "20060101"));
  TModell m(*file, *kalender);
  m.Load(5);
  ASSERT_EQ(m.VersionCount(), 2);
  EXPECT_EQ(m.Version(0).Nummer, 5);  // renumbered: the newest is version 0
  EXPECT_EQ(m.Version(1).Nummer, 1005);
  EXPECT_EQ(m.Version(1).SortDatum, EncodeDate(1995, 1, 1));
  struct Case {
    TDateTime date;
    const char* want;
  };
  for (const Case& c :
       {Case{EncodeDate(2005, 6, 30), "V2004"}, Case{EncodeDate(2005, 7, 1), "V2005"},
        Case{EncodeDate(2020, 1, 1), "V2005"}, Case{EncodeDate(1995, 1, 1), "V2004"},
        Case{EncodeDate(2003, 12, 31), "V2004"}, Case{EncodeDate(1994, 12, 31), "V2005"}}) {
    EXPECT_EQ(NameFor(m, c.date), c.want)
        << DayOfDate(c.date) << "." << MonthOfDate(c.date) << "." << YearOfDate(c.date);
  }
  // The renumbering was saved: record 5 now holds the newest version.
  TModell again(*file, *kalender);
  again.Load(5);
  EXPECT_EQ(ModellName(again.Version(0)), "V2005");
  EXPECT_EQ(again.Version(0).Nummer, 5);
}

TEST_F(ModellTest, EveryYearVersionsUseTheNewestBeforeTheirFirstStart) {
  Store(3, StoredVersion("April", "00000401"));
  Store(1003, StoredVersion("Oktober", "00001001"));
  TModell m(*file, *kalender);
  m.Load(3);
  ASSERT_EQ(m.VersionCount(), 2);
  EXPECT_TRUE(m.Version(0).JedesJahr);
  EXPECT_EQ(NameFor(m, EncodeDate(2030, 1, 15)), "Oktober");
  EXPECT_EQ(NameFor(m, EncodeDate(2030, 4, 1)), "April");
  EXPECT_EQ(NameFor(m, EncodeDate(2030, 9, 30)), "April");
  EXPECT_EQ(NameFor(m, EncodeDate(2030, 10, 1)), "Oktober");
}

TEST_F(ModellTest, AMissingModelIsCreatedFromModelOne) {
  Store(1, StoredVersion("Standard", "20040101"));
  TModell m(*file, *kalender);
  m.Load(7);
  ASSERT_EQ(m.VersionCount(), 1);
  EXPECT_EQ(ModellName(m.Version(0)), "AutoKopie von Standard");
  EXPECT_EQ(m.Version(0).Nummer, 7);
  const std::string stored = testing::ReadFileBytes(Path(7));
  ASSERT_EQ(stored.size(), 3000u);
  EXPECT_EQ(stored.substr(0, 23),
            "\x16"
            "AutoKopie von Standard");
  // The copy's name is cut to the field.
  Store(1, StoredVersion(std::string(45, 'n'), "20040101"));
  file->Invalidate("", false);
  TModell m8(*file, *kalender);
  m8.Load(8);
  EXPECT_EQ(ModellName(m8.Version(0)), "AutoKopie von " + std::string(36, 'n'));
}

TEST_F(ModellTest, ReadOnlyCopiesAndRenumberingsAreAnsweredFromMemoryOnly) {
  Store(1, StoredVersion("Standard", "20040101"));
  Store(5, StoredVersion("V2004", "20040101"));
  Store(1005, StoredVersion("V2005", "20050701"));
  tp.files.CreateFolders(data.Path() + "SCHPLAN" + kSep);
  platform::ReadOnlyFileSystem readOnly(tp.files);
  platform::Platform p = tp.Get();
  p.files = &readOnly;
  TModellFile roFile(p, konfig);
  TPlanvorlFile roVorlagen(p, konfig);
  const auto before = testing::TreeOf(data.Path());
  TModell copy(roFile, *kalender, roVorlagen);
  copy.Load(7);
  ASSERT_EQ(copy.VersionCount(), 1);
  EXPECT_EQ(ModellName(copy.Version(0)), "AutoKopie von Standard");
  EXPECT_EQ(copy.Version(0).Nummer, 7);
  EXPECT_TRUE(copy.Loaded);
  // The newest version is version 0 with the model's own number, in memory.
  TModell renumbered(roFile, *kalender, roVorlagen);
  renumbered.Load(5);
  ASSERT_EQ(renumbered.VersionCount(), 2);
  EXPECT_EQ(ModellName(renumbered.Version(0)), "V2005");
  EXPECT_EQ(renumbered.Version(0).Nummer, 5);
  EXPECT_EQ(renumbered.Version(1).Nummer, 1005);
  EXPECT_EQ(testing::TreeOf(data.Path()), before);
  // A caller's own save is refused before anything is written.
  try {
    copy.Save();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 5);
    EXPECT_EQ(e.Message().rfind("Modell-Dateifehler\r\n", 0), 0u) << e.Message();
  }
  EXPECT_EQ(testing::TreeOf(data.Path()), before);
}

TEST_F(ModellTest, ModelNineThousandNeedsNoFile) {
  TModell m(*file, *kalender);
  m.Load(9000);
  ASSERT_EQ(m.VersionCount(), 1);
  EXPECT_EQ(ModellName(m.Version(0)), "Kein Zutritt");
  EXPECT_EQ(m.Version(0).Nummer, 9000);
  EXPECT_EQ(m.ProfilFuerDatum(EncodeDate(2026, 3, 4)).Profil().Soll, 0);
  EXPECT_TRUE(testing::FolderListing(Folder()).empty());
}

TEST_F(ModellTest, AModelWithoutVersionsOrModelOneIsNotFound) {
  TModell m(*file, *kalender);
  try {
    m.Load(5);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Modell 5 wurde nicht gefunden!");
  }
}

TEST_F(ModellTest, BadStoredDatesSkipAVersionButFailTheBaseRecord) {
  Store(5, StoredVersion("Basis", "20040101"));
  Store(1005, StoredVersion("Kaputt", "20041340"));
  Store(2005, StoredVersion("Gut", "20050101"));
  TModell m(*file, *kalender);
  m.Load(5);
  ASSERT_EQ(m.VersionCount(), 2);
  EXPECT_EQ(ModellName(m.Version(0)), "Gut");
  Store(6, StoredVersion("Kaputt", "20041340"));
  TModell bad(*file, *kalender);
  try {
    bad.Load(6);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("Modell-Dateifehler"), std::string::npos) << e.Message();
  }
}

TEST_F(ModellTest, AShortFileReadsWithZerosForTheMissingBytes) {
  Store(4, StoredVersion("Kurz", "20040101").substr(0, 69 + 312 + 2));
  TModell m(*file, *kalender);
  m.Load(4);
  const ModellVersion& v = m.Version(0);
  EXPECT_EQ(ModellName(v), "Kurz");
  EXPECT_EQ(v.Profil[0].Soll, HMToTime(1, 0));
  EXPECT_EQ(v.Profil[1].Soll, 0);
}

TEST_F(ModellTest, AHolidayTakesTheHolidayProfileWithItsWeekdaysTimes) {
  Store(2, StoredVersion("M", "20040101", 30));
  TModell m(*file, *kalender);
  m.Load(2);
  // 25 December 2024 is a Wednesday; 24 December is no active holiday.
  TModellTag tag = m.ProfilFuerDatum(EncodeDate(2024, 12, 25));
  EXPECT_EQ(tag.ProfilNr, 8);
  EXPECT_EQ(tag.Profil().Soll, HMToTime(3, 30));
  EXPECT_EQ(tag.Profil().TagWert1, HMToTime(3, 30));
  tag = m.ProfilFuerDatum(EncodeDate(2024, 12, 24) + 0.5);
  EXPECT_EQ(tag.ProfilNr, 2);
  EXPECT_EQ(tag.Profil().Soll, HMToTime(2, 30));
  EXPECT_EQ(m.ProfilFuerDatum(EncodeDate(2024, 12, 29)).ProfilNr, 7);  // Sunday
}

TEST_F(ModellTest, SaveRemovesSurplusVersionsWithoutBackups) {
  Store(5, StoredVersion("A", "20040101"));
  Store(1005, StoredVersion("B", "20050101"));
  Store(2005, StoredVersion("C", "20060101"));
  testing::WriteFileBytes(Folder() + "SMOD3005.JBK", StoredVersion("alt", "20070101"));
  TModell m(*file, *kalender);
  m.Load(5);
  ASSERT_EQ(m.VersionCount(), 3);
  ModellVersion newest = m.Version(0);
  ModellVersion oldest = m.Version(2);
  m.Clear();
  m.Insert(oldest);
  m.Insert(newest);
  m.Save();
  EXPECT_EQ(testing::FolderListing(Folder()),
            (std::vector<std::string>{"SMOD1005.DAT", "SMOD5.DAT"}));
  TModell again(*file, *kalender);
  again.Load(5);
  ASSERT_EQ(again.VersionCount(), 2);
  EXPECT_EQ(ModellName(again.Version(0)), "C");
  EXPECT_EQ(ModellName(again.Version(1)), "A");
}

TEST_F(ModellTest, NormalisingTurnsEveryYearOffForASingleVersion) {
  Store(9, StoredVersion("Einzeln", "00000229"));  // read as 28 February, also in a leap year
  tp.clock.SetNow(EncodeDate(2028, 5, 1));
  TModell m(*file, *kalender);
  m.Load(9);
  EXPECT_FALSE(m.Version(0).JedesJahr);
  EXPECT_EQ(m.Version(0).SortDatum, EncodeDate(1995, 1, 1));
  EXPECT_EQ(m.Version(0).StartDatum, EncodeDate(2028, 2, 28));
  m.Insert(m.Version(0));
  m.Version(0).SortDatum = EncodeDate(2028, 1, 10);
  m.Version(1).SortDatum = EncodeDate(2028, 2, 29);
  tp.clock.SetNow(EncodeDate(2026, 5, 1));
  m.Normalisieren(true);
  EXPECT_TRUE(m.Version(0).JedesJahr);
  EXPECT_TRUE(m.Version(1).JedesJahr);
  EXPECT_EQ(m.Version(0).SortDatum, EncodeDate(2026, 2, 28));  // newest first
  EXPECT_EQ(m.Version(1).SortDatum, EncodeDate(2026, 1, 10));
}

// An every-year version dated 29 February starts on 28 February in every year. Its stored text
// "00000229" (as older saves wrote it) must still be read in a common year, and a save writes
// "00000228".
TEST_F(ModellTest, AnEveryYearVersionOn29FebruaryStartsOn28FebruaryInEveryYear) {
  Store(3, StoredVersion("Januar", "00000101"));
  Store(1003, StoredVersion("Schalttag", "00000229"));
  struct Case {
    TDateTime date;
    const char* want;
  };
  for (uint16_t jahr : {2028, 2029}) {
    SCOPED_TRACE(jahr);
    tp.clock.SetNow(EncodeDate(jahr, 5, 1));
    file = std::make_unique<TModellFile>(tp.Get(), konfig);  // nothing cached from the last year
    TModell m(*file, *kalender);
    m.Load(3);
    ASSERT_EQ(m.VersionCount(), 2);
    EXPECT_EQ(m.Version(0).SortDatum, EncodeDate(jahr, 2, 28));
    for (const Case& c :
         {Case{EncodeDate(2028, 2, 27), "Januar"}, Case{EncodeDate(2028, 2, 28), "Schalttag"},
          Case{EncodeDate(2028, 2, 29), "Schalttag"}, Case{EncodeDate(2029, 2, 27), "Januar"},
          Case{EncodeDate(2029, 2, 28), "Schalttag"}}) {
      EXPECT_EQ(NameFor(m, c.date), c.want) << DayOfDate(c.date) << "." << YearOfDate(c.date);
    }
    m.Save();
    // Loading renumbered the versions: the newest, Schalttag, is record 3.
    EXPECT_EQ(testing::ReadFileBytes(Path(3)).substr(51, 9),
              "\x08"
              "00000228");
    EXPECT_EQ(testing::ReadFileBytes(Path(1003)).substr(51, 9),
              "\x08"
              "00000101");
    Store(3, StoredVersion("Schalttag", "00000229"));
  }
}

TEST_F(ModellTest, AutomaticClockInSurvivesSavingAndLoading) {
  // Model 1 by hand: core time from 7:00, clock-in 0:30 after it (hours 0, minutes 2 x 30).
  std::string eins = StoredVersion("Standard", "20040101");
  eins[69 + 19] = 7;
  eins[69 + 97] = 1;
  eins[69 + 5] = 60;
  eins[69 + 91] = 1;
  Store(1, eins);
  TModell kopie(*file, *kalender);
  kopie.Load(7);  // created and saved as a copy of model 1
  EXPECT_EQ(kopie.Version(0).Profil[0].AutoKommen, HMToTime(7, 30));
  EXPECT_EQ(testing::ReadFileBytes(Path(7)).substr(69 + 4, 2), std::string("\0\x3C", 2));

  // Clock-in 7:30 with core time from 7:00 set in memory, saved and read by a fresh file object.
  Tagesprofil& dienstag = kopie.Version(0).Profil[1];
  dienstag.HatKernzeit = true;
  dienstag.KernBeginn = HMToTime(7, 0);
  dienstag.KernEnde = HMToTime(15, 0);
  dienstag.HatAutoKommen = true;
  dienstag.AutoKommen = HMToTime(7, 30);
  kopie.Save();
  TModellFile frisch(tp.Get(), konfig);
  TModell again(frisch, *kalender);
  again.Load(7);
  EXPECT_EQ(again.Version(0).Profil[0].AutoKommen, HMToTime(7, 30));
  EXPECT_TRUE(again.Version(0).Profil[1].HatAutoKommen);
  EXPECT_EQ(again.Version(0).Profil[1].AutoKommen, HMToTime(7, 30));
  EXPECT_EQ(again.Version(0).Profil[1].KernBeginn, HMToTime(7, 0));
}

TEST_F(ModellTest, InsertionKeepsNewestFirstAndLowerNumbersFirstOnEqualStarts) {
  TModell m(*file, *kalender);
  ModellVersion v{};
  const struct {
    int32_t nummer;
    TDateTime sort;
  } inserts[] = {{2005, 100}, {1005, 300}, {5, 100}, {3005, 200}};
  for (const auto& i : inserts) {
    v.Nummer = i.nummer;
    v.SortDatum = i.sort;
    m.Insert(v);
  }
  std::vector<int32_t> order;
  for (int32_t i = 0; i < m.VersionCount(); ++i) order.push_back(m.Version(i).Nummer);
  EXPECT_EQ(order, (std::vector<int32_t>{1005, 3005, 5, 2005}));
}

TEST_F(ModellTest, AFailedSaveRaisesTheFileErrorAndKeepsTheStoredVersion) {
  Store(5, StoredVersion("Alt", "20040101"));
  TModell m(*file, *kalender);
  m.Load(5);
  SetModellName(m.Version(0), "Neu");
  tp.files.FailWrite(1, platform::kDiskFull);
  try {
    m.Save();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message().rfind("Modell-Dateifehler", 0), 0u) << e.Message();
  }
  EXPECT_EQ(tp.files.OpenFiles(), 0);
  EXPECT_EQ(testing::ReadFileBytes(Path(5)).substr(0, 4),
            "\x03"
            "Alt");
  m.Save();
  EXPECT_EQ(testing::ReadFileBytes(Path(5)).substr(0, 4),
            "\x03"
            "Neu");
}

TEST_F(ModellTest, AssignCopiesVersionsAndNumber) {
  Store(5, StoredVersion("A", "20040101"));
  TModell m(*file, *kalender);
  m.Load(5);
  TModell copy(*file, *kalender);
  copy.Assign(m);
  EXPECT_EQ(copy.Nummer(), 5);
  ASSERT_EQ(copy.VersionCount(), 1);
  EXPECT_EQ(ModellName(copy.Version(0)), "A");
  EXPECT_THROW(copy.Version(1), EListError);
}

}  // namespace
}  // namespace qrv
