#include "queries/zeitberechnung.h"

#include "accounting/tag_ergebnis.h"
#include "master/person.h"
#include "util/errors.h"

namespace qrv {

namespace {

double Summe(const TMonErgebnis& block, int pos) {
  return block.Werte[ErgebnisPosition(pos)];
}

// The walk takes a day more on each side: both must still be dates, and the range must not end
// before it starts.
void PruefeBereich(TDateTime von, TDateTime bis) {
  PruefeDatum(von);
  PruefeDatum(bis);
  PruefeDatum(von - 1);
  PruefeDatum(bis + 1);
  if (bis < von) throw Exception("Ung\xFCltiger Zeitraum");
}

}  // namespace

TZeiten Zeitberechnung(const TAbfrageUmgebung& umgebung, int32_t persNr, TDateTime von,
                       TDateTime bis) {
  PruefeBereich(von, bis);
  TPerson person(&umgebung.PersonFile, false);
  person.Load(persNr);
  TMonAbrech abrech(umgebung.Abrechnung);
  abrech.Person = &person;
  TMonErgebnis block{};
  abrech.Bereich(block, true, von, bis);
  // The break windows' deduction (at most 0) goes into every sum.
  const double pausen = Summe(block, tpPausen);
  TZeiten z;
  z.Zeit1 = Summe(block, tpAnwesenheit) + pausen;
  z.Zeit2 = Summe(block, tpPraesenz) + pausen;
  z.Zeit3 = Summe(block, tpArbeitUngerundet) + pausen;
  z.Zeit4 = Summe(block, tpArbeitszeit) + pausen;
  return z;
}

}  // namespace qrv
