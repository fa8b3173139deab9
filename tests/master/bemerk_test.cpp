#include "master/bemerk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "support/doubles.h"

namespace qrv {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

// 5 March 2026.
const TDateTime kTag = EncodeDate(2026, 3, 5);

// One stored remark, written field by field at the stored offsets.
std::string Slot(uint16_t nummer, int32_t persNr, double datum, const std::string& text,
                 uint8_t length = 0xFF) {
  std::string b(kBemerkSize, '\0');
  b[0] = static_cast<char>(nummer & 0xFF);
  b[1] = static_cast<char>(nummer >> 8);
  for (int i = 0; i < 4; ++i)
    b[2 + i] = static_cast<char>(static_cast<uint32_t>(persNr) >> (8 * i));
  b[6] = '\x11';  // reserved bytes travel unchanged
  b[9] = '\x44';
  uint64_t u;
  std::memcpy(&u, &datum, 8);
  for (int i = 0; i < 8; ++i) b[10 + i] = static_cast<char>(u >> (8 * i));
  b[18] = static_cast<char>(length == 0xFF ? text.size() : length);
  b.replace(19, text.size(), text);
  return b;
}

std::string Blank() {
  return std::string(kBemerkSize - 2, ' ') + "\r\n";
}

TEST(BemerkRecordTest, DecodesTheStoredFieldsAndEncodesThemBack) {
  const std::string raw = Slot(513, -70000, kTag + 0.5, "Arzttermin \xFC");
  TBemerkRec r{};
  BemerkRawToObject(reinterpret_cast<const uint8_t*>(raw.data()), raw.size(), r);
  EXPECT_EQ(r.Nummer, 513);
  EXPECT_EQ(r.PersNr, -70000);
  EXPECT_EQ(r.Datum, kTag + 0.5);
  EXPECT_EQ(BemerkText(r), "Arzttermin \xFC");
  std::string out(kBemerkSize, '\x55');
  BemerkObjectToRaw(r, reinterpret_cast<uint8_t*>(out.data()));
  EXPECT_EQ(out, raw);
}

TEST(BemerkRecordTest, ShortRecordsAndLongTexts) {
  const std::string full = Slot(7, 17, kTag, std::string(109, 't'));
  struct Case {
    const char* label;
    std::string raw;
    uint16_t nummer;
    size_t textLength;
  };
  const Case cases[] = {
      {"empty", "", 0, 0},
      {"half a number", full.substr(0, 1), 7, 0},
      {"up to the text", full.substr(0, 18), 7, 0},
      {"text at capacity", full, 7, 109},
      {"length byte one above", Slot(7, 17, kTag, std::string(109, 't'), 110), 7, 109},
      {"length byte 255", Slot(7, 17, kTag, std::string(109, 't'), 255), 7, 109},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TBemerkRec r;
    std::memset(&r, 0x66, sizeof r);
    BemerkRawToObject(reinterpret_cast<const uint8_t*>(c.raw.data()), c.raw.size(), r);
    EXPECT_EQ(r.Nummer, c.nummer);
    EXPECT_EQ(BemerkText(r).size(), c.textLength);
  }
  TBemerkRec r{};
  SetBemerkText(r, std::string(120, 'x'));
  EXPECT_EQ(BemerkText(r), std::string(109, 'x'));
}

class BemerkTest : public ::testing::Test {
 protected:
  BemerkTest() : konfig(tp.Get(), reported), file(PlatformOnData(), konfig) {}

  platform::Platform PlatformOnData() {
    konfig.DataPath = data.Path();
    return tp.Get();
  }
  std::string Path(int32_t jahr) const {
    return data.Path() + std::to_string(jahr) + platform::kPathSeparator + "BEMERK.DAT";
  }
  void Put(int32_t jahr, const std::string& bytes) {
    std::filesystem::create_directories(data.Path() + std::to_string(jahr));
    WriteFileBytes(Path(jahr), bytes);
  }
  // Slot 0 blank, remark 1 of person 17 on kTag, remark 2 of person 18 on the next day.
  void PutSample() {
    Put(2026, Blank() + Slot(1, 17, kTag, "Arzt") + Slot(2, 18, kTag + 1, "Dienstreise"));
  }

