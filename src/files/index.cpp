#include "files/index.h"

#include "files/file_io.h"
#include "files/indexed_file.h"
#include "util/fileprobe.h"
#include "util/paths.h"
#include "util/stored_bytes.h"

namespace qrv {

namespace {

constexpr char kMissingPersonFolder[] = "Verzeichnis f\xFCr Personenstamm fehlt";

// Raises the owner's CheckLock while it lives.
class CheckLockHold {
 public:
  explicit CheckLockHold(TIndexedFile& file) : file_(file) { ++file_.CheckLock; }
  ~CheckLockHold() { --file_.CheckLock; }
  CheckLockHold(const CheckLockHold&) = delete;
  CheckLockHold& operator=(const CheckLockHold&) = delete;

 private:
  TIndexedFile& file_;
};

}  // namespace

std::string EncodeIndexFile(const std::vector<int32_t>& entries) {
  std::string out(4 + 4 * entries.size(), '\0');
  auto* raw = reinterpret_cast<uint8_t*>(out.data());
  stored::PutI32(raw, 0, static_cast<int32_t>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) stored::PutI32(raw, 4 + 4 * i, entries[i]);
  return out;
}

bool DecodeIndexFile(const void* bytes, size_t size, int32_t highRecord,
                     std::vector<int32_t>* entries) {
  entries->clear();
  const auto* p = static_cast<const unsigned char*>(bytes);
  if (size < 4 || highRecord < 0) return false;
  const int32_t n = stored::GetI32(p, 0);
  if (n != highRecord || (size - 4) / 4 < static_cast<size_t>(n)) return false;
  std::vector<bool> seen(static_cast<size_t>(n) + 1, false);
  entries->reserve(n);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t record = stored::GetI32(p, 4 + 4 * static_cast<size_t>(i));
    if (record < 1 || record > n || seen[record]) {
      entries->clear();
      return false;
    }
    seen[record] = true;
    entries->push_back(record);
  }
  return true;
}

TIndex::TIndex(TIndexedFile& owner, int32_t number)
    : IndexFileName(ChangeFileExt(owner.FileName, ".X" + std::to_string(number))),
      Owner(owner),
      IndexNumber(number) {}

int32_t TIndex::RecordAt(int32_t position) const {
  if (position < 0 || position >= Count()) return 0;
  return Items[position];
}

int32_t TIndex::PositionOf(int32_t record) const {
  for (int32_t i = 0; i < Count(); ++i) {
    if (Items[i] == record) return i;
  }
  return -1;
}

bool TIndex::Find(const void* key, int32_t* position) {
  CheckLockHold hold(Owner);
  std::vector<char> raw(Owner.RawSize);
  std::vector<char> object(Owner.ObjectSize);
  int32_t low = 0;
  int32_t high = Count() - 1;
  bool found = false;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    Owner.ReadRecord(raw.data(), object.data(), 0, 0, RecordAt(middle));
    const int16_t r = Owner.Compare(object.data(), key, IndexNumber);
    if (r < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (r == 0) found = true;
    }
  }
  *position = low;
  return found;
}

int32_t TIndex::Insert(const void* key, int32_t record) {
  int32_t position = 0;
  Find(key, &position);
  Items.insert(Items.begin() + position, record);
  return position;
}

void TIndex::Reposition(const void* object, int32_t record) {
  const int32_t position = PositionOf(record);
  if (position >= 0) Items.erase(Items.begin() + position);
  Insert(object, record);
  SaveIndex();
}

void TIndex::AppendFileName(Exception& e) const {
  e.SetMessage(e.Message() + " (" + IndexFileName + ")");
}

void TIndex::SaveIndex() {
  platform::FileSystem& fs = *Owner.Platform().files;
  try {
    const std::string bytes = EncodeIndexFile(Items);
    ReplaceFile(fs, IndexFileName, bytes.data(), bytes.size());
    IndexFileTime = FileDateOf(fs, IndexFileName, false);
  } catch (EInOutError& e) {
    AppendFileName(e);
    throw;
  }
}

void TIndex::LoadIndex(TIndex& index, bool& invalid) {
  if (invalid) return;
  index.Load(invalid);
}

void TIndex::Load(bool& invalid) {
  Items.clear();
  Items.reserve(Owner.HighRecord > 0 ? Owner.HighRecord : 0);
  try {
    std::string bytes;
    std::vector<int32_t> entries;
    if (!ReadFile(&bytes) ||
        !DecodeIndexFile(bytes.data(), bytes.size(), Owner.HighRecord, &entries)) {
      invalid = true;
      return;
    }
    Items = std::move(entries);
    IndexFileTime = FileDateOf(*Owner.Platform().files, IndexFileName, false);
  } catch (EInOutError& e) {
    AppendFileName(e);
    throw;
  }
}

// An empty index file in place of a missing one (error: how it was missing), with its folder.
void TIndex::CreateEmpty(platform::OsError error) {
  platform::FileSystem& fs = *Owner.Platform().files;
  if (error == platform::kPathNotFound) {
    const platform::OsError created = fs.CreateFolders(ExtractFilePath(IndexFileName));
    if (created != platform::kOk) RaiseFileError(created);
  }
  ReplaceFile(fs, IndexFileName, nullptr, 0);
}

// The bytes of the index file, as many as a valid one holds; false when the file was missing
// (it is then created empty, unless the data are read only).
bool TIndex::ReadFile(std::string* bytes) {
  platform::FileSystem& fs = *Owner.Platform().files;
  std::unique_ptr<platform::File> file;
  const platform::OsError error = fs.Open(IndexFileName, platform::OpenMode::kRead, &file);
  if (error == platform::kPathNotFound && Owner.IsPersonFile) {
    Owner.Platform().ui->ErrorBox(std::string(kMissingPersonFolder) + "\r\n" + IndexFileName);
    RaiseFileError(error);
  }
  if (error == platform::kPathNotFound || error == platform::kFileNotFound) {
    // A missing index is rebuilt; read only, it is not created.
    if (!Owner.ReadOnly()) CreateEmpty(error);
    return false;
  }
  if (error != platform::kOk) RaiseFileError(error);
  const int32_t high = Owner.HighRecord > 0 ? Owner.HighRecord : 0;
  bytes->assign(4 + 4 * static_cast<size_t>(high), '\0');
  size_t got = 0;
  const platform::OsError read = file->ReadAt(0, bytes->data(), bytes->size(), &got);
  file->Close();
  if (read != platform::kOk) RaiseFileError(read);
  bytes->resize(got);
  return true;
}

}  // namespace qrv
