// TFeiertage: the calendar of public holidays for one year at a time. It knows nineteen built-in
// holidays, each switched on or off, and any number of own holidays on a fixed day and month.
// Asked about a date it switches itself to that date's year, recomputes every date and answers
// whether the date is a holiday, whether that holiday counts and which one it is.
//
// The working-time models ask only IstFeiertag; the monthly accounting asks FindeFeiertag. The
// library uses the derived TQRVFeiertage, which loads each year's holiday file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/persistent.h"
#include "platform/platform.h"
#include "util/datetime.h"

namespace qrv {

class TFeiertagText;

// The holiday's identity everywhere: in the switched-on set, in the holiday file and in the day
// records of the accounting.
enum TFeiertyp : uint8_t {
  ftFest = 0,  // own holiday
  ftNeujahr = 1,
  ftHeiligeDreiKoenige = 2,
  ftKarfreitag = 3,
  ftOstersonntag = 4,
  ftOstermontag = 5,
  ftMaifeiertag = 6,
  ftChristiHimmelfahrt = 7,
  ftPfingstsonntag = 8,
  ftPfingstmontag = 9,
  ftFronleichnam = 10,
  ftMariaeHimmelfahrt = 11,
  ftTagDerDtEinheit = 12,
  ftReformationstag = 13,
  ftAllerheiligen = 14,
  ftBussUndBettag = 15,
  ftHeiligabend = 16,
  ftWeihnachtstag1 = 17,
  ftWeihnachtstag2 = 18,
  ftSilvester = 19,
};
inline constexpr int kFeiertypMax = 19;

// Bit n stands for the built-in holiday of type n; bit 0 is never set.
using TFeiertypen = uint32_t;
// Neujahr, Karfreitag to Pfingstmontag, Tag der dt. Einheit and both Christmas days.
inline constexpr TFeiertypen kFeiertageStandard = 398330;

inline constexpr char kMsgFeiertagUndefiniert[] = "Feiertag undefiniert";

// The date of an own holiday on 29 February in a year without one: it matches no date.
inline constexpr TDateTime kKeinDatum = -1.0e7;

// The name text of a built-in type; empty for ftFest and values above 19.
std::string FeiertagName(int typ);

struct TFeierObj : TObject {
  TFeiertyp Typ = ftFest;
  std::string Name;
  uint16_t Tag = 0;
  uint16_t Monat = 0;
  TDateTime Datum = 0;
  bool Aktiv = false;
};

class TFeiertage {
 public:
  using TJahrEvent = std::function<void(TFeiertage& sender, uint16_t neuJahr)>;

  // The calendar of the clock's current year with the built-in holidays and their default
  // switches. The platform must outlive the calendar.
  explicit TFeiertage(const platform::Platform& platform);
  virtual ~TFeiertage() = default;
  TFeiertage(const TFeiertage&) = delete;
  TFeiertage& operator=(const TFeiertage&) = delete;

  // Adds an entry (the name trimmed) dated in the current year; an entry whose key is already
  // listed is not added. For a built-in type the switched-on set follows Aktiv. Raises the date
  // conversion error for an own holiday whose day and month form no date in any year.
  void AddFeiertag(TFeiertyp typ, const std::string& name, uint16_t tag, uint16_t monat,
                   bool aktiv);
  int32_t Count() const { return static_cast<int32_t>(liste_.size()); }
  // The entry at position index of the sorted list; EListError outside it.
  TFeierObj& GetFeierObj(int32_t index) const;
  const std::string& Key(int32_t index) const;
  // The first entry of the type (for ftFest also of the day and month); raises
  // "Feiertag undefiniert" when none matches.
  TFeierObj& FindFeierObj(TFeiertyp typ, uint16_t tag, uint16_t monat) const;
  void SetAktiv(TFeiertyp typ, uint16_t tag, uint16_t monat, bool aktiv);

  TFeiertypen Feiertage() const { return feiertage_; }
  void SetFeiertage(TFeiertypen value);
  uint16_t Jahr() const { return jahr_; }
  // Switches to another year: DoJahr first (its failures are dropped), then the recomputation.
  void SetJahr(uint16_t value);
  TDateTime Ostern() const { return ostern_; }

  static TDateTime BerechneOstern(uint16_t jahr);
  // The holiday's date in jahr, with tag and monat set to the date's day and month. The moveable
  // holidays use the Easter date held for the current year.
  TDateTime BerechneDatum(TFeiertyp typ, uint16_t& jahr, uint16_t& tag, uint16_t& monat) const;
  void BerechneJahr(uint16_t jahr);

  // Whether the date is a switched-on holiday; only exact date values match.
  bool IstFeiertag(TDateTime datum);
  // Found, with the switch and type of the first entry (in list order) of that date.
  bool FindeFeiertag(TDateTime datum, bool& aktiv, TFeiertyp& typ);
  // Replaces the own holidays and the switched-on set from a holiday file. What was read before
  // a failure stays in effect; the failure propagates.
  void LoadFromFile(const std::string& fileName);
  // The same steps over a holiday file's text already in memory.
  void LoadFromText(TFeiertagText& text);

  TJahrEvent OnJahr;

 protected:
  virtual void DoJahr(uint16_t neuJahr);
  // Sets the year without recomputing or loading anything.
  void SetJahrDirekt(uint16_t jahr) { jahr_ = jahr; }
  const platform::Platform& Plattform() const { return platform_; }

 private:
  struct Eintrag {
    std::string key;
    std::unique_ptr<TFeierObj> obj;
  };
  std::string KeyOf(const TFeierObj& f) const;
  // Position where key belongs; *found when an equal key is listed there.
  size_t Position(const std::string& key, bool* found) const;
  void RemoveOwnHolidays();

  platform::Platform platform_;
  std::vector<Eintrag> liste_;
  TFeiertypen feiertage_ = 0;
  TDateTime ostern_ = 0;
  uint16_t jahr_ = 0;
};

}  // namespace qrv
