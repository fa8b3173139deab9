#include "files/cached_file.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace qrv {

namespace {

constexpr double kOneSecond = 1.0 / 86400;

int CompareKeys(const TCachedFile::Entry& e, int32_t a, int32_t b, int32_t c) {
  const auto left = std::tie(e.A, e.B, e.C);
  const auto right = std::tie(a, b, c);
  return left < right ? -1 : (right < left ? 1 : 0);
}

}  // namespace

TCachedFile::TCachedFile(const platform::Platform& platform, const TKonfig& konfig, uint8_t flags,
                         int32_t capacity)
    : TFile(platform, konfig, flags), Capacity(capacity) {
  Entries.reserve(capacity > 0 ? static_cast<size_t>(capacity) : 0);
}

void TCachedFile::Change(bool starting) {
  if (OnChange && !SuppressChange) OnChange(*this, starting);
}

bool TCachedFile::FindEntry(int32_t a, int32_t b, int32_t c, int32_t* position) const {
  int32_t low = 0;
  int32_t high = EntryCount() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int cmp = CompareKeys(*Entries[middle], a, b, c);
    if (cmp == 0) {
      *position = middle;
      return true;
    }
    if (cmp < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  *position = low;
  return false;
}

void TCachedFile::Touch(Entry& entry) {
  const auto now = static_cast<int32_t>(platform_.clock->Ticks());
  entry.LastUse = now;
  // After the tick counter changed sign, older entries take the new value, so that the wrap
  // never makes them look newer than the newest.
  for (auto& e : Entries) {
    if ((e->LastUse < 0) != (now < 0)) e->LastUse = now;
  }
}

void TCachedFile::StoreInto(Entry& entry, const void* raw, const void* object) {
  if (object != nullptr) std::memmove(entry.Object.data(), object, entry.Object.size());
  if (raw != nullptr && !(Flags & rfInternalRaw)) {
    std::memmove(entry.Raw.data(), raw, entry.Raw.size());
  }
}

void TCachedFile::CopyOut(const Entry& entry, void* raw, void* object) const {
  if (object != nullptr) std::memmove(object, entry.Object.data(), entry.Object.size());
  if (raw != nullptr && !(Flags & rfInternalRaw)) {
    std::memmove(raw, entry.Raw.data(), entry.Raw.size());
  }
}

std::unique_ptr<TCachedFile::Entry> TCachedFile::TakeEntryForNewKey() {
  if (EntryCount() < Capacity) {
    auto entry = std::make_unique<Entry>();
    entry->Object.assign(ObjectSize, 0);
    if (!(Flags & rfInternalRaw)) entry->Raw.assign(RawSize, 0);
    return entry;
  }
  // The entry used longest ago makes room (the first of equals).
  auto oldest = Entries.begin();
  for (auto it = Entries.begin(); it != Entries.end(); ++it) {
    if ((*it)->LastUse < (*oldest)->LastUse) oldest = it;
  }
  std::unique_ptr<Entry> entry = std::move(*oldest);
  Entries.erase(oldest);
  return entry;
}

int32_t TCachedFile::AddEntry(int32_t a, int32_t b, int32_t c, const void* raw,
                              const void* object) {
  std::unique_ptr<Entry> entry = TakeEntryForNewKey();
  StoreInto(*entry, raw, object);
  Touch(*entry);
  entry->A = a;
  entry->B = b;
  entry->C = c;
  SelectFile(a, b, c);
  entry->EntryFileName = FileName;
  int32_t position = 0;
  FindEntry(a, b, c, &position);
  Entries.insert(Entries.begin() + position, std::move(entry));
  return position;
}

void TCachedFile::DropEntries(const std::string& fileName) {
  if (fileName.empty()) {
    Entries.clear();
    return;
  }
  std::erase_if(Entries,
                [&](const std::unique_ptr<Entry>& e) { return e->EntryFileName == fileName; });
}

void TCachedFile::ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  if (Capacity <= 0 || CacheBypass > 0) {
    TFile::ReadRecord(raw, object, a, b, c);
    return;
  }
  ReadCached(raw, object, a, b, c);
}

void TCachedFile::ReRead(Entry& entry, bool recent) {
  const int32_t a = entry.A, b = entry.B, c = entry.C;
  std::vector<char> object(ObjectSize);
  std::vector<char> raw(RawSize);
  if (!recent) Change(true);
  try {
    TFile::ReadRecord(raw.data(), object.data(), a, b, c);
  } catch (...) {
    if (!recent) Change(false);
    throw;
  }
  if (!recent) Change(false);
  int32_t position = 0;
  // The read may have written the record back; the entry is found again by its key.
  if (FindEntry(a, b, c, &position)) StoreInto(*Entries[position], raw.data(), object.data());
}

