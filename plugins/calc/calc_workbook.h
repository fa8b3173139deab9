// The spreadsheet engine on the office: one hidden workbook of the shared office, addressed as
// the installation's spreadsheet control is (current row and sheet kept here, cells from 1).
#pragma once

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCell.hpp>

#include <map>
#include <memory>
#include <utility>

#include "office.h"
#include "platform/spreadsheet.h"

namespace qrv::calc {

class CalcWorkbook final : public platform::Spreadsheet {
 public:
  // Starts with an empty workbook of one sheet.
  explicit CalcWorkbook(std::shared_ptr<Office> office);
  ~CalcWorkbook() override;

  int32_t Row() override { return row_; }
  void SetRow(int32_t row) override { row_ = row; }
  int32_t NumSheets() override;
  int32_t Sheet() override { return sheet_; }
  void SetSheet(int32_t sheet) override;

  double GetCellNumber(int32_t row, int32_t col) override;
  void SetCellNumber(int32_t row, int32_t col, double value) override;
  std::string GetCellText(int32_t row, int32_t col) override;
  void SetCellText(int32_t row, int32_t col, const std::string& text) override;
  void SetCellEntry(int32_t row, int32_t col, const std::string& text) override;

  std::string GetSheetTitle(int16_t sheet) override;
  void SetSheetTitle(int32_t sheet, const std::string& title) override;
  void AddSheets(int32_t position, int32_t count) override;
  void ClearSheetRange(int32_t row1, int32_t col1, int32_t row2, int32_t col2,
                       int32_t what) override;
  int32_t LoadWorkbook(const std::string& path) override;

 private:
  using SheetRef = css::uno::Reference<css::sheet::XSpreadsheet>;
  using CellRef = css::uno::Reference<css::table::XCell>;

  void Open(const OUString& url);
  void Close() noexcept;
  SheetRef SheetAt(int32_t sheet);
  CellRef Cell(int32_t row, int32_t col);
  // The value of a cell of the current sheet, its row fetched at once.
  const css::uno::Any& CachedValue(int32_t row, int32_t col);
  void Put(int32_t row, int32_t col, css::uno::Any value);
  // Sends what Put kept.
  void Flush();
  // Sends what Put kept and brings formulas up to date before a value is read.
  void Recalculate();

  struct Uno {
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document;
    SheetRef current;  // the sheet numbered sheet_
    // Numbers and literal texts of the current sheet not sent yet, by (row, column): sent in
    // runs of adjacent cells, since every call to the office is a round trip.
    std::map<std::pair<int32_t, int32_t>, css::uno::Any> pending;
    // Values of one row as last read (void: a formula error), valid while generation holds.
    struct {
      uint64_t generation = 0;
      int32_t sheet = 0;
      int32_t row = 0;
      css::uno::Sequence<css::uno::Any> values;
    } row_cache;
  };

  std::shared_ptr<Office> office_;
  std::unique_ptr<Uno> uno_ = std::make_unique<Uno>();
  int32_t row_ = 1;
  int32_t sheet_ = 1;
  uint64_t generation_ = 1;  // counts changes of the workbook's cells and sheets
  bool dirty_ = false;
  bool loaded_ = false;  // values of a loaded file not yet computed by this office
};

}  // namespace qrv::calc
