// The order-day enumeration: one day of one person as a list of typed items (model, target, day
// accounts, presence span and pairs, gaps, break windows, frame and rounding settings, presence
// pieces between breaks, booking remarks) that a calling program walks through item by item.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "queries/abfrage.h"

namespace qrv {

// Item kinds.
enum TAuftagArt : uint8_t {
  akSpanne = 0,      // presence span before rounding
  akPaar = 1,        // presence pair
  akModell = 2,      // model of the day
  akSoll = 3,        // target time
  akRahmen = 4,      // frame
  akRundung = 5,     // rounding settings
  akRundFrei = 6,    // no-rounding window
  akNetto = 7,       // net working span
  akLuecke = 8,      // gap between pairs
  akPause = 9,       // break window
  akTagKonto1 = 10,  // day accounts 1 to 5: 10 to 14
  akStueck = 15,     // presence piece outside the breaks
  akBemerkung = 18,  // booking remarks
};

struct TAuftagItem {
  uint8_t Art = 0;
  double Von = 0;
  double Bis = 0;
  double Wert = 0;
  std::string Text;  // ANSI
};

// The enumeration's state (AufTagList, AufTagPerson, AufTagAbrech, AufTagModus, AufTagPlanTag,
// AufTagModellTag). The library keeps one for the exports.
class TAufTag {
 public:
  // umgebung must outlive the enumeration.
  explicit TAufTag(const TAbfrageUmgebung& umgebung);
  ~TAufTag();
  TAufTag(const TAufTag&) = delete;
  TAufTag& operator=(const TAufTag&) = delete;

  // Accounts the month of datum and lists the day's items. An open enumeration is ended first.
  // Answers the item count, 0 on any failure (the items built before it stay until End).
  int32_t Begin(int32_t persNr, TDateTime datum, uint8_t modus);
  // Item index (from 0); false without a list or for an index outside it.
  bool Get(int32_t index, TAuftagItem& item) const;
  int32_t Count() const;
  // Frees the accounting, the person and the list; false only when freeing raised.
  bool End();

 private:
  struct Zustand;
  // Loads the person, accounts the month of datum, takes the day's profile and builds the items.
  void Aufbauen(int32_t persNr, TDateTime datum, uint8_t modus);
  // The items of day d (its midnight) from the accounted month.
  void ItemsBauen(TDateTime d);

  const TAbfrageUmgebung& umgebung_;
  std::unique_ptr<Zustand> zustand_;
};

}  // namespace qrv
