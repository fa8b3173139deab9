#include "master/bemerk.h"

#include <exception>

#include "util/fileprobe.h"

namespace qrv {

// --- TBemerkFile ---

TBemerkFile::TBemerkFile(const platform::Platform& platform, const TKonfig& konfig)
    : TFile(platform, konfig, rfKeyFolderFixedName | rfInternalRaw) {
  Caption = "Bemerkungen";
  RawSize = kBemerkSize;
  SlotSize = kBemerkSize;
  ObjectSize = kBemerkSize;
  BaseName = "BEMERK";
  Ext = "DAT";
  // Remark 0 means "no remark"; the numbers are 16-bit.
  MinRecord = 1;
  MaxRecord = 65535;
}

void TBemerkFile::RawToObject(void* raw, void* object, int32_t, int32_t, int32_t) {
  BemerkRawToObject(static_cast<const uint8_t*>(raw), kBemerkSize,
                    *static_cast<TBemerkRec*>(object));
}

void TBemerkFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  BemerkObjectToRaw(*static_cast<const TBemerkRec*>(object), static_cast<uint8_t*>(raw));
}

// --- TBemerk ---

TBemerk::TBemerk(TFile* const* bemerkFile, bool buffered)
    : TFileData(buffered), bemerkFile_(bemerkFile) {}

std::unique_ptr<TPersistent> TBemerk::NewInstance() const {
  return std::make_unique<TBemerk>(bemerkFile_, Buffered);
}

void TBemerk::Assign(const TPersistent& source) {
  TFileData::Assign(source);
  if (const auto* other = dynamic_cast<const TBemerk*>(&source)) Rec = other->Rec;
}

TFile& TBemerk::FileOrRaise() const {
  if (bemerkFile_ == nullptr || *bemerkFile_ == nullptr) throw Exception(kMsgKeineBemerkDatei);
  return **bemerkFile_;
}

std::string TBemerk::GetText(int32_t nummer, int32_t persNr, TDateTime datum) {
  if (nummer == 0) return {};
  try {
    Load(YearOfDate(datum), nummer);
    if (Rec.Nummer == nummer && Rec.PersNr == persNr && Rec.Datum == datum) return BemerkText(Rec);
  } catch (const std::exception&) {
    // A remark that cannot be read is no remark.
  }
  return {};
}

void TBemerk::Load(int32_t jahr, int32_t nummer) {
  TFile& file = FileOrRaise();
  if (nummer >= RecordCount(file, jahr)) {
    KeyC = 0;
    Loaded = false;
    return;
  }
  if (IsLoaded(jahr, 0, nummer)) return;
  KeyA = jahr;
  KeyB = 0;
  KeyC = nummer;
  Rec.Nummer = static_cast<uint16_t>(nummer);
  file.OnNewRecord = nullptr;
  file.ReadRecord(nullptr, &Rec, jahr, 0, nummer);
  Loaded = true;
}

void TBemerk::Save() {
  if (DeferSave()) return;
  FileOrRaise().WriteRecord(nullptr, &Rec, KeyA, 0, KeyC);
}

int32_t TBemerk::RecordCount(TFile& file, int32_t jahr) {
  const int64_t size = FileSizeOf(*file.Platform().files, file.BuildFileName(jahr, 0, 0), true);
  if (size < 1) return 1;
  const int32_t slot = file.SlotSize > 0 ? file.SlotSize : file.RawSize;
  if (slot <= 0) return 1;
  const int64_t count = size / slot;
  return count > 65535 ? 0 : static_cast<int32_t>(count);
}

}  // namespace qrv
