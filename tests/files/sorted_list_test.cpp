#include "files/sorted_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/table_locale.h"
#include "util/errors.h"

namespace qrv {
namespace {

// A persistent object that counts the live instances of its class.
class Item : public TPersistent {
 public:
  explicit Item(int v = 0) : value(v) { ++live; }
  ~Item() override { --live; }
  std::unique_ptr<TPersistent> NewInstance() const override { return std::make_unique<Item>(); }
  void Assign(const TPersistent& source) override {
    value = dynamic_cast<const Item&>(source).value;
  }
  int value;
  static int live;
};
int Item::live = 0;

class SortedListTest : public ::testing::Test {
 protected:
  ~SortedListTest() override { EXPECT_EQ(Item::live, 0); }

  static std::vector<std::string> Texts(const TSortedList& l) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < l.Count(); ++i) out.push_back(l.Strings(i));
    return out;
  }
  static int ValueAt(const TSortedList& l, int32_t i) {
    return static_cast<Item*>(l.Objects(i))->value;
  }

  platform::TableLocale locale;
};

TEST_F(SortedListTest, KeepsEntriesInTheLocalesOrderWithoutRegardToCase) {
  TSortedList l(locale);
  l.SetSorted(true);
  for (const char* t : {"M\xFCller", "arger", "Mueller", "\xC4rger", "zeh"}) l.Add(t);
  EXPECT_EQ(Texts(l),
            (std::vector<std::string>{"arger", "\xC4rger", "Mueller", "M\xFCller", "zeh"}));
  int32_t index = -1;
  EXPECT_TRUE(l.Find("MUELLER", &index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(l.Find("n", &index));
  EXPECT_EQ(index, 4);
  EXPECT_EQ(l.IndexOf("ZEH"), 4);
  EXPECT_EQ(l.IndexOf("x"), -1);
}

TEST_F(SortedListTest, DuplicateRules) {
  TSortedList l(locale);
  l.SetSorted(true);
  l.AddObject("b", std::make_unique<Item>(1));
  l.AddObject("a", std::make_unique<Item>(2));
  // Ignore: one entry stays, its object is replaced (the old one freed), its index answered.
  EXPECT_EQ(l.AddObject("B", std::make_unique<Item>(3)), 1);
  EXPECT_EQ(Texts(l), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(ValueAt(l, 1), 3);
  EXPECT_EQ(Item::live, 2);
  l.Duplicates = TDuplicates::dupError;
  try {
    l.AddObject("a", std::make_unique<Item>(4));
    ADD_FAILURE();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), kMsgDuplicates);
  }
  EXPECT_EQ(l.Count(), 2);
  l.Duplicates = TDuplicates::dupAccept;
  l.AddObject("a", std::make_unique<Item>(5));
  l.AddObject("a", std::make_unique<Item>(6));
  EXPECT_EQ(Texts(l), (std::vector<std::string>{"a", "a", "a", "b"}));
  int32_t index = -1;
  EXPECT_TRUE(l.Find("a", &index));
  EXPECT_EQ(index, 0);  // with accept, the first of the equal entries
}

TEST_F(SortedListTest, SwitchingSortedOffAndOnResortsByTheCurrentComparison) {
  TSortedList l(locale);
  l.SetSorted(true);
  for (int v : {3, 1, 2}) l.AddObject("x" + std::to_string(v), std::make_unique<Item>(10 - v));
  EXPECT_EQ(ValueAt(l, 0), 9);
  l.OnCompare = [](const std::string&, const TObject* a, const std::string&, const TObject* b) {
    return static_cast<const Item*>(a)->value - static_cast<const Item*>(b)->value;
  };
  l.SetSorted(false);
  l.SetSorted(true);
  EXPECT_EQ(Texts(l), (std::vector<std::string>{"x3", "x2", "x1"}));
  // Sorted already: an explicit Sort changes nothing.
  l.OnCompare = nullptr;
  l.Sort();
  EXPECT_EQ(Texts(l), (std::vector<std::string>{"x3", "x2", "x1"}));
}

TEST_F(SortedListTest, AnUnsortedListSearchesTheTextsInOrder) {
  TSortedList l(locale);
  for (const char* t : {"c", "a", "b", "A"}) l.Add(t);
  EXPECT_EQ(Texts(l), (std::vector<std::string>{"c", "a", "b", "A"}));
  // IndexOf looks at the texts even when a comparison of objects is set.
  l.OnCompare = [](const std::string&, const TObject*, const std::string&, const TObject*) {
    return 0;
  };
  EXPECT_EQ(l.IndexOf("A"), 1);
  int32_t index = -1;
  EXPECT_TRUE(l.FindItem("zzz", nullptr, &index));  // FindItem uses the comparison
  EXPECT_EQ(index, 0);
}

TEST_F(SortedListTest, AssignGivesIndependentCopiesOfTheObjects) {
  auto source = std::make_unique<TSortedList>(locale);
  source->SetSorted(true);
  source->AddObject("a", std::make_unique<Item>(1));
  source->AddObject("b", std::make_unique<Item>(2));
  source->AddObject("c", nullptr);
  TSortedList copy(locale);
  copy.Assign(*source);
  EXPECT_EQ(Item::live, 4);
  EXPECT_NE(copy.Objects(0), source->Objects(0));
  source.reset();
  EXPECT_EQ(Item::live, 2);
  EXPECT_EQ(ValueAt(copy, 0), 1);
  EXPECT_EQ(ValueAt(copy, 1), 2);
  EXPECT_EQ(copy.Objects(2), nullptr);
}

TEST_F(SortedListTest, DeleteAndClearFreeTheObjects) {
  TSortedList l(locale);
  for (int v : {1, 2, 3}) l.AddObject("t", std::make_unique<Item>(v));
  l.Delete(1);
  EXPECT_EQ(Item::live, 2);
  EXPECT_EQ(ValueAt(l, 1), 3);
  EXPECT_THROW(l.Delete(2), EListError);
  l.Clear();
  EXPECT_EQ(Item::live, 0);
}

TEST_F(SortedListTest, AnInconsistentComparisonStaysInsideTheList) {
  TSortedList l(locale);
  for (int v = 0; v < 40; ++v) l.AddObject("t", std::make_unique<Item>(v));
  l.OnCompare = [](const std::string&, const TObject*, const std::string&, const TObject*) {
    return -1;  // everything sorts before everything
  };
  l.SetSorted(true);
  EXPECT_EQ(l.Count(), 40);
  EXPECT_EQ(Item::live, 40);
}

}  // namespace
}  // namespace qrv
