// The booking status word of a day: its bits, their report texts, and whether a day shows an
// error or a warning under a calculation template. The accounting sets the bits; the templates'
// masks decide what counts.
#pragma once

#include <cstdint>
#include <string>

#include "master/bervor_record.h"

namespace qrv {

// Bits of the booking status word of a day.
inline constexpr uint16_t kStatusAutoGehen = 1u << 0;      // "Automatisch ausgestempelt"
inline constexpr uint16_t kStatusNachKernzeit = 1u << 1;   // "nach Kernzeit gekommen"
inline constexpr uint16_t kStatusVorKernzeit = 1u << 2;    // "vor Kernzeit gegangen"
inline constexpr uint16_t kStatusAbgehakt = 1u << 3;       // errors and warnings acknowledged
inline constexpr uint16_t kStatusFehlt = 1u << 4;          // "Eintragung fehlt"
inline constexpr uint16_t kStatusTrotzUrlaub = 1u << 11;   // "Buchungen trotz Urlaub/Krank"
inline constexpr uint16_t kStatusAnwesend = 1u << 12;      // "noch anwesend"
inline constexpr uint16_t kStatusFalscheTaste = 1u << 13;  // "falsche Tastenbuchung"
inline constexpr uint16_t kStatusKorrigiert = 1u << 14;    // bookings added or removed by hand
inline constexpr uint16_t kStatusAutoKommen = 1u << 15;    // "Automatisch eingestempelt"

// Whether the status word of a day shows an error (a warning) under the template. An
// acknowledged day shows neither; "noch anwesend" hides "Automatisch ausgestempelt".
bool IstFehler(const TBerVorRecord& vorlage, uint16_t status);
bool IstWarnung(const TBerVorRecord& vorlage, uint16_t status);
// The report text of a status word: one line per set bit with a text, in the report's order,
// lines separated by CR LF.
std::string StatusText(uint16_t status);

}  // namespace qrv