void TCachedFile::ReadCached(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  const double now = platform_.clock->Now();
  double fileTime = 0;
  // The key's file is selected first, so that even the first check of a whole file looks at it.
  SelectFile(a, b, c);
  if (WholeFileMode()) {
    if (!(Flags & rfNoReadCheck)) CheckFileChanged();
  } else {
    fileTime = FileTimeOf(FileName);
  }
  const bool perRecord = !WholeFileMode() && fileTime >= 0;
  bool recent = false;
  int32_t position = 0;
  if (FindEntry(a, b, c, &position)) {
    Entry& entry = *Entries[position];
    recent = entry.EntryFileTime == fileTime && now - entry.EntryChangeTime <= kOneSecond;
    if (perRecord && (entry.EntryFileTime != fileTime || recent || entry.EntryChangeTime != 0)) {
      ReRead(entry, recent);
      FindEntry(a, b, c, &position);
    }
  } else {
    TFile::ReadRecord(raw, object, a, b, c);
    // Creating the record has already cached it; keep that one entry. (Read only, a missing
    // record was not written and is cached here.)
    if (FindEntry(a, b, c, &position)) {
      StoreInto(*Entries[position], raw, object);
    } else {
      position = AddEntry(a, b, c, raw, object);
    }
  }
  Entry& entry = *Entries[position];
  CopyOut(entry, raw, object);
  Touch(entry);
  if (perRecord) {
    if (entry.EntryFileTime != fileTime) {
      entry.EntryChangeTime = now;
    } else if (!recent) {
      entry.EntryChangeTime = 0;
    }
    entry.EntryFileTime = fileTime;
  }
}

void TCachedFile::WriteRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  // Refused before the cache takes a record that never reaches the file.
  RefuseWhenReadOnly(a, b, c);
  if (Capacity <= 0 || CacheBypass > 0) {
    TFile::WriteRecord(raw, object, a, b, c);
    return;
  }
  int32_t position = 0;
  if (FindEntry(a, b, c, &position)) {
    StoreInto(*Entries[position], raw, object);
    Touch(*Entries[position]);
  } else {
    AddEntry(a, b, c, raw, object);
  }
  Change(true);
  try {
    WriteCached(raw, object, a, b, c);
  } catch (...) {
    Change(false);
    throw;
  }
  Change(false);
}

void TCachedFile::WriteCached(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  TFile::WriteRecord(raw, object, a, b, c);
  const double time = FileTimeOf(FileName);
  const double now = platform_.clock->Now();
  if (time < 0) return;
  NoteFileTime(time, now);
  if (WholeFileMode()) return;
  int32_t position = 0;
  if (!FindEntry(a, b, c, &position)) return;
  Entry& entry = *Entries[position];
  if (entry.EntryFileTime != time) entry.EntryChangeTime = now;
  entry.EntryFileTime = time;
}

void TCachedFile::NoteFileTime(double time, double now) {
  if (!WholeFileMode()) return;
  if (time != FileTime) ChangeTime = now;
  FileTime = time;
}

void TCachedFile::DeleteRecord(int32_t a, int32_t b, int32_t c) {
  RefuseWhenReadOnly(a, b, c);
  SelectFile(a, b, c);
  DropEntries(FileName);
  TFile::DeleteRecord(a, b, c);
}

void TCachedFile::Invalidate(const std::string& fileName, bool) {
  ++CacheBypass;
  if (WholeFileMode()) {
    HighRecord = std::clamp(MaxRecord, MinRecord, std::max(MinRecord, MaxRecord));
    DropEntries("");
  } else {
    DropEntries(fileName);
  }
  --CacheBypass;
}

bool TCachedFile::CheckFileChanged() {
  if (CheckLock > 0 || Capacity <= 0) return false;
  const double time = FileTimeOf(FileName);
  const double now = platform_.clock->Now();
  const bool changed = time != FileTime;
  const bool recent = !changed && now - ChangeTime <= kOneSecond;
  if (!changed && !recent && ChangeTime == 0) return false;
  if (changed) {
    ChangeTime = now;
  } else if (!recent) {
    ChangeTime = 0;
  }
  if (FileTime == 0) ChangeTime = 0;
  if (time > 0) FileTime = time;
  if (!recent) Change(true);
  try {
    Invalidate(FileName, false);
  } catch (...) {
    if (!recent) Change(false);
    throw;
  }
  if (!recent) Change(false);
  return true;
}

}  // namespace qrv
