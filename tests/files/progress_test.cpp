#include "files/progress.h"

#include <gtest/gtest.h>

#include <vector>

#include "record_kinds.h"

#if !defined(_WIN32)
#include "platform/posix/posix_progress.h"
#endif

namespace qrv {
namespace {

using Call = testing::RecordingUi::Call;

TEST(ProgressPercentTest, PositionsBecomeWholePercentages) {
  struct Case {
    const char* label;
    int32_t low, high, position, current, expected;
  };
  const Case cases[] = {
      {"first of 3", 1, 3, 1, 0, 33},
      {"second of 3", 1, 3, 2, 0, 66},
      {"last of 3", 1, 3, 3, 0, 100},
      {"first of 9999", 1, 9999, 1, 0, 0},
      {"100th of 9999", 1, 9999, 100, 0, 1},
      {"low above 1", 5, 8, 6, 0, 50},
      {"before the range", 5, 8, 2, 7, 0},
      {"beyond the range", 1, 3, 9, 0, 100},
      {"empty range keeps the bar", 5, 4, 5, 42, 42},
      {"no overflow", -2000000000, 2000000000, 2000000000, 0, 100},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(ProgressPercent(k.low, k.high, k.position, k.current), k.expected) << k.label;
  }
}

TEST(ProgressFormTest, ACaptionReplacesTheTextAnEmptyOneKeepsIt) {
  testing::RecordingUi ui;
  TFormProgress form(ui);
  form.Run(
      "Erstelle Index ", 1,
      [&] {
        form.Report("", 1);
        form.Report("Neu", 2);
        form.Report("", 3);
        form.Finish();
      },
      4);
  EXPECT_EQ(form.Text, "Neu");
  EXPECT_EQ(form.Percent, 100);
  const std::vector<Call> expected{{"Progress", "Erstelle Index "}, {"ProgressPercent", "25"},
                                   {"ProgressText", "Neu"},         {"ProgressPercent", "50"},
                                   {"ProgressPercent", "75"},       {"ProgressPercent", "100"},
                                   {"ProgressFinish", ""}};
  EXPECT_EQ(ui.calls, expected);
}

// Three records stored as they are used.
class SmallFile : public TProgressIndexedFile {
 public:
  SmallFile(const platform::Platform& p, const TKonfig& k)
      : TProgressIndexedFile(p, k, k.DataPath, 10, 1, "DAT", "KLEIN") {
    Caption = "Klein";
    RawSize = SlotSize = ObjectSize = 8;
    MaxRecord = HighRecord = 3;
    Flags |= rfRawIsObject | rfInternalRaw;
    OnNewRecord = [](TFile&, void*, void* object, int32_t, int32_t, int32_t c) {
      std::memset(object, '0' + c, 8);
    };
  }
};

class ProgressFileTest : public testing::RecordFileTest {};

TEST_F(ProgressFileTest, AnIndexRebuildRunsInsideTheProgressWindow) {
  SmallFile f(tp.Get(), konfig);
  char raw[8], object[8];
  f.ReadRecord(raw, object, 0, 0, 1);
  const std::vector<Call> expected{{"Progress", "Erstelle Index "}, {"ProgressPercent", "33"},
                                   {"ProgressPercent", "66"},       {"ProgressPercent", "100"},
                                   {"ProgressPercent", "100"},      {"ProgressFinish", ""}};
  EXPECT_EQ(tp.ui.calls, expected);
  ASSERT_NE(f.ProgressForm, nullptr);
  EXPECT_EQ(f.ProgressForm->Percent, 100);
}

TEST_F(ProgressFileTest, AFailedJobIsPassedOnWithoutFinishing) {
  SmallFile f(tp.Get(), konfig);
  f.OnNewRecord = [](TFile&, void*, void* object, int32_t, int32_t, int32_t c) {
    if (c == 2) throw EInOutError("kaputt", 0);
    std::memset(object, '0' + c, 8);
  };
  char raw[8], object[8];
  EXPECT_THROW(f.ReadRecord(raw, object, 0, 0, 1), EInOutError);
  ASSERT_FALSE(tp.ui.calls.empty());
  EXPECT_EQ(tp.ui.calls.front().kind, "Progress");
  for (const Call& c : tp.ui.calls) EXPECT_NE(c.kind, "ProgressFinish");
  EXPECT_EQ(tp.ui.calls.back().kind, "ShowException");
  // Reports after the job went are harmless.
  f.Progress("", 3);
  f.Done();
}

#if !defined(_WIN32)
TEST(TerminalProgressTest, TheBarLine) {
  EXPECT_EQ(platform::FormatProgressLine("Erstelle Index ", 50, 10),
            "Erstelle Index  [#####     ] 50 %");
  EXPECT_EQ(platform::FormatProgressLine("Gr\xF6\xDF"
                                         "e\r\n",
                                         100, 4),
            "Gr\xC3\xB6\xC3\x9F"
            "e   [####] 100 %");
  EXPECT_EQ(platform::FormatProgressLine("", 150, 2), " [##] 100 %");
}
#endif

}  // namespace
}  // namespace qrv
