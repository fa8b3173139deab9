// A spreadsheet engine in memory that records every call: sheets of cells holding numbers or
// texts, sheet titles, the current row and sheet. Workbook files are workbooks the test lays out
// in a MemWorkbookFiles by path; loading one copies it in. A failure can be set for the n-th call,
// and a test's own "formulas" can run before every read, as an engine recomputes its sheets.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/spreadsheet.h"

namespace qrv::testing {

struct MemCell {
  bool IsText = false;
  double Number = 0;
  std::string Text;

  bool operator==(const MemCell&) const = default;
};

struct MemSheet {
  std::string Title;
  std::map<std::pair<int32_t, int32_t>, MemCell> Cells;  // (row, column)

  // The cell at (row, col); null when it is empty.
  const MemCell* Find(int32_t row, int32_t col) const;
  double Number(int32_t row, int32_t col) const;     // 0 for an empty or text cell
  std::string Text(int32_t row, int32_t col) const;  // "" for an empty or number cell
  bool Has(int32_t row, int32_t col) const { return Find(row, col) != nullptr; }
};

using MemWorkbook = std::vector<MemSheet>;
// Workbook files by path.
using MemWorkbookFiles = std::map<std::string, MemWorkbook>;

// A workbook of empty sheets with these titles.
MemWorkbook SheetsTitled(const std::vector<std::string>& titles);

// "12,5" (an optional "-", digits, optionally "," and digits) as a number, as a German entry
// reads; false for any other text.
bool ParseGermanNumber(const std::string& text, double* out);

class MemSpreadsheet final : public platform::Spreadsheet {
 public:
  struct Call {
    std::string Op;     // the operation's name
    int32_t Sheet = 0;  // the current sheet when it was called
    int32_t Row = 0;    // its row argument (or the row set, sheet or position)
    int32_t Col = 0;    // its column argument (or count)
    double Number = 0;  // the number written
    std::string Text;   // the text written, title or path
  };

  // files (may be null: every load fails) must outlive the engine.
  explicit MemSpreadsheet(const MemWorkbookFiles* files) : files_(files) {}
  ~MemSpreadsheet() override;

  int32_t Row() override;
  void SetRow(int32_t row) override;
  int32_t NumSheets() override;
  int32_t Sheet() override;
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

  // The sheet titled title (the last of that title); null when there is none.
  MemSheet* Titled(const std::string& title);

  MemWorkbook Book;
  std::vector<Call> Log;
  int LoadCount = 0;
  // Calls from this one on (1 = the first) raise SpreadsheetError; 0: none fails.
  int FailFrom = 0;
  // Runs before every cell read, on the engine's sheets: the test's formulas.
  std::function<void(MemSpreadsheet&)> Recalc;
  // Told when the engine is destroyed.
  std::function<void()> OnDestroy;

 private:
  // Counts and logs a call; raises when it is one that fails.
  void Record(const char* op, int32_t row = 0, int32_t col = 0, double number = 0,
              std::string text = {});
  MemSheet& Current();
  MemSheet& At(int32_t sheet);
  void Put(int32_t row, int32_t col, MemCell cell);

  const MemWorkbookFiles* files_;
  int32_t row_ = 1;
  int32_t sheet_ = 1;
  int calls_ = 0;
};

// Makes MemSpreadsheets on the given files, or none with a reason. Keeps track of the engine it
// made last while that one lives.
class MemSpreadsheetFactory final : public platform::SpreadsheetFactory {
 public:
  std::unique_ptr<platform::Spreadsheet> Create() override;
  std::string Missing() const override { return missing_; }

  // Create answers null with this reason while it is set; empty: it makes engines.
  std::string Refuse;
  MemWorkbookFiles Files;
  // Applied to every engine made (a call to fail at, formulas).
  int FailFrom = 0;
  std::function<void(MemSpreadsheet&)> Recalc;

  int Created = 0;
  // The living engine made last; null when none lives.
  MemSpreadsheet* Last = nullptr;

 private:
  std::string missing_;
};

}  // namespace qrv::testing
