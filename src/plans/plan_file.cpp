#include "plans/plan_file.h"

#include <cstring>

#include "util/fileprobe.h"

namespace qrv {

namespace {

void PlanFileSettings(TFile& file, const TKonfig& konfig, const char* baseName, int32_t rawSize,
                      int32_t maxRecord) {
  file.Caption = kPlanCaption;
  file.Directory = WithBackslash(konfig.DataPath);
  file.BaseName = baseName;
  file.Ext = "DAT";
  file.RawSize = rawSize;
  file.SlotSize = rawSize;
  file.ObjectSize = sizeof(TPlanMonat);
  file.MinRecord = 1;
  file.MaxRecord = maxRecord;
  file.HighRecord = maxRecord;
}

}  // namespace

TMPlanFile::TMPlanFile(const platform::Platform& platform, const TKonfig& konfig)
    : TCachedFile(platform, konfig, rfKeyFolder | rfInternalRaw, 250) {
  PlanFileSettings(*this, konfig, "EP", kMPlanRawSize, 999999);
}

void TMPlanFile::RawToObject(void* raw, void* object, int32_t, int32_t, int32_t) {
  MPlanRawToObject(static_cast<const uint8_t*>(raw), *static_cast<TPlanMonat*>(object));
}

void TMPlanFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  MPlanObjectToRaw(*static_cast<TPlanMonat*>(object), static_cast<uint8_t*>(raw));
}

TSPlanFile::TSPlanFile(const platform::Platform& platform, const TKonfig& konfig)
    : TCachedFile(platform, konfig, rfKeyFolder | rfInternalRaw, 30) {
  PlanFileSettings(*this, konfig, "SPL", kSPlanRawSize, 99999);
}

void TSPlanFile::ReadRecord(void* raw, void* object, int32_t a, int32_t b, int32_t c) {
  uint8_t kopf[kPlanKopfSize];
  std::memcpy(kopf, object, kPlanKopfSize);
  try {
    TCachedFile::ReadRecord(raw, object, a, b, c);
  } catch (...) {
    std::memcpy(object, kopf, kPlanKopfSize);
    throw;
  }
  std::memcpy(object, kopf, kPlanKopfSize);
}

void TSPlanFile::RawToObject(void* raw, void* object, int32_t jahr, int32_t, int32_t) {
  const TSPlanKontext kontext{*platform_.locale, konfig_.KontoDefs, static_cast<uint16_t>(jahr)};
  SPlanRawToObject(static_cast<const uint8_t*>(raw), *static_cast<TPlanMonat*>(object), kontext);
}

void TSPlanFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  SPlanObjectToRaw(*static_cast<const TPlanMonat*>(object), static_cast<uint8_t*>(raw),
                   *platform_.locale);
}

}  // namespace qrv
