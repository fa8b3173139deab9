// TMonat: one person's month in memory (key: KeyA year, KeyB month, KeyC person number). It loads
// and saves its data block through the month file of the installation's layout, whose layout
// counts it takes over when created. The accounting and the queries work on its data block.
#pragma once

#include <cstdint>
#include <memory>

#include "files/record_file.h"
#include "month/monat_daten.h"
#include "month/monat_file.h"

namespace qrv {

class TMonat : public TFileData {
 public:
  // file is the installation's month file (MonatFileFor); it outlives the record.
  explicit TMonat(TMonatFile& file, bool buffered = false);
  ~TMonat() override { SetBuffered(false); }

  std::unique_ptr<TPersistent> NewInstance() const override;
  // Copies the data block, TageImMonat and the key of another month; anything else raises the
  // invalid cast error.
  void Assign(const TPersistent& source) override;
  // Writes the data block under (year, month, person) unless the save is held back or NurLesen.
  void Save() override;
  void Speichern() { Save(); }

  // Reads the month of a person unless this record holds it already. neuerSatzHook set installs
  // a do-nothing OnNewRecord handler on the month file, clear removes any handler.
  void Laden(int32_t jahr, int32_t monat, bool neuerSatzHook, int32_t persNr);
  // Zeroes the values that a month hands to the next one: MonUebertrag, the balances and their
  // corrections, the counters and the month integers.
  void UebertragLoeschen();

  TMonatFile& File() const { return file_; }

  int32_t AnzBuchungen;
  int32_t Anz2;
  int32_t Anz3;
  int32_t Anz4;
  TMonatDaten Daten{};
  bool NurLesen = false;
  int32_t TageImMonat = 0;
  bool Kompakt;

 private:
  TMonatFile& file_;
};

}  // namespace qrv
