#include "files/indexed_file.h"

#include <algorithm>

#include "util/fileprobe.h"
#include "util/paths.h"

namespace qrv {

namespace {

// Raises a counter while it lives.
class Raised {
 public:
  explicit Raised(int32_t& counter) : counter_(counter) { ++counter_; }
  ~Raised() { --counter_; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  int32_t& counter_;
};

// Orders records (ascending, so equal ones keep ascending numbers) by less, a stable merge sort
// that stays within its buffers whatever the comparison answers.
template <typename Less>
void StableOrder(std::vector<int32_t>& items, Less less) {
  std::vector<int32_t> buffer(items.size());
  for (size_t width = 1; width < items.size(); width *= 2) {
    for (size_t left = 0; left < items.size(); left += 2 * width) {
      const size_t middle = std::min(left + width, items.size());
      const size_t right = std::min(left + 2 * width, items.size());
      size_t i = left, j = middle, k = left;
      while (i < middle && j < right)
        buffer[k++] = less(items[j], items[i]) ? items[j++] : items[i++];
      while (i < middle) buffer[k++] = items[i++];
      while (j < right) buffer[k++] = items[j++];
    }
    items.swap(buffer);
  }
}

}  // namespace

TIndexedFile::TIndexedFile(const platform::Platform& platform, const TKonfig& konfig,
                           const std::string& directory, int32_t capacity, int32_t indexCount,
                           const std::string& ext, const std::string& baseName)
    : TCachedFile(platform, konfig, rfWholeFile | rfNoReadCheck, capacity),
      IndexCount(std::clamp(indexCount, 0, kMaxIndexes)) {
  BaseName = baseName;
  Ext = ext;
  Directory = directory;
  MinRecord = 1;
  SelectFile(0, 0, 1);
  for (int32_t i = 0; i < IndexCount; ++i) Indexes[i] = std::make_unique<TIndex>(*this, i);
}

TIndexedFile::~TIndexedFile() = default;

void TIndexedFile::ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  if (CacheBypass > 0) {
    TCachedFile::ReadRecord(raw, object, a, b, c);
    return;
  }
  CheckFileChanged();
  Raised hold(CheckLock);
  TCachedFile::ReadRecord(raw, object, a, b, c);
}

void TIndexedFile::WriteRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  // Refused before the indexes move the record.
  RefuseWhenReadOnly(a, b, c);
  if (CacheBypass > 0) {
    TCachedFile::WriteRecord(raw, object, a, b, c);
    return;
  }
  // A record created while the indexes are searched (it was missing or empty on disk) is
  // written without moving it; the indexes are rebuilt once the outer write is done. Moving it
  // at once could create the next missing record inside, and so on, as deep as the file is long.
  if (repositioning_ > 0) {
    staleIndexes_ = true;
    TCachedFile::WriteRecord(raw, object, a, b, c);
    return;
  }
  // A write before any read finds the indexes not loaded yet: load them first, so that the
  // index files are not overwritten with a partial list.
  if (!indexesLoaded_) CheckFileChanged();
  ChangeEvent change = std::move(OnChange);
  OnChange = nullptr;
  const bool notify = change && !SuppressChange;
  if (notify) change(*this, true);
  try {
    RepositionAll(object, c);
    TCachedFile::WriteRecord(raw, object, a, b, c);
    if (staleIndexes_) {
      staleIndexes_ = false;
      Invalidate(FileName, true);
    }
  } catch (...) {
    OnChange = std::move(change);
    if (notify) OnChange(*this, false);
    throw;
  }
  OnChange = std::move(change);
  if (notify) OnChange(*this, false);
}

void TIndexedFile::RepositionAll(const void* object, int32_t c) {
  Raised hold(repositioning_);
  for (int32_t i = 0; i < IndexCount; ++i) Indexes[i]->Reposition(object, c);
}

void TIndexedFile::Invalidate(const std::string& fileName, bool rebuild) {
  Raised bypass(CacheBypass);
  TCachedFile::Invalidate(fileName, rebuild);
  for (int32_t i = 0; i < IndexCount; ++i) {
    Indexes[i]->IndexFileName = ChangeFileExt(fileName, ".X" + std::to_string(i));
    TIndex::LoadIndex(*Indexes[i], rebuild);
  }
  // Indexes over records that are not all on disk would have to create them while searching:
  // the rebuild creates them first.
  const int64_t size = FileSizeOf(*platform_.files, fileName, false);
  if (IndexCount > 0 && size < (static_cast<int64_t>(HighRecord) + 1) * SlotSize) rebuild = true;
  if (rebuild) BuildIndexes();
  indexesLoaded_ = true;
}

void TIndexedFile::Execute(const std::string& caption, int32_t low, const Work& work,
                           int32_t high) {
  if (OnExecute) {
    OnExecute(caption, low, work, high);
  } else {
    work(*this);
  }
}

void TIndexedFile::Progress(const std::string& caption, int32_t position) {
  if (OnProgress) OnProgress(caption, position);
}

void TIndexedFile::Done() {
  if (OnDone) OnDone();
}

int16_t TIndexedFile::Compare(const void*, const void*, int32_t) {
  return 0;
}

void TIndexedFile::BuildIndexes() {
  ++CheckLock;
  rebuildLocked_ = true;
  // The work lowers CheckLock when it completes; after a failure (or a job runner that never
  // ran the work) it is lowered here, so the freshness checks do not stay off.
  auto release = [this] {
    if (rebuildLocked_) --CheckLock;
    rebuildLocked_ = false;
  };
  try {
    Execute(
        "Erstelle Index ", MinRecord, [this](TIndexedFile& sender) { RebuildWork(sender); },
        HighRecord);
  } catch (...) {
    release();
    throw;
  }
  release();
}

void TIndexedFile::RebuildWork(TIndexedFile&) {
  try {
    RebuildFromRecords();
  } catch (const Exception& e) {
    platform_.ui->ShowException(e.Message());
    throw;
  }
  if (rebuildLocked_) --CheckLock;
  rebuildLocked_ = false;
  Done();
}

// Reads every record once, from the highest number down, then orders each index in memory:
// by Compare, equal records by ascending number, which is the order that inserting each record
// before its equals from the highest number down gives.
void TIndexedFile::RebuildFromRecords() {
  Raised bypass(CacheBypass);
  const int32_t count = HighRecord >= MinRecord ? HighRecord - MinRecord + 1 : 0;
  std::vector<char> raw(RawSize);
  std::vector<char> objects(static_cast<size_t>(count) * ObjectSize);
  for (int32_t i = 0; i < IndexCount; ++i) Indexes[i]->Items.clear();
  auto objectOf = [&](int32_t record) {
    return objects.data() + static_cast<size_t>(record - MinRecord) * ObjectSize;
  };
  for (int32_t r = HighRecord; r >= MinRecord; --r) {
    TCachedFile::ReadRecord(raw.data(), objectOf(r), 0, 0, r);
    Progress("", HighRecord - r + 1);
  }
  for (int32_t i = 0; i < IndexCount; ++i) {
    std::vector<int32_t> order(count);
    for (int32_t k = 0; k < count; ++k) order[k] = MinRecord + k;
    StableOrder(order,
                [&](int32_t x, int32_t y) { return Compare(objectOf(x), objectOf(y), i) < 0; });
    Indexes[i]->Items = std::move(order);
  }
  // Read only, the rebuilt orders serve from memory and the index files stay as they are.
  if (ReadOnly()) return;
  for (int32_t i = 0; i < IndexCount; ++i) Indexes[i]->SaveIndex();
}

}  // namespace qrv
