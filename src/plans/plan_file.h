// The two plan files, one file per year and plan number with one record per month (month m is
// slot m - 1): the personal plan file <year>\EP<n>.DAT with the model of each day, and the shift
// plan file <year>\SPL<n>.DAT with the individual day profiles. Both hold a TPlanMonat in memory.
#pragma once

#include <cstdint>

#include "files/cached_file.h"
#include "plans/plan_monat.h"

namespace qrv {

inline constexpr char kPlanCaption[] = "Eigen-/Schichtplan";

class TMPlanFile : public TCachedFile {
 public:
  // platform and konfig must outlive the file. Key: A = year, B = month, C = plan number.
  TMPlanFile(const platform::Platform& platform, const TKonfig& konfig);

  void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
};

class TSPlanFile : public TCachedFile {
 public:
  // platform and konfig must outlive the file; the account kinds are read from konfig.
  TSPlanFile(const platform::Platform& platform, const TKonfig& konfig);

  // Only the day profiles come from the file: Modelle to Gesperrt of the caller's record are
  // left as they were, also when the record is created.
  void ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void RawToObject(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
  void ObjectToRaw(void* raw, void* object, int32_t a, int32_t b, int32_t c) override;
};

}  // namespace qrv
