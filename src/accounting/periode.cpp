#include "accounting/periode.h"

#include <string>

#include "util/errors.h"

namespace qrv {

TMonatsSchluessel MonatVon(TDateTime datum) {
  uint16_t jahr = 0;
  uint16_t monat = 0;
  uint16_t tag = 0;
  DecodeDate(datum, &jahr, &monat, &tag);
  return {jahr, monat};
}

TMonatsSchluessel NaechsterMonat(TMonatsSchluessel m) {
  if (m.Monat >= 12) return {static_cast<uint16_t>(m.Jahr + 1), 1};
  return {m.Jahr, static_cast<uint16_t>(m.Monat + 1)};
}

TMonatsSchluessel VorigerMonat(TMonatsSchluessel m) {
  if (m.Monat <= 1) return {static_cast<uint16_t>(m.Jahr - 1), 12};
  return {m.Jahr, static_cast<uint16_t>(m.Monat - 1)};
}

int32_t PeriodenEnde(int32_t monatsEnde, TMonatsSchluessel m) {
  const int32_t letzter = DaysInMonth(m.Jahr, m.Monat);
  if (monatsEnde == 0 || monatsEnde > letzter) return letzter;
  return monatsEnde < 1 ? 1 : monatsEnde;
}

TDateTime PeriodenEndeDatum(int32_t monatsEnde, TMonatsSchluessel m) {
  return EncodeDate(m.Jahr, m.Monat, PeriodenEnde(monatsEnde, m));
}

TDateTime BisKuerzen(const TZeitraum& z, TDateTime bis) {
  return z.Austritt > 0 && z.Austritt < bis ? z.Austritt : bis;
}

void RaiseMonatVor(const TZeitraum& z) {
  throw Exception("Monat vor " + std::to_string(YearOfDate(z.VerwStart)));
}

void PruefeBis(const TZeitraum& z, TDateTime bis) {
  if (bis < z.Eintritt) throw Exception(kMsgVorZeiterfassung);
  if (bis < z.VerwStart) RaiseMonatVor(z);
}

void PruefeVon(const TZeitraum& z, TDateTime von) {
  if (z.Austritt > 0 && z.Austritt < von) throw Exception(kMsgNachZeiterfassung);
  if (von > z.VerwEnd) throw Exception("Monat nach " + std::to_string(YearOfDate(z.VerwEnd)));
}

}  // namespace qrv
