// TMonatsRechnung: the spreadsheet month calculation. After a month is accounted under a
// calculation template that asks for it, it hands the month to a spreadsheet template of the
// installation (REPORTS/VORLAGEN/MONCALC<template>.XLS, else MONCALC.XLS in the data folder):
// the person, one row per day of the accounted period and the month values go into named sheets,
// and the month values the template computes on its sheet "MonSumDatenCalc" replace those of
// the month. The library keeps one for the process; it holds the engine, made on first use
// through the platform's spreadsheet factory, and the workbook loaded last, which is loaded
// again only when its file is newer or another template applies.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "accounting/mon_abrech.h"
#include "config/konfig.h"
#include "platform/spreadsheet.h"
#include "util/datetime.h"

namespace qrv {

// The spreadsheet template of calculation template berVorNr.
std::string MonCalcPfad(const TKonfig& konfig, int32_t berVorNr);
// The template for every calculation template without one of its own.
std::string MonCalcPfad(const TKonfig& konfig);

class TMonatsRechnung final : public TMonatsTabelle {
 public:
  TMonatsRechnung();
  ~TMonatsRechnung() override;
  TMonatsRechnung(const TMonatsRechnung&) = delete;
  TMonatsRechnung& operator=(const TMonatsRechnung&) = delete;

  // The whole calculation for the month abrech has just accounted. Never raises: any error ends
  // it, the month values read back so far stay, and an engine that failed is dropped so that the
  // next calculation asks for a new one. Without an engine nothing happens.
  void MonatRechnen(TMonAbrech& abrech) override;

  // The index of the sheet titled name (the last one so titled); with anlegen a missing sheet is
  // appended under that title, else the answer is 0. 0 as well while there is no engine. Engine
  // errors propagate.
  int32_t SheetIndex(const std::string& name, bool anlegen);

  // The workbook loaded last: its path and its file's date (empty and 0 while none is loaded).
  const std::string& VorlagePfad() const { return vorlagePfad_; }
  TDateTime VorlageDatum() const { return vorlageDatum_; }

 private:
  // The engine, made through the factory when there is none; false when none can be made.
  bool Engine(TMonAbrech& abrech);
  void Rechnen(TMonAbrech& abrech);
  // Loads the person's template unless the workbook held is it and its file is not newer.
  void VorlageLaden(TMonAbrech& abrech);
  void KopfSchreiben(TMonAbrech& abrech);
  void TageSchreiben(TMonAbrech& abrech);
  void Zuruecklesen(TMonAbrech& abrech);
  // Drops the engine and the memory of its workbook.
  void Verwerfen();

  std::unique_ptr<platform::Spreadsheet> tabelle_;
  TDateTime vorlageDatum_ = 0;
  std::string vorlagePfad_;
};

}  // namespace qrv
