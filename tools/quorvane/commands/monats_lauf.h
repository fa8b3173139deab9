// One person's month accounted in memory, as the account and day commands show it: the month
// before and after, the result block and every day the accounting walked. Nothing is written:
// the installation is opened read-only and the tool's host runs no main window.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "accounting/mon_abrech.h"
#include "json/abrech_tag_json.h"
#include "lib/library.h"
#include "master/person.h"
#include "output/format.h"

namespace qrv::tool {

// The defined accounts among 1 to 40 (those of a kind), which the views show.
std::vector<int> DefinierteKonten(const TKontoDefs& defs);

class MonatsLauf {
 public:
  // Loads the person; a number whose slot is not in use is a data error naming it.
  MonatsLauf(TBibliothek& lib, int32_t persNr);

  // Monatsabrechnung(jahr, monat, tag, ende) with the trace listener spur (or none).
  void Abrechnen(uint16_t jahr, uint16_t monat, uint16_t tag, TDateTime ende,
                 TSpur* spur = nullptr);

  // The days from Von to Bis, each on the month record that holds it.
  std::vector<AbrechTagAnsicht> Tage() const;
  // Von, Bis, Vormonat, Monat, MonErgebnis and Tage.
  Json ToJson() const;

  const TMonAbrech& Abrech() const { return *abrech_; }

 private:
  const TMonatTag* TagAm(TDateTime datum) const;

  TPerson person_;
  std::unique_ptr<TMonAbrech> abrech_;
  std::vector<int> konten_;
};

}  // namespace qrv::tool
