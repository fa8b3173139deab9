#include "master/bervor.h"
#include "master/begrenze.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/read_only.h"
#include "support/doubles.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

// Stored bytes written field by field at the offsets of the stored layout.
class Bytes {
 public:
  explicit Bytes(size_t n = kBerVorSize) : b_(n, '\0') {}
  Bytes& U8(size_t at, uint8_t v) {
    b_.at(at) = static_cast<char>(v);
    return *this;
  }
  Bytes& Int(size_t at, uint64_t v, int n) {
    for (int i = 0; i < n; ++i) U8(at + i, static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Bytes& Dbl(size_t at, double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    return Int(at, u, 8);
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

// A template with a value in every field, its first and last entries of every table set.
Bytes SampleTemplate() {
  Bytes b;
  b.Str(0, "Vollzeit M\xFCnchen").Int(51, 25, 4).U8(55, 0x81).U8(56, 0x1C);
  b.Dbl(49 + 8 * 1, 1.5).Dbl(49 + 8 * 40, -2.25);    // KontoVon[1], [40]
  b.Dbl(369 + 8 * 1, 3.5).Dbl(369 + 8 * 40, 40.75);  // KontoBis[1], [40]
  b.U8(697, 0xAA).U8(736, 0xBB);                     // bytes nobody reads
  b.Dbl(729 + 8 * 1, 0.125).Dbl(729 + 8 * 40, 9.0);  // KontoMin[1], [40]
  const size_t tables[] = {1057, 1534, 2011, 2488};
  for (size_t t = 0; t < 4; ++t) {
    const size_t at = tables[t];
    b.U8(at + 0, 1).Dbl(at + 53, -10.0 - t);            // position -12
    b.U8(at + 52, 2).Dbl(at + 53 + 8 * 52, 100.0 + t);  // position 40
    b.Dbl(at + 53 + 8 * 12, 7.0);                       // position 0, switched off
  }
  b.Int(2965, 5, 4).Int(2969, 0x0008, 2).Int(2971, 0x8011, 2).Int(2973, 0xE006, 2);
  return b;
}

TEST(BerVorRecordTest, DecodesEveryFieldAtItsStoredOffset) {
  const Bytes b = SampleTemplate();
  TBerVorRecord r{};
  BerVorRawToObject(b.data(), kBerVorSize, r);
  EXPECT_EQ(BerVorName(r), "Vollzeit M\xFCnchen");
  EXPECT_EQ(r.MonatsEnde, 25);
  EXPECT_EQ(r.Optionen, 0x81);
  EXPECT_EQ(r.Optionen2, 0x1C);
  EXPECT_EQ(r.KontoVon[0], 1.5);
  EXPECT_EQ(r.KontoVon[39], -2.25);
  EXPECT_EQ(r.KontoBis[0], 3.5);
  EXPECT_EQ(r.KontoBis[39], 40.75);
  EXPECT_EQ(r.KontoMin[0], 0.125);
  EXPECT_EQ(r.KontoMin[39], 9.0);
  const TGrenzen* tables[] = {&r.Untergrenze, &r.Obergrenze, &r.UntergrenzeJahr, &r.ObergrenzeJahr};
  for (int t = 0; t < 4; ++t) {
    SCOPED_TRACE(t);
    EXPECT_TRUE(tables[t]->InKraft(-12));
    EXPECT_EQ(tables[t]->Grenze(-12), -10.0 - t);
    EXPECT_TRUE(tables[t]->InKraft(40));
    EXPECT_EQ(tables[t]->Grenze(40), 100.0 + t);
    EXPECT_FALSE(tables[t]->InKraft(0));
    EXPECT_EQ(tables[t]->Grenze(0), 7.0);
    EXPECT_FALSE(tables[t]->InKraft(-13));
    EXPECT_FALSE(tables[t]->InKraft(41));
  }
  EXPECT_EQ(r.WochenEnde, 5);
  EXPECT_EQ(r.Ignoriert, 0x0008);
  EXPECT_EQ(r.Fehler, 0x8011);
  EXPECT_EQ(r.Warnungen, 0xE006);
}

TEST(BerVorRecordTest, EncodingGivesBackTheStoredBytesIncludingUnreadOnes) {
  const Bytes b = SampleTemplate();
  TBerVorRecord r{};
  BerVorRawToObject(b.data(), kBerVorSize, r);
  std::string out(kBerVorSize, '\x55');
  BerVorObjectToRaw(r, reinterpret_cast<uint8_t*>(out.data()));
  EXPECT_EQ(out, b.str());
}

TEST(BerVorRecordTest, AShortRecordReadsAsFarAsItGoesTheRestZero) {
  const Bytes full = SampleTemplate();
  struct Case {
    const char* label;
    size_t n;
    int32_t monatsEnde;
    uint16_t fehler;
    uint16_t warnungen;
  };
  const Case cases[] = {
      {"empty", 0, 0, 0, 0},
      {"inside the name", 5, 0, 0, 0},
      {"half of MonatsEnde", 53, 25, 0, 0},
      {"before the masks", 2969, 25, 0, 0},
      {"half of Warnungen", 2974, 25, 0x8011, 0x0006},
      {"whole record", kBerVorSize, 25, 0x8011, 0xE006},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TBerVorRecord r;
    std::memset(&r, 0x77, sizeof r);
    BerVorRawToObject(full.data(), c.n, r);
    EXPECT_EQ(r.MonatsEnde, c.monatsEnde);
    EXPECT_EQ(r.Fehler, c.fehler);
    EXPECT_EQ(r.Warnungen, c.warnungen);
    // The last bound ends at 2965.
    EXPECT_EQ(r.ObergrenzeJahr.Grenze(40), c.n >= 2965 ? 103.0 : 0.0);
  }
}

TEST(BerVorRecordTest, NamesAreCutToTheirCapacity) {
  struct Case {
    const char* label;
    uint8_t length;
    size_t expected;
  };
  const Case cases[] = {{"at capacity", 50, 50}, {"one above", 51, 50}, {"255", 255, 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Bytes b;
    for (size_t i = 1; i <= 51; ++i) b.U8(i, 'a');
    b.U8(0, c.length);
    TBerVorRecord r{};
    BerVorRawToObject(b.data(), kBerVorSize, r);
    EXPECT_EQ(BerVorName(r), std::string(c.expected, 'a'));
  }
  TBerVorRecord r{};
  SetBerVorName(r, std::string(60, 'x'));
  EXPECT_EQ(r.Name[0], 50);
  EXPECT_EQ(BerVorName(r), std::string(50, 'x'));
}

// --- the status word ---

TBerVorRecord Masks(uint16_t ignoriert, uint16_t fehler, uint16_t warnungen) {
  TBerVorRecord r{};
  r.Ignoriert = ignoriert;
  r.Fehler = fehler;
  r.Warnungen = warnungen;
  return r;
}

TEST(BerVorStatusTest, ErrorsAndWarningsUnderTheMasks) {
  const TBerVorRecord standard = Masks(0, kBerVorFehlerDefault, kBerVorWarnungenDefault);
  struct Case {
    const char* label;
    TBerVorRecord vorlage;
    uint16_t status;
    bool fehler;
    bool warnung;
  };
  const Case cases[] = {
      {"nothing", standard, 0, false, false},
      {"automatic going", standard, 0x0001, true, false},
      {"automatic coming", standard, 0x8000, true, false},
      {"entry missing", standard, 0x0010, true, false},
      {"late", standard, 0x0002, false, true},
      {"early", standard, 0x0004, false, true},
      {"wrong key", standard, 0x2000, false, true},
      {"still present hides automatic going", standard, 0x1001, false, false},
      {"still present alone", standard, 0x1000, false, false},
      {"still present keeps other bits", standard, 0x1011, true, false},
      {"acknowledged", standard, 0x8019, false, false},
      {"acknowledged warning", standard, 0x2008, false, false},
      {"ignored error bit", Masks(0x0010, 0x0011, 0), 0x0010, false, false},
      {"ignored bit leaves others", Masks(0x0010, 0x0011, 0), 0x0011, true, false},
      {"bit in both masks", Masks(0, 0x0040, 0x0040), 0x0040, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(IstFehler(c.vorlage, c.status), c.fehler);
    EXPECT_EQ(IstWarnung(c.vorlage, c.status), c.warnung);
  }
}

TEST(BerVorStatusTest, StatusTextListsTheBitsInReportOrder) {
  struct Case {
    const char* label;
    uint16_t status;
    std::string text;
  };
  const Case cases[] = {
      {"none", 0, ""},
      {"bits without text", 0x07E0, ""},
      {"still present and automatic going", 4097, "noch anwesend\r\nAutomatisch ausgestempelt"},
      {"one bit", 0x0008, "Fehler/Warnungen wurden abgehakt"},
      {"all", 0xFFFF,
       "noch anwesend\r\nAutomatisch eingestempelt\r\nAutomatisch ausgestempelt\r\n"
       "Eintragung fehlt\r\nBuchungen trotz Urlaub/Krank\r\nfalsche Tastenbuchung\r\n"
       "nach Kernzeit gekommen\r\nvor Kernzeit gegangen\r\n"
       "Buchungen eingef\xFCgt oder gel\xF6scht\r\nFehler/Warnungen wurden abgehakt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(StatusText(c.status), c.text);
  }
}

TEST(BerVorBegrenzeTest, BoundsApplyInTheirOrder) {
  TBerVorRecord v{};
  v.Obergrenze.Setze(3, true, 10);
  v.Untergrenze.Setze(3, true, 20);  // crossed: the lower bound wins
  v.Obergrenze.Setze(5, true, 10);
  v.Untergrenze.Setze(5, true, -10);
  v.ObergrenzeJahr.Setze(5, true, 4);
  v.UntergrenzeJahr.Setze(5, true, 6);  // crossed again: the year's lower bound wins
  v.Obergrenze.Setze(-12, true, 1);
  v.Untergrenze.Setze(7, false, 50);  // switched off
  struct Case {
    const char* label;
    int32_t position;
    bool jahreswechsel;
    double wert;
    double expected;
  };
  const Case cases[] = {
      {"crossed bounds, inside", 3, false, 15, 20},
      {"crossed bounds, above", 3, false, 25, 20},
      {"crossed bounds, below", 3, false, -5, 20},
      {"plain range, inside", 5, false, 3, 3},
      {"plain range, above", 5, false, 11, 10},
      {"plain range, below", 5, false, -11, -10},
      {"year change wins", 5, true, 3, 6},
      {"year change after the plain range", 5, true, -20, 6},
      {"position -12", -12, false, 2, 1},
      {"switched-off bound", 7, true, 0, 0},
      {"position below the table", -13, true, 99, 99},
      {"position above the table", 41, true, 99, 99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    double wert = c.wert;
    Begrenze(v, wert, c.position, c.jahreswechsel);
    EXPECT_EQ(wert, c.expected);
  }
}

// --- the file and the template object ---

class BerVorFileTest : public ::testing::Test {
 protected:
  BerVorFileTest() : konfig(tp.Get(), reported), file(PlatformOnData(), konfig) {}

  // The platform, once the settings name the test's data folder.
  platform::Platform PlatformOnData() {
    konfig.DataPath = data.Path();
    return tp.Get();
  }

  std::string Path(int32_t n) const {
    return data.Path() + "SCHPLAN" + platform::kPathSeparator + "BVOR" + std::to_string(n) + ".DAT";
  }
  void Put(int32_t n, const std::string& bytes) {
    std::filesystem::create_directories(data.Path() + "SCHPLAN");
    WriteFileBytes(Path(n), bytes);
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig konfig;
  TBerVorFile file;
};

TEST_F(BerVorFileTest, LoadsTheTemplateOfItsNumber) {
  Put(3, SampleTemplate().str());
  TBerVor v(file);
  v.LadeBerVor(3);
  EXPECT_EQ(v.KeyC, 3);
  EXPECT_EQ(file.FileName, Path(3));
  EXPECT_EQ(BerVorName(v.Rec), "Vollzeit M\xFCnchen");
  EXPECT_EQ(v.Rec.Fehler, 0x8011);
  EXPECT_EQ(v.Rec.Warnungen, 0xE006);
  EXPECT_EQ(v.Rec.Ignoriert, 0x0008);
}

TEST_F(BerVorFileTest, ATemplateWithoutMasksGetsTheDefaultsInMemoryOnly) {
  Bytes b = SampleTemplate();
  b.Int(2969, 0, 2).Int(2971, 0, 2).Int(2973, 0, 2);
  Put(4, b.str());
  TBerVor v(file);
  v.LadeBerVor(4);
  EXPECT_EQ(v.Rec.Ignoriert, 0);
  EXPECT_EQ(v.Rec.Fehler, 32785);
  EXPECT_EQ(v.Rec.Warnungen, 8198);
  EXPECT_EQ(ReadFileBytes(Path(4)), b.str());
  EXPECT_TRUE(IstFehler(v, 0x0001));
  EXPECT_TRUE(IstWarnung(v, 0x2000));
}

TEST_F(BerVorFileTest, AShortFileIsReadAsFarAsItGoes) {
  struct Case {
    const char* label;
    size_t n;
    const char* name;
    int32_t monatsEnde;
    uint16_t fehler;  // the defaults unless a mask survives
    uint16_t warnungen;
  };
  const Case cases[] = {
      {"empty file", 0, "", 0, 32785, 8198},
      {"name only", 17, "Vollzeit M\xFCnchen", 0, 32785, 8198},
      {"up to MonatsEnde", 55, "Vollzeit M\xFCnchen", 25, 32785, 8198},
      {"one byte short", kBerVorSize - 1, "Vollzeit M\xFCnchen", 25, 0x8011, 0x0006},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Put(6, SampleTemplate().str().substr(0, c.n));
    TBerVor v(file);
    std::memset(&v.Rec, 0x33, sizeof v.Rec);
    v.LadeBerVor(6);
    EXPECT_EQ(BerVorName(v.Rec), c.name);
    EXPECT_EQ(v.Rec.MonatsEnde, c.monatsEnde);
    EXPECT_EQ(v.Rec.KontoMin[39], c.n > 1057 ? 9.0 : 0.0);
    EXPECT_EQ(v.Rec.Fehler, c.fehler);
    EXPECT_EQ(v.Rec.Warnungen, c.warnungen);
  }
}

TEST_F(BerVorFileTest, AMissingTemplateBecomesACopyOfTemplateOne) {
  Bytes one = SampleTemplate();
  one.Str(0, "Standard").Int(2969, 0, 2).Int(2971, 0, 2).Int(2973, 0, 2);
  Put(1, one.str());
  TBerVor v(file);
  v.LadeBerVor(7);
  EXPECT_EQ(BerVorName(v.Rec), "AutoKopie von Standard");
  // The masks are taken as read.
  EXPECT_EQ(v.Rec.Fehler, 0);
  EXPECT_EQ(v.KeyC, 7);
  Bytes expected = one;
  expected.Str(0, "AutoKopie von Standard");
  EXPECT_EQ(ReadFileBytes(Path(7)), expected.str());
  EXPECT_EQ(ReadFileBytes(Path(1)), one.str());
}

TEST_F(BerVorFileTest, ReadOnlyAMissingTemplateIsAnsweredAsTheCopyWithoutWritingIt) {
  Bytes one = SampleTemplate();
  one.Str(0, "Standard");
  Put(1, one.str());
  platform::ReadOnlyFileSystem readOnly(tp.files);
  platform::Platform p = tp.Get();
  p.files = &readOnly;
  TBerVorFile roFile(p, konfig);
  const auto before = testing::TreeOf(data.Path());
  TBerVor v(roFile);
  v.LadeBerVor(7);
  EXPECT_EQ(BerVorName(v.Rec), "AutoKopie von Standard");
  EXPECT_EQ(v.Rec.Fehler, 0x8011);
  EXPECT_EQ(v.KeyC, 7);
  EXPECT_EQ(testing::TreeOf(data.Path()), before);
  EXPECT_THROW(v.Save(), EInOutError);
  EXPECT_EQ(testing::TreeOf(data.Path()), before);
}

TEST_F(BerVorFileTest, TheCopysNameIsCutToFiftyCharacters) {
  Bytes one = SampleTemplate();
  one.Str(0, std::string(45, 'n'));
  Put(1, one.str());
  TBerVor v(file);
  v.LadeBerVor(8);
  EXPECT_EQ(BerVorName(v.Rec), "AutoKopie von " + std::string(36, 'n'));
  TBerVor again(file);
  again.LadeBerVor(8);
  EXPECT_EQ(BerVorName(again.Rec), BerVorName(v.Rec));
}

TEST_F(BerVorFileTest, WithNeitherFileTheRecordKeepsWhatItHeld) {
  TBerVor v(file);
  SetBerVorName(v.Rec, "vorher");
  v.Rec.Fehler = 5;
  v.LadeBerVor(9);
  EXPECT_EQ(BerVorName(v.Rec), "vorher");
  EXPECT_EQ(v.Rec.Fehler, 5);
  EXPECT_EQ(v.KeyC, 9);
  EXPECT_FALSE(std::filesystem::exists(Path(9)));
  EXPECT_FALSE(std::filesystem::exists(Path(1)));
}

TEST_F(BerVorFileTest, ABackupCountsAsTheTemplate) {
  Put(1, SampleTemplate().str());
  std::filesystem::rename(Path(1), data.Path() + "SCHPLAN/BVOR1.JBK");
  TBerVor v(file);
  v.LadeBerVor(1);
  EXPECT_EQ(BerVorName(v.Rec), "Vollzeit M\xFCnchen");
  EXPECT_EQ(ReadFileBytes(Path(1)), SampleTemplate().str());
}

TEST_F(BerVorFileTest, NumbersOutsideTheRangeAreRefusedWithTheCaption) {
  for (int32_t n : {0, -1, 10000}) {
    SCOPED_TRACE(n);
    TBerVor v(file);
    try {
      v.LadeBerVor(n);
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
      EXPECT_EQ(
          e.Message().rfind("Berechnungsvorlagen-Dateifehler\r\nUng\xFCltige Recordnummer\r\n(", 0),
          0u)
          << e.Message();
    }
  }
  EXPECT_FALSE(std::filesystem::exists(data.Path() + "SCHPLAN"));
}

TEST_F(BerVorFileTest, SaveWritesTheRecordAsItsNumberEvenWhenDeferred) {
  TBerVor v(file, true);
  v.KeyC = 12;
  BerVorRawToObject(SampleTemplate().data(), kBerVorSize, v.Rec);
  v.Save();
  EXPECT_EQ(ReadFileBytes(Path(12)), SampleTemplate().str());
  TBerVor back(file);
  back.LadeBerVor(12);
  EXPECT_EQ(std::memcmp(&back.Rec, &v.Rec, sizeof v.Rec), 0);
}

TEST_F(BerVorFileTest, AFailedWriteOfTheCopyIsReportedAndLeavesNoFile) {
  Put(1, SampleTemplate().str());
  tp.files.FailWrite(1, platform::kAccessDenied, true);
  TBerVor v(file);
  try {
    v.LadeBerVor(7);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message().rfind("Berechnungsvorlagen-Dateifehler\r\n", 0), 0u) << e.Message();
  }
  tp.files.ClearFaults();
  EXPECT_EQ(tp.files.OpenFiles(), 0);
  EXPECT_FALSE(std::filesystem::exists(Path(7)));
  EXPECT_EQ(ReadFileBytes(Path(1)), SampleTemplate().str());
}

TEST(BerVorTest, AssignCopiesTheRecordAndTheKey) {
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig k(tp.Get(), reported);
  TBerVorFile file(tp.Get(), k);
  TBerVor a(file);
  a.KeyC = 4;
  a.Rec.MonatsEnde = 20;
  a.Rec.Untergrenze.Setze(40, true, 1.5);
  auto b = a.NewInstance();
  b->Assign(a);
  auto& copy = dynamic_cast<TBerVor&>(*b);
  EXPECT_EQ(copy.KeyC, 4);
  EXPECT_EQ(copy.Rec.MonatsEnde, 20);
  EXPECT_EQ(copy.Rec.Untergrenze.Grenze(40), 1.5);
}

}  // namespace
}  // namespace qrv
