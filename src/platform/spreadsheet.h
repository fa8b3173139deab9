// The spreadsheet engine of the month calculation: a workbook with sheets of cells, addressed as
// the installation's spreadsheet control is. Rows, columns and sheets count from 1; texts cross
// this interface in the ANSI code page (1252). Every operation raises SpreadsheetError when the
// engine fails; the month calculation ends silently on it.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace qrv::platform {

class SpreadsheetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Spreadsheet {
 public:
  virtual ~Spreadsheet() = default;

  // The current row and sheet: the control's state, read and written.
  virtual int32_t Row() = 0;
  virtual void SetRow(int32_t row) = 0;
  virtual int32_t NumSheets() = 0;
  virtual int32_t Sheet() = 0;
  virtual void SetSheet(int32_t sheet) = 0;

  // Cells of the current sheet.
  virtual double GetCellNumber(int32_t row, int32_t col) = 0;
  virtual void SetCellNumber(int32_t row, int32_t col, double value) = 0;
  // The cell's shown text.
  virtual std::string GetCellText(int32_t row, int32_t col) = 0;
  // The text taken literally.
  virtual void SetCellText(int32_t row, int32_t col, const std::string& text) = 0;
  // The text as typed into the cell: a number becomes a number, a formula a formula.
  virtual void SetCellEntry(int32_t row, int32_t col, const std::string& text) = 0;

  virtual std::string GetSheetTitle(int16_t sheet) = 0;
  virtual void SetSheetTitle(int32_t sheet, const std::string& title) = 0;
  // Inserts count sheets before position (NumSheets + 1 appends).
  virtual void AddSheets(int32_t position, int32_t count) = 0;
  // (-1, -1, -1, -1, 3) clears the whole current sheet.
  virtual void ClearSheetRange(int32_t row1, int32_t col1, int32_t row2, int32_t col2,
                               int32_t what) = 0;
  // Loads a workbook file, replacing the one held.
  virtual int32_t LoadWorkbook(const std::string& path) = 0;
};

// Makes the process's spreadsheet engine. The month calculation asks once and keeps what it got.
class SpreadsheetFactory {
 public:
  virtual ~SpreadsheetFactory() = default;
  // The engine, or null when none can be made (not installed, not registered, failed to start).
  virtual std::unique_ptr<Spreadsheet> Create() = 0;
  // Why Create made none (ANSI, as every text here), for a program that wants to say so; empty
  // when it made one or was not asked yet.
  virtual std::string Missing() const = 0;
};

}  // namespace qrv::platform
