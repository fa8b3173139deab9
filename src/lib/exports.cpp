// The exported functions. No exception ever leaves them: each answers its failure result instead.
// After a failed start-up there are no objects, and every export answers that result.
#include <cstring>

#include "config/konfig.h"
#include "lib/library.h"
#include "queries/abfrage.h"
#include "queries/auftag.h"
#include "queries/tag_von_bis.h"
#include "queries/zeitberechnung.h"
#include "quorvane.h"

namespace {

void CopyText(const std::string& text, char* buffer) {
  if (buffer) std::memcpy(buffer, text.c_str(), text.size() + 1);
}

constexpr QrvBool kFalse = 0;
constexpr QrvBool kTrue = 1;

}  // namespace

extern "C" {

QRV_API void QRV_CALL GetDataPath(char* Buffer) {
  try {
    qrv::TBibliothek* lib = qrv::CurrentLibrary();
    CopyText(lib ? lib->Konfig().DataPath : std::string(), Buffer);
  } catch (...) {
    CopyText(std::string(), Buffer);
  }
}

QRV_API void QRV_CALL GetPersFrei(int32_t Index, char* Buffer) {
  try {
    qrv::TBibliothek* lib = qrv::CurrentLibrary();
    CopyText(lib ? lib->Konfig().PersstammTexte(Index) : std::string(), Buffer);
  } catch (...) {
    CopyText(std::string(), Buffer);
  }
}

QRV_API int32_t QRV_CALL GetAuswOffset(void) {
  qrv::TBibliothek* lib = qrv::CurrentLibrary();
  if (!lib) return 0;
  const qrv::TKonfig& k = lib->Konfig();
  return k.AuswInit ? -1 : k.AuswOffset;
}

QRV_API int32_t QRV_CALL GetAufOffset(void) {
  qrv::TBibliothek* lib = qrv::CurrentLibrary();
  return lib ? lib->Konfig().AufOffset : 0;
}

QRV_API QrvBool QRV_CALL CalcZeit(int32_t PersNr, QrvDateTime Von, QrvDateTime Bis, double* Zeit1,
                                  double* Zeit2, double* Zeit3, double* Zeit4) {
  if (!Zeit1 || !Zeit2 || !Zeit3 || !Zeit4) return kFalse;
  *Zeit1 = *Zeit2 = *Zeit3 = *Zeit4 = 0;
  try {
    qrv::TBibliothek* lib = qrv::CurrentLibrary();
    if (!lib) return kFalse;
    const qrv::TZeiten z = qrv::Zeitberechnung(lib->Abfrage(), PersNr, Von, Bis);
    *Zeit1 = z.Zeit1;
    *Zeit2 = z.Zeit2;
    *Zeit3 = z.Zeit3;
    *Zeit4 = z.Zeit4;
    return kTrue;
  } catch (...) {
    return kFalse;
  }
}

QRV_API int32_t QRV_CALL QRVBeginAufTag(int32_t PersNr, QrvDateTime Datum, unsigned char Modus) {
  try {
    qrv::TBibliothek* lib = qrv::CurrentLibrary();
    return lib ? lib->AufTag().Begin(PersNr, Datum, Modus) : 0;
  } catch (...) {
    return 0;
  }
}

QRV_API QrvBool QRV_CALL QRVGetAufTagData(int32_t Index, int32_t* Art, double* Von, double* Bis,
                                          double* Wert, char* Buffer) {
  try {
    qrv::TBibliothek* lib = qrv::CurrentLibrary();
    qrv::TAuftagItem item;
    if (lib && Art && Von && Bis && Wert && Buffer && lib->AufTag().Get(Index, item)) {
      *Art = item.Art;
      *Von = item.Von;
      *Bis = item.Bis;
      *Wert = item.Wert;
      CopyText(item.Text, Buffer);
      return kTrue;
    }
  } catch (...) {
  }
  CopyText(std::string(), Buffer);
  return kFalse;
}

QRV_API QrvBool QRV_CALL QRVEndAufTag(void) {
  try {
    qrv::TBibliothek* lib = qrv::CurrentLibrary();
    return lib && lib->AufTag().End() ? kTrue : kFalse;
  } catch (...) {
    return kFalse;
  }
}

QRV_API QrvBool QRV_CALL QRVGetTagVonBis(int32_t PersNr, double* Von, double* Bis,
                                         unsigned char Modus) {
  // Nowhere to answer: nothing is written.
  if (!Von || !Bis) return kTrue;
  double von = *Von;
  double bis = *Bis;
  try {
    qrv::TBibliothek* lib = qrv::CurrentLibrary();
    if (lib) {
      qrv::TagVonBis(lib->Abfrage(), PersNr, von, bis, Modus);
    } else {
      // Without objects the answer is that of a failed enumeration: the day's two midnights.
      qrv::TagesMitternaechte(von, bis);
    }
  } catch (...) {
  }
  *Von = von;
  *Bis = bis;
  return kTrue;
}

}  // extern "C"
