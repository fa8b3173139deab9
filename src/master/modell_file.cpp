#include "master/modell_file.h"

#include "files/file_io.h"
#include "util/fileprobe.h"

namespace qrv {

TModellFile::TModellFile(const platform::Platform& platform, const TKonfig& konfig)
    : TCachedFile(platform, konfig, rfSingleRecord, 30) {
  Caption = "Modell";
  Directory = WithBackslash(konfig.DataPath) + "SCHMOD" + platform::kPathSeparator;
  BaseName = "SMOD";
  Ext = "DAT";
  RawSize = kModellRawSize;
  SlotSize = kModellRawSize;
  ObjectSize = sizeof(ModellVersion);
  MinRecord = 1;
  MaxRecord = 9999;
  HighRecord = 9999;
}

void TModellFile::RawToObject(void* raw, void* object, int32_t, int32_t, int32_t satzNr) {
  const TModellKontext kontext{*platform_.locale, konfig_.KontoDefs,
                               YearOfDate(platform_.clock->Now())};
  ModellRawToObject(static_cast<uint8_t*>(raw), *static_cast<ModellVersion*>(object), satzNr,
                    kontext);
}

void TModellFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  ModellObjectToRaw(*static_cast<const ModellVersion*>(object), static_cast<uint8_t*>(raw),
                    *platform_.locale);
}

void TModellFile::DeleteRecord(int32_t a, int32_t b, int32_t satzNr) {
  TCachedFile::DeleteRecord(a, b, satzNr);
  // A further version's backup goes with it, so no old version comes back from it.
  if (satzNr >= 1000 && satzNr <= 8999) {
    platform_.files->Remove(BackupName(BuildFileName(a, b, satzNr)));
  }
}

}  // namespace qrv
