// The exported functions. No exception ever leaves them: each answers its failure result instead.
// After a failed start-up there are no objects, and every export answers that result.
#include <cstring>

#include "config/konfig.h"
#include "lib/library.h"
#include "quorvane.h"

namespace {

void CopyText(const std::string& text, char* buffer) {
  if (buffer) std::memcpy(buffer, text.c_str(), text.size() + 1);
}

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

}  // extern "C"
