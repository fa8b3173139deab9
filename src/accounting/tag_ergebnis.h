// The positions of a day's results as the installation's programs number them (1 to 60), and
// the accessors through which the accounting reads and writes them: the day entry keeps them in
// arrays counted from 0, which no code outside these accessors indexes.
#pragma once

#include "month/monat_daten.h"
#include "util/errors.h"

namespace qrv {

// Positions of TagErgebnis. 1 to 40 are the per-account values of the defined accounts.
enum TagPos : int {
  tpKonto1 = 1,
  tpKonto40 = 40,
  tpAnwesenheit = 41,       // presence in the evaluation window, before rounding
  tpFeiertag = 42,          // holiday credit
  tpArbeitUngerundet = 43,  // worked time before rounding
  tpPraesenz = 44,          // presence in the evaluation window
  tpArbeitszeit = 45,       // worked time from the first to the last entry
  tpNetto = 46,             // worked time less all deductions
  tpSoll = 47,              // target
  tpIst = 48,               // the day's result
  tpDifferenz = 49,         // result less target
  tpAbwesend = 50,          // away time of plain goings, negative
  tpAbzug1 = 51,            // fixed deduction 1
  tpPausen = 52,            // break windows
  tpAutoPausen = 53,        // automatic break rules
  tpAbzug2 = 54,            // fixed deduction 2
  tpAbzuege = 55,           // all deductions so far
  tpAbwesend4 = 56,         // away time of goings of kind 4
  tpAbwesend6 = 57,         // ... kind 6
  tpAbwesend8 = 58,         // ... kind 8
  tpTagKonten = 59,         // the day accounts' sum
  tpZusatz = 60,
};

// The day entry is packed, so its doubles are read and written by value, never through a
// reference (which would point at an unaligned double).
namespace tag_detail {
inline int Index(int pos, int count) {
  if (pos < 1 || pos > count) RaiseListIndex(pos);
  return pos - 1;
}
}  // namespace tag_detail

// TagErgebnis[pos], pos 1 to 60; EListError for any other position.
inline double Ergebnis(const TMonatTag& tag, int pos) {
  return tag.TagErgebnis[tag_detail::Index(pos, kTagErgebnisse)];
}
inline void SetErgebnis(TMonatTag& tag, int pos, double wert) {
  tag.TagErgebnis[tag_detail::Index(pos, kTagErgebnisse)] = wert;
}

// TagKonto[k] and TagKontoErgebnis[k], k 1 to 5 (vacation hours are 4, sick hours 5).
inline double TagKonto(const TMonatTag& tag, int k) {
  return tag.TagKonto[tag_detail::Index(k, kTagKonten)];
}
inline double TagKontoErgebnis(const TMonatTag& tag, int k) {
  return tag.TagKontoErgebnis[tag_detail::Index(k, kTagKonten)];
}
inline void SetTagKontoErgebnis(TMonatTag& tag, int k, double wert) {
  tag.TagKontoErgebnis[tag_detail::Index(k, kTagKonten)] = wert;
}
// TagKontoWert[j], the day's stored value of defined account j (1 to 40).
inline double TagKontoWert(const TMonatTag& tag, int j) {
  return tag.TagKontoWert[tag_detail::Index(j, kKonten)];
}

}  // namespace qrv
