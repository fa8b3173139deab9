// The month's carried values: each is the previous month's value, limited by the template's
// bounds at its position, plus the month's correction and the month's change, rounded by its own
// rule. Also the monthly accounts, credited from the month's sum before the carry-over.
#pragma once

#include "accounting/spur.h"
#include "config/konto_defs.h"
#include "master/bervor_record.h"
#include "month/monat_daten.h"

namespace qrv {

struct TUebertragEingabe {
  const TBerVorRecord* Vorlage = nullptr;
  const TKontoDefs* KontoDefs = nullptr;
  const TMonatDaten* Vormonat = nullptr;
  // The previous month lies in an earlier year: the year-change bounds apply too.
  bool Jahreswechsel = false;
  // Added to the remaining vacation: the entry value in the month recording starts, the yearly
  // value in January, else 0.
  double UrlaubZugang = 0;
  TSpur* Spur = nullptr;
};

// Recomputes the carried values of monat from the previous month and monat's result block, and
// takes the block's weekly running sum as the month's. A value is stored only when it moves by
// 1e-7 or more; the answer tells whether any value was stored or the weekly sum differs.
bool UebertragRechnen(const TUebertragEingabe& e, TMonatDaten& monat);

// Credits every defined account of the monthly kind with the part of [0, month sum of the day
// results] that lies within the template's range of the account (nothing when the account's
// minimum exceeds that part by more than 1e-7).
void MonatskontenRechnen(const TBerVorRecord& vorlage, const TKontoDefs& defs, TMonErgebnis& block,
                         TSpur* spur);

}  // namespace qrv
