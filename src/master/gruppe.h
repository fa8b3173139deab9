// TGruppe: the in-memory record of a person group. The person file owns one and gives its
// record number (KeyC) to every person it creates as that person's group; the library itself
// reads and writes no group records.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "files/record_file.h"

namespace qrv {

class TGruppe : public TFileData {
 public:
  TGruppe() : TFileData(false) {}
  ~TGruppe() override { SetBuffered(false); }

  std::unique_ptr<TPersistent> NewInstance() const override { return std::make_unique<TGruppe>(); }
  // Copies the group record and its number from another group; anything else raises the invalid
  // cast error.
  void Assign(const TPersistent& source) override;
  // Groups are kept by the installation's group administration, not by this library.
  void Save() override { DeferSave(); }

  // Name as a short string: length byte, then up to 50 characters.
  std::array<uint8_t, 51> Name{};
  std::array<uint8_t, 1197> Daten{};
  int16_t Wert1 = 0;
  uint8_t Flag1 = 0;
  int32_t Wert2 = 0;
  uint8_t Flag2 = 0;
  int32_t Wert3 = 0;
};

}  // namespace qrv