  testing::TempFolder data;
  testing::TestPlatform tp;
  bool reported = false;
  TKonfig konfig;
  TBemerkFile file;
  TFile* slot = &file;
};

TEST_F(BemerkTest, TheTextBelongsToItsPersonAndDay) {
  PutSample();
  TBemerk b(&slot);
  struct Case {
    const char* label;
    int32_t nummer;
    int32_t persNr;
    TDateTime datum;
    std::string text;
  };
  const Case cases[] = {
      {"remark 1", 1, 17, kTag, "Arzt"},
      {"remark 2", 2, 18, kTag + 1, "Dienstreise"},
      {"remark 1 again after 2", 1, 17, kTag, "Arzt"},
      {"other person", 1, 18, kTag, ""},
      {"other day", 1, 17, kTag + 1, ""},
      {"same day, other time", 1, 17, kTag + 0.25, ""},
      {"number beyond the file", 3, 17, kTag, ""},
      {"number 0", 0, 17, kTag, ""},
      {"other year", 1, 17, EncodeDate(2025, 3, 5), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(b.GetText(c.nummer, c.persNr, c.datum), c.text);
  }
  EXPECT_FALSE(std::filesystem::exists(data.Path() + "2025"));
}

TEST_F(BemerkTest, AStoredNumberThatDiffersFromTheSlotIsNoMatch) {
  Put(2026, Blank() + Slot(9, 17, kTag, "falsch"));
  TBemerk b(&slot);
  EXPECT_EQ(b.GetText(1, 17, kTag), "");
}

TEST_F(BemerkTest, WithoutARemarkFileEveryTextIsEmpty) {
  PutSample();
  TFile* none = nullptr;
  TBemerk b(&none);
  EXPECT_EQ(b.GetText(1, 17, kTag), "");
  TBemerk noSlot(nullptr);
  EXPECT_EQ(noSlot.GetText(1, 17, kTag), "");
  // A file attached later is seen.
  none = &file;
  EXPECT_EQ(b.GetText(1, 17, kTag), "Arzt");
}

TEST_F(BemerkTest, NumberZeroTouchesNoFile) {
  PutSample();
  TBemerk b(&slot);
  const int before = tp.files.Operations();
  EXPECT_EQ(b.GetText(0, 17, kTag), "");
  EXPECT_EQ(tp.files.Operations(), before);
}

TEST_F(BemerkTest, AFileErrorIsSwallowed) {
  PutSample();
  TBemerk b(&slot);
  tp.files.FailOperation(1, platform::kAccessDenied, true);
  EXPECT_EQ(b.GetText(1, 17, kTag), "");
  tp.files.ClearFaults();
  EXPECT_EQ(tp.files.OpenFiles(), 0);
  EXPECT_EQ(b.GetText(1, 17, kTag), "Arzt");
}

TEST_F(BemerkTest, ANumberBeyondTheFileKeepsTheOldRecord) {
  PutSample();
  TBemerk b(&slot);
  b.Load(2026, 2);
  EXPECT_EQ(b.KeyC, 2);
  b.Load(2026, 3);
  EXPECT_EQ(b.KeyC, 0);
  EXPECT_FALSE(b.Loaded);
  EXPECT_EQ(BemerkText(b.Rec), "Dienstreise");
  EXPECT_EQ(ReadFileBytes(Path(2026)).size(), 3u * kBemerkSize);
}

TEST_F(BemerkTest, ABlankSlotReadsAsAnEmptyRemarkWithoutDefaults) {
  Put(2026, Blank() + Blank() + Slot(2, 18, kTag, "x"));
  bool called = false;
  file.OnNewRecord = [&called](TFile&, void*, void*, int32_t, int32_t, int32_t) { called = true; };
  TBemerk b(&slot);
  b.Load(2026, 1);
  EXPECT_EQ(b.Rec.PersNr, 0);
  EXPECT_FALSE(called);
}

TEST_F(BemerkTest, SaveWritesTheRecordOfTheKeyUnlessDeferred) {
  TBemerk b(&slot, true);
  b.KeyA = 2026;
  b.KeyC = 3;
  b.Rec.Nummer = 3;
  b.Rec.PersNr = 17;
  b.Rec.Datum = kTag;
  SetBemerkText(b.Rec, "Urlaub");
  b.Save();
  EXPECT_FALSE(std::filesystem::exists(Path(2026)));
  b.SetBuffered(false);
  EXPECT_EQ(ReadFileBytes(Path(2026)),
            Blank() + Blank() + Blank() + Slot(3, 17, kTag, "Urlaub").replace(6, 4, 4, '\0'));
  TBemerk other(&slot);
  EXPECT_EQ(other.GetText(3, 17, kTag), "Urlaub");
}

TEST_F(BemerkTest, SavingWithoutAFileIsAnError) {
  TBemerk b(nullptr);
  b.KeyA = 2026;
  b.KeyC = 1;
  EXPECT_THROW(b.Save(), Exception);
}

TEST_F(BemerkTest, RecordCountCountsWholeSlots) {
  struct Case {
    const char* label;
    int64_t size;  // -1: no file
    int32_t slotSize;
    int32_t count;
  };
  const Case cases[] = {
      {"missing file", -1, kBemerkSize, 1},
      {"empty file", 0, kBemerkSize, 1},
      {"less than a slot", 100, kBemerkSize, 0},
      {"three slots and a part", 3 * kBemerkSize + 5, kBemerkSize, 3},
      {"65535 slots", 65535, 1, 65535},
      {"65536 slots", 65536, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::filesystem::remove(Path(2027));
    if (c.size >= 0) Put(2027, std::string(static_cast<size_t>(c.size), 'x'));
    file.SlotSize = c.slotSize;
    EXPECT_EQ(TBemerk::RecordCount(file, 2027), c.count);
  }
}

TEST_F(BemerkTest, TheFileOfAYearLiesInTheYearFolder) {
  EXPECT_EQ(file.BuildFileName(2026, 0, 5), Path(2026));
  EXPECT_EQ(file.RecordPosition(2026, 0, 5), 5 * kBemerkSize);
}

}  // namespace
}  // namespace qrv
