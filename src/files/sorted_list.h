// TSortedList: a list of texts, each with an object the list owns, kept in order by a
// comparison that may look at the objects as well as the texts. Deleting an entry, clearing or
// destroying the list frees the objects. The person list derives from it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/persistent.h"
#include "platform/nls.h"

namespace qrv {

enum class TDuplicates { dupIgnore = 0, dupAccept = 1, dupError = 2 };

inline constexpr char kMsgDuplicates[] = "In der Stringliste sind Duplikate nicht erlaubt";

class TSortedList {
 public:
  // (text 1, object 1, text 2, object 2): <0, 0 or >0.
  using CompareEvent =
      std::function<int(const std::string&, const TObject*, const std::string&, const TObject*)>;

  // locale compares texts when no other comparison is given; it must outlive the list.
  explicit TSortedList(platform::Locale& locale) : locale_(locale) {}
  virtual ~TSortedList() = default;
  TSortedList(const TSortedList&) = delete;
  TSortedList& operator=(const TSortedList&) = delete;

  // Copies the texts and gives this list its own copies of the source's objects (an object that
  // cannot be copied is left out of the copy).
  virtual void Assign(const TSortedList& source);
  virtual int32_t Add(const std::string& text);
  virtual int32_t AddObject(const std::string& text, std::unique_ptr<TObject> object);
  virtual void Clear();
  virtual void Delete(int32_t index);
  virtual int32_t IndexOf(const std::string& text);
  virtual bool Find(const std::string& text, int32_t* index);
  // Orders the list unless it is sorted already (or inserting).
  virtual void Sort();
  virtual bool FindItem(const std::string& text, const TObject* object, int32_t* index);
  virtual int32_t IndexOfItem(const std::string& text, const TObject* object);
  virtual int CompareItems(const std::string& text1, const TObject* object1,
                           const std::string& text2, const TObject* object2);

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  const std::string& Strings(int32_t index) const;
  TObject* Objects(int32_t index) const;
  bool Sorted() const { return sorted_; }
  // Switching sorting on orders the list.
  void SetSorted(bool sorted);

  bool Inserting = false;
  CompareEvent OnCompare;
  TDuplicates Duplicates = TDuplicates::dupIgnore;
  // Called before and after the order of the whole list changes.
  std::function<void()> OnChanging;
  std::function<void()> OnChange;

 private:
  struct Item {
    std::string text;
    std::unique_ptr<TObject> object;
  };
  void CheckIndex(int32_t index) const;
  int CompareAt(int32_t index, const std::string& text, const TObject* object);
  void QuickSort(int32_t left, int32_t right);

  platform::Locale& locale_;
  std::vector<Item> entries_;
  bool sorted_ = false;
};

}  // namespace qrv
