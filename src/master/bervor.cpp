#include "master/bervor.h"

#include "util/fileprobe.h"
#include "util/texts.h"

namespace qrv {

// --- TBerVorFile ---

TBerVorFile::TBerVorFile(const platform::Platform& platform, const TKonfig& konfig)
    : TFile(platform, konfig, rfSingleRecord | rfInternalRaw) {
  // Stored and held alike; the conversion still goes through explicit little-endian reads, so
  // the file's own buffer is the stored record and the object buffer the caller's record.
  Caption = kMsgBerVorCaption;
  RawSize = kBerVorSize;
  SlotSize = 0;
  ObjectSize = kBerVorSize;
  BaseName = "BVOR";
  Ext = "DAT";
  Directory = WithBackslash(konfig.DataPath) + "SCHPLAN" + platform::kPathSeparator;
  MinRecord = 1;
  MaxRecord = 9999;
}

void TBerVorFile::RawToObject(void* raw, void* object, int32_t, int32_t, int32_t) {
  BerVorRawToObject(static_cast<const uint8_t*>(raw), kBerVorSize,
                    *static_cast<TBerVorRecord*>(object));
}

void TBerVorFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  BerVorObjectToRaw(*static_cast<const TBerVorRecord*>(object), static_cast<uint8_t*>(raw));
}

// --- TBerVor ---

TBerVor::TBerVor(TBerVorFile& file, bool buffered) : TFileData(buffered), file_(file) {}

std::unique_ptr<TPersistent> TBerVor::NewInstance() const {
  return std::make_unique<TBerVor>(file_, Buffered);
}

void TBerVor::Assign(const TPersistent& source) {
  TFileData::Assign(source);
  if (const auto* other = dynamic_cast<const TBerVor*>(&source)) Rec = other->Rec;
}

void TBerVor::LadeBerVor(int32_t nummer) {
  KeyC = nummer;
  if (file_.RecordFileExists(0, 0, nummer)) {
    file_.ReadRecord(nullptr, &Rec, 0, 0, nummer);
    KeyA = 0;
    KeyB = 0;
    Loaded = true;
    if (Rec.Ignoriert == 0 && Rec.Fehler == 0 && Rec.Warnungen == 0) {
      Rec.Fehler = kBerVorFehlerDefault;
      Rec.Warnungen = kBerVorWarnungenDefault;
    }
  } else if (file_.RecordFileExists(0, 0, 1)) {
    file_.ReadRecord(nullptr, &Rec, 0, 0, 1);
    SetBerVorName(Rec, kAutoKopieVon + BerVorName(Rec));
    // Read only, the copy is answered without being written.
    if (file_.ReadOnly()) return;
    Save();
    Refresh();
  }
}

void TBerVor::Save() {
  file_.WriteRecord(nullptr, &Rec, 0, 0, KeyC);
}

}  // namespace qrv
