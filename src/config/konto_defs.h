// TKontoDefs: the definitions of the time accounts that the monthly accounting keeps for every
// person, read from section KontoDefs of the settings file. Owned by TKonfig, which sets the
// account limits (SetLimits) and then calls Read; the accounting, the spreadsheet month
// calculation and the tool only read them.
//
// Accounts -12..0 are the fixed accounts of every installation; 1..KontoAnzahl are the
// installation's own. The table is indexed by account number.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/nls.h"

namespace qrv {

class TMemIniFile;

// Account kinds (KontoDef::Art). A definition may hold any other value; it counts as no kind.
inline constexpr uint8_t kaUnbenutzt = 0;
inline constexpr uint8_t kaRahmenzeit = 1;
inline constexpr uint8_t kaUeberstunden = 2;
inline constexpr uint8_t kaMehrarbeit = 3;
inline constexpr uint8_t kaWoche = 4;
inline constexpr uint8_t kaMonat = 5;
inline constexpr uint8_t kaSonstiges = 6;
inline constexpr uint8_t kaBerechnet = 7;
inline constexpr uint8_t kaSumme = 8;
inline constexpr uint8_t kaEditierbar = 9;
inline constexpr uint8_t kaIstzeit = 10;
inline constexpr uint8_t kaArbeitsstunden = 11;

// Display formats (KontoDef::Format).
inline constexpr uint8_t kfZeitStdMin = 0;  // 7:30
inline constexpr uint8_t kfZeitStd100 = 1;  // 7,50
inline constexpr uint8_t kfGanzzahl = 2;    // 7
inline constexpr uint8_t kfFestkomma1 = 3;  // 7,5
inline constexpr uint8_t kfFestkomma2 = 4;  // 7,50

inline constexpr int kKontoMin = -12;
inline constexpr int kKontoMax = 40;
inline constexpr int kKontoSlots = 4;

// The names the installation shows for a kind or a format; empty for a value without a name.
std::string KontoArtName(int art);
std::string KontoFormatName(int format);
// The default name of fixed account i (-12..0); empty for any other number.
std::string KontoStandardName(int i);

struct KontoDef {
  std::string Name;
  uint8_t Art = kaUnbenutzt;
  char Zeichen = ' ';  // one-character code of the account
  int32_t Wert = 0;    // a number of the accounts -7 and -6 only
  uint8_t Format = kfZeitStdMin;
  // A sum account adds SumFaktor[k] times account SumKonto[k] over its four slots (slot 1 at
  // index 0). A SumKonto of 0 marks an unused slot.
  std::array<int32_t, kKontoSlots> SumKonto{};
  std::array<double, kKontoSlots> SumFaktor{};

  bool operator==(const KontoDef&) const = default;
};

class TKontoDefs {
 public:
  // The limits of a full month record; SetLimits chooses.
  TKontoDefs() = default;

  // Account limits for the month record in use: 40, 40 and 20, or 20, 0 and 20 for the compact
  // one. Called before Read, since Read drops sum slots above KontoAnzahl.
  void SetLimits(bool isKlMonat);

  // Fills the table from section KontoDefs. The factors of sum accounts are decimal numbers in
  // the locale's format (its decimal separator). Missing keys and unreadable fields read as their
  // defaults; nothing is reported.
  void Read(const TMemIniFile& ini, platform::Locale& locale);

  // Copies the 53 definitions, KontoAnzahl and KontoGrenze.
  void Assign(const TKontoDefs& other);

  // The definition of account i. A number outside -12..40 answers an empty definition, so a
  // stray account number in stored data reads as an unused account.
  const KontoDef& Konto(int i) const;
  const KontoDef& operator[](int i) const { return Konto(i); }
  // Replaces the definition of account i; EListError for a number outside -12..40.
  void SetKonto(int i, const KontoDef& def);

  static bool IsKonto(int i) { return i >= kKontoMin && i <= kKontoMax; }

  // Accounts 1..KontoAnzahl are in use; sum accounts refer to accounts up to this number.
  int32_t KontoAnzahl = 40;
  int32_t KontoGrenze = 40;
  // Only accounts 1..ZeitfensterAnzahl may carry a daily time window.
  int32_t ZeitfensterAnzahl = 20;

 private:
  void Clear();
  void ReadKonto(const TMemIniFile& ini, int i, char dezimal);
  void ReadSumSlots(const TMemIniFile& ini, int i, KontoDef& def, char dezimal) const;

  std::array<KontoDef, kKontoMax - kKontoMin + 1> defs_{};
};

}  // namespace qrv
