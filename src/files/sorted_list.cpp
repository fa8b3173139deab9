#include "files/sorted_list.h"

#include <utility>

#include "util/errors.h"

namespace qrv {

void TSortedList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count()) {
    RaiseListIndex(index);
  }
}

const std::string& TSortedList::Strings(int32_t index) const {
  CheckIndex(index);
  return entries_[index].text;
}

TObject* TSortedList::Objects(int32_t index) const {
  CheckIndex(index);
  return entries_[index].object.get();
}

void TSortedList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

int TSortedList::CompareItems(const std::string& text1, const TObject* object1,
                              const std::string& text2, const TObject* object2) {
  if (OnCompare) return OnCompare(text1, object1, text2, object2);
  return locale_.CompareText(text1, text2);
}

int TSortedList::CompareAt(int32_t index, const std::string& text, const TObject* object) {
  return CompareItems(entries_[index].text, entries_[index].object.get(), text, object);
}

bool TSortedList::FindItem(const std::string& text, const TObject* object, int32_t* index) {
  if (!sorted_) {
    for (int32_t i = 0; i < Count(); ++i) {
      if (CompareAt(i, text, object) == 0) {
        *index = i;
        return true;
      }
    }
    *index = Count();
    return false;
  }
  bool found = false;
  int32_t low = 0;
  int32_t high = Count() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int c = CompareAt(middle, text, object);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        if (Duplicates != TDuplicates::dupAccept) low = middle;
      }
    }
  }
  *index = low;
  return found;
}

int32_t TSortedList::IndexOfItem(const std::string& text, const TObject* object) {
  if (sorted_) {
    int32_t index = 0;
    return FindItem(text, object, &index) ? index : -1;
  }
  for (int32_t i = 0; i < Count(); ++i) {
    if (locale_.CompareText(entries_[i].text, text) == 0) return i;
  }
  return -1;
}

int32_t TSortedList::Add(const std::string& text) {
  return AddObject(text, nullptr);
}

int32_t TSortedList::IndexOf(const std::string& text) {
  return IndexOfItem(text, nullptr);
}

bool TSortedList::Find(const std::string& text, int32_t* index) {
  return FindItem(text, nullptr, index);
}

int32_t TSortedList::AddObject(const std::string& text, std::unique_ptr<TObject> object) {
  int32_t index = Count();
  if (sorted_ && FindItem(text, object.get(), &index)) {
    if (Duplicates == TDuplicates::dupIgnore) {
      entries_[index].object = std::move(object);
      return index;
    }
    if (Duplicates == TDuplicates::dupError) throw EListError(kMsgDuplicates);
  }
  Inserting = true;
  entries_.insert(entries_.begin() + index, Item{text, std::move(object)});
  Inserting = false;
  return index;
}

void TSortedList::Delete(int32_t index) {
  CheckIndex(index);
  entries_[index].object.reset();
  entries_.erase(entries_.begin() + index);
}

void TSortedList::Clear() {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) it->object.reset();
  entries_.clear();
}

void TSortedList::Assign(const TSortedList& source) {
  if (&source == this) return;
  Clear();
  for (const Item& item : source.entries_) {
    std::unique_ptr<TObject> copy;
    if (const auto* persistent = dynamic_cast<const TPersistent*>(item.object.get())) {
      std::unique_ptr<TPersistent> made = persistent->NewInstance();
      made->Assign(*persistent);
      copy = std::move(made);
    }
    entries_.push_back(Item{item.text, std::move(copy)});
  }
}

void TSortedList::Sort() {
  if (Inserting || sorted_ || Count() < 2) return;
  if (OnChanging) OnChanging();
  QuickSort(0, Count() - 1);
  if (OnChange) OnChange();
}

void TSortedList::QuickSort(int32_t left, int32_t right) {
  int32_t i = left;
  do {
    i = left;
    int32_t j = right;
    const int32_t p = left + (right - left) / 2;
    const std::string pivotText = entries_[p].text;
    const TObject* pivotObject = entries_[p].object.get();
    do {
      // The bounds hold the scans inside the range even for a comparison that is not
      // consistent (one that finds the pivot below itself).
      while (i < right && CompareAt(i, pivotText, pivotObject) < 0) ++i;
      while (j > left && CompareAt(j, pivotText, pivotObject) > 0) --j;
      if (i <= j) {
        std::swap(entries_[i], entries_[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSort(left, j);
    left = i;
  } while (i < right);
}

}  // namespace qrv
