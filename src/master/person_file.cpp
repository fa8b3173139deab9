#include "master/person_file.h"

#include <cmath>

#include "platform/clock.h"

namespace qrv {

namespace {

constexpr int32_t kCacheCapacity = 250;
constexpr int32_t kLastPerson = 9999;

}  // namespace

TPersonFile::TPersonFile(const platform::Platform& platform, const TKonfig& konfig)
    : TProgressIndexedFile(platform, konfig, konfig.KonfigDir, kCacheCapacity, kPersonOrders, "DAT",
                           "PERSONEN"),
      gruppe_(std::make_unique<TGruppe>()) {
  RawSize = kPersonRawSize;
  SlotSize = kPersonRawSize;
  ObjectSize = sizeof(TPersonRec);
  MinRecord = 1;
  MaxRecord = kLastPerson;
  HighRecord = kLastPerson;
  Caption = "Personen";
  IsPersonFile = true;
  OnNewRecord = [this](TFile&, void*, void* object, int32_t, int32_t, int32_t persNr) {
    NewRecord(object, persNr);
  };
}

TPersonFile::~TPersonFile() = default;

TPersonContext TPersonFile::Context() const {
  TPersonContext ctx;
  ctx.Locale = platform_.locale;
  ctx.AuswOffset = konfig_.AuswOffset;
  ctx.FirstDate = FirstPermittedDate(konfig_.VerwJahreMin);
  ctx.Today = std::floor(platform_.clock->Now());
  return ctx;
}

void TPersonFile::RawToObject(void* raw, void* object, int32_t, int32_t, int32_t persNr) {
  PersonRawToObject(static_cast<const uint8_t*>(raw), *static_cast<TPersonRec*>(object), persNr,
                    Context());
}

void TPersonFile::ObjectToRaw(void* raw, void* object, int32_t, int32_t, int32_t) {
  PersonObjectToRaw(static_cast<uint8_t*>(raw), *static_cast<TPersonRec*>(object), Context());
}

int16_t TPersonFile::Compare(const void* record, const void* key, int32_t index) {
  return ComparePersons(*static_cast<const TPersonRec*>(record),
                        *static_cast<const TPersonRec*>(key), index, *platform_.locale,
                        platform_.clock->Now());
}

void TPersonFile::NewRecord(void* object, int32_t persNr) {
  InitNewPerson(*static_cast<TPersonRec*>(object), persNr, konfig_.AuswOffset, gruppe_->KeyC,
                std::floor(platform_.clock->Now()));
}

}  // namespace qrv
