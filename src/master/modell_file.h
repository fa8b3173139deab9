// TModellFile: the file of the working-time models. Each version is a one-record file
// SCHMOD\SMOD<n>.DAT of the data folder; version k of model m is record k * 1000 + m.
#pragma once

#include <cstdint>

#include "files/cached_file.h"
#include "master/modell_record.h"

namespace qrv {

class TModellFile : public TCachedFile {
 public:
  // platform and konfig must outlive the file; the account kinds are read from konfig.
  TModellFile(const platform::Platform& platform, const TKonfig& konfig);

  void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t satzNr) override;
  void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  // Versions other than the first lose their backup too, so that removed versions do not come
  // back.
  void DeleteRecord(int32_t a, int32_t b, int32_t satzNr) override;
};

}  // namespace qrv
