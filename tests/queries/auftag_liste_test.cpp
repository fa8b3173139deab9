// The presence pieces of a day cut at its break windows, on day entries built in memory: windows
// visited by their start times, switched-off windows left out, pairs inside a window, and pairs
// that reach into the next day.
#include "queries/auftag_liste.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support/abfrage_installation.h"

namespace qrv {
namespace {

using testing::Uhr;

using Stuecke = std::vector<std::pair<double, double>>;

struct Fenster {
  bool an;
  double von, bis;
};

// The kind-15 items of a day with the pairs (relative to the day) and the break windows 1 to 4.
Stuecke StueckeVon(const std::vector<std::pair<double, double>>& paare,
                   const std::vector<Fenster>& fenster) {
  const TDateTime d = EncodeDate(2004, 6, 14);
  TMonatTag tag{};
  for (const auto& [kommen, gehen] : paare) {
    for (double t : {kommen, gehen}) {
      const TBuchung b{d + t, 0, 0, 0};
      tag.Buchungen[tag.AnzBuchungen++] = b;
      tag.Paare[tag.AnzPaare++] = b;
    }
  }
  Tagesprofil profil{};
  for (size_t i = 0; i < fenster.size(); ++i) {
    profil.Pausen[i] = {fenster[i].an, fenster[i].von, fenster[i].bis};
  }
  const TBerVorRecord vorlage{};
  const TKontoDefs konten;
  const TFehlzeiten fehlzeiten;
  std::vector<TAuftagItem> items;
  AuftagItemsBauen({tag, profil, nullptr, vorlage, konten, fehlzeiten, d, d + 2, 1}, items);
  Stuecke stuecke;
  for (const TAuftagItem& item : items) {
    if (item.Art != akStueck) continue;
    EXPECT_NEAR(item.Wert, item.Bis - item.Von, 1e-12);
    stuecke.emplace_back(item.Von - d, item.Bis - d);
  }
  return stuecke;
}

TEST(AuftagStueckeTest, PairsAreCutAtTheSwitchedOnBreakWindows) {
  struct Case {
    const char* label;
    std::vector<std::pair<double, double>> paare;
    std::vector<Fenster> fenster;
    Stuecke stuecke;
  };
  const Case cases[] = {
      {"no window", {{Uhr(8), Uhr(16)}}, {}, {{Uhr(8), Uhr(16)}}},
      {"windows in start order although numbered the other way",
       {{Uhr(8), Uhr(16)}},
       {{true, Uhr(12), Uhr(12, 30)}, {true, Uhr(9, 30), Uhr(9, 45)}},
       {{Uhr(8), Uhr(9, 30)}, {Uhr(9, 45), Uhr(12)}, {Uhr(12, 30), Uhr(16)}}},
      {"switched-off window takes no part",
       {{Uhr(8), Uhr(16)}},
       {{false, Uhr(12), Uhr(12, 30)}},
       {{Uhr(8), Uhr(16)}}},
      {"going inside a window ends the piece at its start",
       {{Uhr(8), Uhr(12, 10)}},
       {{true, Uhr(12), Uhr(12, 30)}},
       {{Uhr(8), Uhr(12)}}},
      {"coming inside a window starts the piece at its end",
       {{Uhr(12, 10), Uhr(16)}},
       {{true, Uhr(12), Uhr(12, 30)}},
       {{Uhr(12, 30), Uhr(16)}}},
      {"pair wholly inside a window leaves no piece",
       {{Uhr(8), Uhr(11)}, {Uhr(12, 5), Uhr(12, 20)}, {Uhr(13), Uhr(16)}},
       {{true, Uhr(12), Uhr(12, 30)}},
       {{Uhr(8), Uhr(11)}, {Uhr(13), Uhr(16)}}},
      {"pair before and after the window stays whole",
       {{Uhr(8), Uhr(11)}, {Uhr(13), Uhr(16)}},
       {{true, Uhr(12), Uhr(12, 30)}},
       {{Uhr(8), Uhr(11)}, {Uhr(13), Uhr(16)}}},
      {"night shift with a window after midnight",
       {{Uhr(22), 1 + Uhr(6)}},
       {{true, 1 + Uhr(2), 1 + Uhr(2, 30)}},
       {{Uhr(22), 1 + Uhr(2)}, {1 + Uhr(2, 30), 1 + Uhr(6)}}},
      {"pair at midnight on both ends is skipped",
       {{0, 0}, {Uhr(8), Uhr(9)}},
       {},
       {{Uhr(8), Uhr(9)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const Stuecke ist = StueckeVon(c.paare, c.fenster);
    ASSERT_EQ(ist.size(), c.stuecke.size());
    for (size_t i = 0; i < ist.size(); ++i) {
      EXPECT_NEAR(ist[i].first, c.stuecke[i].first, 1e-9) << i;
      EXPECT_NEAR(ist[i].second, c.stuecke[i].second, 1e-9) << i;
    }
  }
}

TEST(AuftagTexteTest, RoundingTextAndModelText) {
  struct Case {
    uint32_t flags;
    int kommen, gehen;
    std::string text;
  };
  const Case cases[] = {
      {1u | 4u, 5, 5, "kommen aufrunden (5min) / gehen abrunden (5min)"},
      {1u | 2u, 0, 3, "kommen abrunden / gehen aufrunden (3min)"},
      {1u, 0, 0, "kommen aufrunden / gehen aufrunden"},
  };
  for (const Case& c : cases) {
    Tagesprofil p{};
    p.RundFlags = c.flags;
    p.RundKommen = Uhr(0, c.kommen);
    p.RundGehen = Uhr(0, c.gehen);
    EXPECT_EQ(RundungText(p), c.text);
  }
  ModellVersion v{};
  v.Name[0] = 4;
  std::memcpy(v.Name + 1, "Fest", 4);
  for (const auto& [nummer, text] :
       std::vector<std::pair<int32_t, std::string>>{{5, "0005 Fest"}, {2005, "0005 Fest"}}) {
    v.Nummer = nummer;
    EXPECT_EQ(ModellText(v), text);
  }
}

}  // namespace
}  // namespace qrv
