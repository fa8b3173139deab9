// The period arithmetic of the accounting: the months before and after a month, the day on which
// an accounting period ends, and the checks of a period against the person's recording time and
// the installation's permitted years, with the messages they fail with.
#pragma once

#include <cstdint>

#include "util/datetime.h"

namespace qrv {

inline constexpr char kMsgVorZeiterfassung[] = "Monat vor Zeiterfassungsbeginn";
inline constexpr char kMsgNachZeiterfassung[] = "Monat nach Zeiterfassungsende";

struct TMonatsSchluessel {
  uint16_t Jahr = 0;
  uint16_t Monat = 0;
  bool operator==(const TMonatsSchluessel&) const = default;
  // Whether this month lies before other.
  bool Vor(const TMonatsSchluessel& other) const {
    return Jahr != other.Jahr ? Jahr < other.Jahr : Monat < other.Monat;
  }
};

// The month of a date.
TMonatsSchluessel MonatVon(TDateTime datum);
// December wraps to January of the next year, January to December of the year before.
TMonatsSchluessel NaechsterMonat(TMonatsSchluessel m);
TMonatsSchluessel VorigerMonat(TMonatsSchluessel m);

// The day on which the period of month m ends: the template's month end (0 = the month's last
// day). A month end beyond the month's last day (30 in February) ends the period on that last
// day, and one below 1 on the first.
int32_t PeriodenEnde(int32_t monatsEnde, TMonatsSchluessel m);
TDateTime PeriodenEndeDatum(int32_t monatsEnde, TMonatsSchluessel m);

// A person's recording time and the permitted dates (1 January of the first permitted year to
// 31 December of the last).
struct TZeitraum {
  TDateTime Eintritt = 0;
  TDateTime Austritt = 0;  // 0 = none
  TDateTime VerwStart = 0;
  TDateTime VerwEnd = 0;
};

// bis, shortened to the end of recording when that lies before it.
TDateTime BisKuerzen(const TZeitraum& z, TDateTime bis);
// Raises "Monat vor Zeiterfassungsbeginn" when bis lies before Eintritt, "Monat vor <year>" when
// before the first permitted date.
void PruefeBis(const TZeitraum& z, TDateTime bis);
// Raises "Monat nach Zeiterfassungsende" when the end of recording lies before von, "Monat nach
// <year>" when von lies after the last permitted date.
void PruefeVon(const TZeitraum& z, TDateTime von);
// "Monat vor <year of the first permitted date>".
[[noreturn]] void RaiseMonatVor(const TZeitraum& z);

}  // namespace qrv
