// The rows the spreadsheet month calculation writes into a workbook and the month values it reads
// back: the person row ("PersDaten"), a day row ("MonDaten"), the month row ("MonSumDaten") and
// the read-back from the template's own result sheet ("MonSumDatenCalc"). Each writes cell by
// cell into the engine's current sheet; an engine error propagates.
#pragma once

#include <cstdint>
#include <string>

#include "accounting/spur.h"
#include "config/konfig.h"
#include "master/person_record.h"
#include "month/monat_daten.h"
#include "plans/plan.h"
#include "platform/spreadsheet.h"
#include "util/datetime.h"

namespace qrv {

// The step of the month accounting that runs the spreadsheet month calculation, as the trace
// names it.
inline constexpr int kSchrittTabelle = 14;

// The unit of account j's values in the sheets, as a factor on a day fraction: hours (formats 0
// and 1), minutes (2), tenths of minutes... as the format shows them (3: 144, 4: 14.4). 0 for any
// other format: such an account is neither written nor read.
double KontoFaktor(const TKontoDefs& konten, int j);

// The person row at row zeile.
void PersonZeileSchreiben(platform::Spreadsheet& s, int32_t zeile, const TPersonRec& rec,
                          const TKonfig& konfig);

// What a day row shows besides the day entry: the plan holding the day's month, the accounts,
// the day's remark text.
struct TTagZeile {
  TDateTime Datum = 0;  // midnight of the day
  const TMonatTag* Tag = nullptr;
  TPlan* Plan = nullptr;
  const TKontoDefs* Konten = nullptr;
  std::string Bemerkung;
};

// The day row of t.Datum at row zeile.
void TagZeileSchreiben(platform::Spreadsheet& s, int32_t zeile, const TTagZeile& t);

// The month row of m at row zeile.
void MonatZeileSchreiben(platform::Spreadsheet& s, int32_t zeile, const TMonatDaten& m,
                         const TKontoDefs& konten);

// Reads the month values of row 2 of the current sheet into m, value by value: a failure on the
// way leaves those read before it in m. Each value taken is reported to spur.
void MonatZuruecklesen(platform::Spreadsheet& s, TMonatDaten& m, const TKontoDefs& konten,
                       TSpur* spur);

}  // namespace qrv
