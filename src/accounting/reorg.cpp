#include "accounting/reorg.h"

#include <memory>

#include "accounting/abrech_text.h"
#include "accounting/periode.h"
#include "util/fileprobe.h"

namespace qrv {

std::string ReorgZeile(int32_t persNr, uint16_t jahr, uint16_t monat) {
  const TMonatsSchluessel m{jahr, monat};
  const TMonatsSchluessel n = NaechsterMonat(m);
  return std::to_string(persNr) + ";" + DatumText(EncodeDate(m.Jahr, m.Monat, 1)) + " 00:00;" +
         DatumText(EncodeDate(n.Jahr, n.Monat, 1)) + " 00:00\r\n";
}

void ReorgAnfordern(platform::FileSystem& files, const std::string& dataPath, int32_t persNr,
                    uint16_t jahr, uint16_t monat) noexcept {
  if (dataPath.empty()) return;  // never the root folder of a drive
  try {
    const std::string zeile = ReorgZeile(persNr, jahr, monat);
    const std::string pfad = WithBackslash(dataPath) + kReorgDatei;
    std::unique_ptr<platform::File> datei;
    platform::OsError fehler = files.Open(pfad, platform::OpenMode::kReadWrite, &datei);
    if (fehler == platform::kFileNotFound) {
      fehler = files.Open(pfad, platform::OpenMode::kCreate, &datei);
    }
    if (fehler != platform::kOk) return;
    int64_t groesse = 0;
    if (datei->Size(&groesse) != platform::kOk) return;
    if (datei->WriteAt(groesse, zeile.data(), zeile.size()) != platform::kOk) {
      // No half line for the readers of the file.
      datei->Truncate(groesse);
      return;
    }
    datei->Close();
  } catch (...) {
    // The request never fails the accounting.
  }
}

}  // namespace qrv
