#include "month/monat.h"

#include <cstddef>
#include <cstring>

#include "util/datetime.h"

namespace qrv {

TMonat::TMonat(TMonatFile& file, bool buffered)
    : TFileData(buffered),
      AnzBuchungen(file.AnzBuchungen),
      Anz2(file.Anz2),
      Anz3(file.Anz3),
      Anz4(file.Anz4),
      Kompakt(file.Kompakt()),
      file_(file) {}

std::unique_ptr<TPersistent> TMonat::NewInstance() const {
  return std::make_unique<TMonat>(file_);
}

void TMonat::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TMonat*>(&source);
  if (other == nullptr) throw Exception(kMsgInvalidCast);
  std::memcpy(static_cast<void*>(&Daten), &other->Daten, sizeof Daten);
  TageImMonat = other->TageImMonat;
  KeyA = other->KeyA;
  KeyB = other->KeyB;
  KeyC = other->KeyC;
}

void TMonat::Save() {
  if (DeferSave() || NurLesen) return;
  file_.WriteRecord(nullptr, &Daten, KeyA, KeyB, KeyC);
}

void TMonat::Laden(int32_t jahr, int32_t monat, bool neuerSatzHook, int32_t persNr) {
  if (IsLoaded(jahr, monat, persNr)) return;
  KeyA = jahr;
  KeyB = monat;
  KeyC = persNr;
  TageImMonat = DaysInMonth(jahr, static_cast<uint16_t>(monat));
  if (neuerSatzHook) {
    // A new month needs no defaults beyond the zeros it starts with.
    file_.OnNewRecord = [](TFile&, void*, void*, int32_t, int32_t, int32_t) {};
  } else {
    file_.OnNewRecord = nullptr;
  }
  file_.ReadRecord(nullptr, &Daten, jahr, monat, persNr);
  Loaded = true;
}

void TMonat::UebertragLoeschen() {
  Daten.MonUebertrag = 0;
  Daten.MonSaldo = Daten.MonSaldoKorr = 0;
  Daten.MonAnteilB = Daten.MonAnteilBKorr = 0;
  Daten.MonAnteilA = Daten.MonAnteilAKorr = 0;
  for (int k = 0; k < kTagKonten; ++k) Daten.MonTagKonto[k] = Daten.MonTagKontoKorr[k] = 0;
  for (int k = 0; k < kKonten; ++k) Daten.MonKonto[k] = Daten.MonKontoKorr[k] = 0;
  // The counters and the month integers behind them: 24 bytes from MonWarnTage.
  constexpr size_t kFrom = offsetof(TMonatDaten, MonWarnTage);
  static_assert(offsetof(TMonatDaten, Tage) - kFrom == 24);
  std::memset(reinterpret_cast<char*>(&Daten) + kFrom, 0, 24);
}

}  // namespace qrv
