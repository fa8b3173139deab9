#include "month/monat_file.h"

#include <string>

#include "month/monat_codec.h"

namespace qrv {

namespace {

constexpr int32_t kCacheCapacity = 250;

const uint8_t* RawIn(const void* raw) {
  return static_cast<const uint8_t*>(raw);
}

TMonatDaten& DatenIn(void* object) {
  return *static_cast<TMonatDaten*>(object);
}

}  // namespace

TMonatFile::TMonatFile(const platform::Platform& platform, const TKonfig& konfig,
                       const Layout& layout)
    : TCachedFile(platform, konfig, rfMonthFile | rfInternalRaw, kCacheCapacity),
      AnzBuchungen(layout.counts[0]),
      Anz2(layout.counts[1]),
      Anz3(layout.counts[2]),
      Anz4(layout.counts[3]) {
  Caption = "Monats";
  Ext = layout.ext;
  RawSize = layout.size;
  SlotSize = layout.size;
  ObjectSize = sizeof(TMonatDaten);
  MinRecord = 1;
  MaxRecord = 9999;
  HighRecord = MaxRecord;
}

TGMonatFile::TGMonatFile(const platform::Platform& platform, const TKonfig& konfig)
    : TMonatFile(platform, konfig, {"NEU", kGMonatSize, {kGMonatSlots, 40, 20, 40}}) {}

void TGMonatFile::RawToObject(void* raw, void* object, int32_t jahr, int32_t monat, int32_t) {
  try {
    DecodeGMonat(RawIn(raw), DatenIn(object), jahr, monat);
  } catch (Exception& e) {
    e.SetMessage("Monat laden " + std::to_string(jahr) + "/" + std::to_string(monat) + "\r\n" +
                 e.Message());
    throw;
  }
}

void TGMonatFile::ObjectToRaw(void* raw, void* object, int32_t jahr, int32_t monat, int32_t) {
  EncodeGMonat(DatenIn(object), static_cast<uint8_t*>(raw), jahr, monat);
}

TKMonatFile::TKMonatFile(const platform::Platform& platform, const TKonfig& konfig)
    : TMonatFile(platform, konfig, {"DAT", kKMonatSize, {kKMonatSlots, 0, 20, 20}}) {}

void TKMonatFile::RawToObject(void* raw, void* object, int32_t jahr, int32_t monat, int32_t) {
  DecodeKMonat(RawIn(raw), DatenIn(object), jahr, monat);
}

void TKMonatFile::ObjectToRaw(void* raw, void* object, int32_t jahr, int32_t monat, int32_t) {
  EncodeKMonat(DatenIn(object), static_cast<uint8_t*>(raw), jahr, monat);
}

TMonatFile& MonatFileFor(const TKonfig& konfig, TKMonatFile& kompakt, TGMonatFile& gross) {
  if (konfig.IsKlMonat) return kompakt;
  return gross;
}

}  // namespace qrv
