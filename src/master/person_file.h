// TPersonFile: the person master file PERSONEN.DAT in the settings' KONFIG folder, one stored
// record of 2048 bytes per person number 1 to 9999, with seven sort orders (PERSONEN.X0 to .X6)
// that are loaded or rebuilt under the progress display on the first read. A slot never written
// reads as a new person and is written at once. A missing folder or file is reported and never
// created.
#pragma once

#include <cstdint>
#include <memory>

#include "files/progress.h"
#include "master/gruppe.h"
#include "master/person_record.h"

namespace qrv {

class TPersonFile : public TProgressIndexedFile {
 public:
  TPersonFile(const platform::Platform& platform, const TKonfig& konfig);
  ~TPersonFile() override;

  void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t persNr) override;
  void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  // record and key are TPersonRec; index is the sort order 0 to 6.
  int16_t Compare(const void* record, const void* key, int32_t index) override;

  // The group whose number new persons get.
  TGruppe& Gruppe() { return *gruppe_; }
  // The settings and the clock's date as the conversions use them.
  TPersonContext Context() const;

 private:
  void NewRecord(void* object, int32_t persNr);

  std::unique_ptr<TGruppe> gruppe_;
};

}  // namespace qrv
