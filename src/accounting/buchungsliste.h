// The evaluated booking list of a day: the stored bookings completed by the automatic clock-in
// and clock-out, with the booking kinds aligned. Entries 1, 3, 5... are comings, 2, 4, 6...
// goings; the gap after a going belongs to the going's kind.
#pragma once

#include <array>
#include <cstdint>

#include "accounting/zeit_text.h"
#include "master/bervor_record.h"
#include "master/modell_version.h"
#include "month/monat_daten.h"

namespace qrv {

// The kind bits of a booking that the evaluation keeps.
inline constexpr uint8_t kArtBits = 0x0E;
// Code2 of an entry the evaluation added: the automatic clock-in and clock-out.
inline constexpr uint8_t kCodeAutoKommen = 2;
inline constexpr uint8_t kCodeAutoGehen = 3;

struct TBuchungsliste {
  std::array<TBuchung, kMaxBuchungen> Eintrag{};
  int Anzahl = 0;

  bool Leer() const { return Anzahl == 0; }
  // Entry i counted from 0; callers stay below Anzahl.
  TDateTime Zeit(int i) const { return Eintrag[i].Zeit; }
  uint8_t Art(int i) const { return Eintrag[i].Art; }
  TDateTime Erste() const { return Zeit(0); }
  TDateTime Letzte() const { return Zeit(Anzahl - 1); }
  // Appends when a slot is free; false when the list is full.
  bool Anhaengen(const TBuchung& b);

  // The day entry's Paare (its count clamped to the slots).
  static TBuchungsliste AusPaaren(const TMonatTag& tag);
  // Writes the list into the day entry's Paare, clearing the unused slots.
  void InPaare(TMonatTag& tag) const;
};

struct TListe {
  TBuchungsliste Liste;
  uint16_t Status = 0;  // the day's status with bits 0, 12, 13 and 15 set anew
};

// Builds the evaluated list of day entry tag of date datum. jetzt closes an open coming of a day
// not yet over; the template's Optionen bits 0 and 1 complete comings and goings at the core
// time. Reads the entry, writes nothing.
TListe BaueListe(const Tagesprofil& profil, const TBerVorRecord& vorlage, TDateTime datum,
                 TDateTime jetzt, const TMonatTag& tag, const TTagSpur& spur);

// now cut (not rounded) to the whole minute.
TDateTime AufMinuteAbgeschnitten(TDateTime t);

}  // namespace qrv
