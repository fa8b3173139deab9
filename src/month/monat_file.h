// The month files: one file per calendar month (year folder, short month name, extension), one
// record per person at person number x record size. Two layouts exist side by side, and both
// file objects live in every process; the setting IsKlMonat chooses the one an installation
// uses (MonatFileFor).
//   TGMonatFile: full layout, "NEU", 9000-byte records, 40 bookings a day;
//   TKMonatFile: compact layout, "DAT", 2000-byte records, 10 bookings a day.
// Both convert to and from the same 71917-byte month data block (TMonatDaten).
#pragma once

#include <cstdint>

#include "files/cached_file.h"
#include "month/monat_daten.h"

namespace qrv {

class TMonatFile : public TCachedFile {
 public:
  // The layout counts a month record takes over: booking slots per day, stored account values
  // per day, a count kept for the accounting, month accounts kept.
  int32_t AnzBuchungen;
  int32_t Anz2;
  int32_t Anz3;
  int32_t Anz4;

  virtual bool Kompakt() const = 0;

 protected:
  struct Layout {
    const char* ext;
    int32_t size;
    int32_t counts[4];
  };
  TMonatFile(const platform::Platform& platform, const TKonfig& konfig, const Layout& layout);
};

class TGMonatFile : public TMonatFile {
 public:
  TGMonatFile(const platform::Platform& platform, const TKonfig& konfig);
  bool Kompakt() const override { return false; }
  // A conversion error gets "Monat laden <year>/<month>" in front.
  void RawToObject(void* raw, void* object, int32_t jahr, int32_t monat, int32_t persNr) override;
  void ObjectToRaw(void* raw, void* object, int32_t jahr, int32_t monat, int32_t persNr) override;
};

class TKMonatFile : public TMonatFile {
 public:
  TKMonatFile(const platform::Platform& platform, const TKonfig& konfig);
  bool Kompakt() const override { return true; }
  void RawToObject(void* raw, void* object, int32_t jahr, int32_t monat, int32_t persNr) override;
  void ObjectToRaw(void* raw, void* object, int32_t jahr, int32_t monat, int32_t persNr) override;
};

// The month file of the installation's layout.
TMonatFile& MonatFileFor(const TKonfig& konfig, TKMonatFile& kompakt, TGMonatFile& gross);

}  // namespace qrv
