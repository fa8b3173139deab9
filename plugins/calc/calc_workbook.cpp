#include "calc_workbook.h"

#include <osl/process.h>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCalculatable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>

#include <algorithm>
#include <string>
#include <utility>

#include "calc_text.h"

namespace qrv::calc {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using platform::SpreadsheetError;

// A read fetches this much of its row at once: the reads of a month go along one row.
constexpr int32_t kCachedColumns = 128;

// Runs one operation; whatever the office raises leaves as SpreadsheetError.
template <class F>
auto Guarded(const char* operation, F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (const SpreadsheetError&) {
    throw;
  } catch (const css::uno::Exception& e) {
    throw SpreadsheetError(std::string(operation) + ": " + ToAnsi(e.Message));
  } catch (const std::exception& e) {
    throw SpreadsheetError(std::string(operation) + ": " + e.what());
  }
}

css::beans::PropertyValue Property(const char* name, css::uno::Any value) {
  css::beans::PropertyValue p;
  p.Name = OUString::createFromAscii(name);
  p.Value = std::move(value);
  return p;
}

std::string Position(int32_t row, int32_t col) {
  return "(" + std::to_string(row) + ", " + std::to_string(col) + ")";
}

OUString FileUrl(const std::string& ansi_path) {
  OUString cwd;
  osl_getProcessWorkingDir(&cwd.pData);
  OUString url;
  OUString absolute;
  if (osl::FileBase::getFileURLFromSystemPath(FromAnsi(ansi_path), url) != osl::FileBase::E_None ||
      osl::FileBase::getAbsoluteFileURL(cwd, url, absolute) != osl::FileBase::E_None) {
    throw SpreadsheetError("not a file path: " + ansi_path);
  }
  return absolute;
}

Reference<css::container::XIndexAccess> Sheets(
    const Reference<css::sheet::XSpreadsheetDocument>& document) {
  return Reference<css::container::XIndexAccess>(document->getSheets(), UNO_QUERY_THROW);
}

}  // namespace

CalcWorkbook::CalcWorkbook(std::shared_ptr<Office> office) : office_(std::move(office)) {
  Guarded("new workbook", [&] { Open("private:factory/scalc"); });
}

CalcWorkbook::~CalcWorkbook() {
  Close();
}

void CalcWorkbook::Open(const OUString& url) {
  // AsTemplate: an untitled copy, so the template on the shared data folder is never locked
  // nor written.
  css::uno::Sequence<css::beans::PropertyValue> args(3);
  args.getArray()[0] = Property("Hidden", css::uno::Any(true));
  args.getArray()[1] = Property("AsTemplate", css::uno::Any(true));
  args.getArray()[2] = Property("MacroExecutionMode", css::uno::Any(sal_Int16(0)));
  Reference<css::sheet::XSpreadsheetDocument> document(
      office_->Loader()->loadComponentFromURL(url, "_blank", 0, args), UNO_QUERY);
  if (!document.is()) throw SpreadsheetError("not a workbook: " + ToAnsi(url));
  Close();
  uno_->document = document;
  // Formulas are computed when values are read, not after every write.
  Reference<css::sheet::XCalculatable>(uno_->document, UNO_QUERY_THROW)
      ->enableAutomaticCalculation(false);
  uno_->current.clear();
  sheet_ = 1;
  row_ = 1;
  uno_->pending.clear();
  dirty_ = false;
  loaded_ = true;
  ++generation_;
}

void CalcWorkbook::Close() noexcept {
  if (!uno_) return;
  if (Office::Exiting()) {
    (void)uno_.release();  // left as they are: see Office::Exiting
    return;
  }
  if (!uno_->document.is()) return;
  try {
    Reference<css::util::XCloseable>(uno_->document, UNO_QUERY_THROW)->close(true);
  } catch (...) {
    // the office went away: nothing left to close
  }
  uno_->document.clear();
  uno_->current.clear();
}

int32_t CalcWorkbook::NumSheets() {
  return Guarded("NumSheets", [&] { return Sheets(uno_->document)->getCount(); });
}

void CalcWorkbook::SetSheet(int32_t sheet) {
  Guarded("Sheet", [&] {
    Flush();
    uno_->current = SheetAt(sheet);
    sheet_ = sheet;
  });
}

CalcWorkbook::SheetRef CalcWorkbook::SheetAt(int32_t sheet) {
  const auto sheets = Sheets(uno_->document);
  if (sheet < 1 || sheet > sheets->getCount()) {
    throw SpreadsheetError("no sheet " + std::to_string(sheet));
  }
  return SheetRef(sheets->getByIndex(sheet - 1), UNO_QUERY_THROW);
}

CalcWorkbook::CellRef CalcWorkbook::Cell(int32_t row, int32_t col) {
  if (row < 1 || col < 1) throw SpreadsheetError("no cell " + Position(row, col));
  if (!uno_->current.is()) uno_->current = SheetAt(sheet_);
  return uno_->current->getCellByPosition(col - 1, row - 1);
}

void CalcWorkbook::Put(int32_t row, int32_t col, css::uno::Any value) {
  if (row < 1 || col < 1) throw SpreadsheetError("no cell " + Position(row, col));
  uno_->pending[{row, col}] = std::move(value);
  dirty_ = true;
  ++generation_;
}

void CalcWorkbook::Flush() {
  auto pending = std::move(uno_->pending);
  uno_->pending.clear();
  if (pending.empty()) return;
  if (!uno_->current.is()) uno_->current = SheetAt(sheet_);
  for (auto run = pending.begin(); run != pending.end();) {
    const auto [row, first] = run->first;
    auto end = std::next(run);
    int32_t last = first;
    while (end != pending.end() && end->first.first == row && end->first.second == last + 1) {
      ++last;
      ++end;
    }
    css::uno::Sequence<css::uno::Any> cells(last - first + 1);
    for (auto it = run; it != end; ++it) cells.getArray()[it->first.second - first] = it->second;
    css::uno::Sequence<css::uno::Sequence<css::uno::Any>> rows(1);
    rows.getArray()[0] = cells;
    Reference<css::sheet::XCellRangeData>(
        uno_->current->getCellRangeByPosition(first - 1, row - 1, last - 1, row - 1),
        UNO_QUERY_THROW)
        ->setDataArray(rows);
    run = end;
  }
}

void CalcWorkbook::Recalculate() {
  Flush();
  if (!dirty_ && !loaded_) return;
  const Reference<css::sheet::XCalculatable> calc(uno_->document, UNO_QUERY_THROW);
  if (loaded_) {
    calc->calculateAll();
  } else {
    calc->calculate();
  }
  dirty_ = false;
  loaded_ = false;
}

const css::uno::Any& CalcWorkbook::CachedValue(int32_t row, int32_t col) {
  if (row < 1 || col < 1) throw SpreadsheetError("no cell " + Position(row, col));
  auto& cache = uno_->row_cache;
  if (cache.generation != generation_ || cache.sheet != sheet_ || cache.row != row ||
      col > cache.values.getLength()) {
    if (!uno_->current.is()) uno_->current = SheetAt(sheet_);
    const int32_t width = std::max(col, kCachedColumns);
    const Reference<css::sheet::XCellRangeData> range(
        uno_->current->getCellRangeByPosition(0, row - 1, width - 1, row - 1), UNO_QUERY_THROW);
    const auto rows = range->getDataArray();
    if (rows.getLength() != 1 || rows[0].getLength() != width) {
      throw SpreadsheetError("row " + std::to_string(row) + " not read");
    }
    cache = {generation_, sheet_, row, rows[0]};
  }
  return cache.values[col - 1];
}

double CalcWorkbook::GetCellNumber(int32_t row, int32_t col) {
  return Guarded("GetCellNumber", [&] {
    Recalculate();
    const css::uno::Any& value = CachedValue(row, col);
    double number = 0;
    if (value >>= number) return number;
    // A formula error is no number: reading it as 0 would pass a wrong value on.
    if (!value.hasValue()) throw SpreadsheetError("cell " + Position(row, col) + " holds an error");
    return 0.0;  // a text
  });
}

void CalcWorkbook::SetCellNumber(int32_t row, int32_t col, double value) {
  Guarded("SetCellNumber", [&] { Put(row, col, css::uno::Any(value)); });
}

std::string CalcWorkbook::GetCellText(int32_t row, int32_t col) {
  return Guarded("GetCellText", [&] {
    Recalculate();
    const Reference<css::text::XTextRange> text(Cell(row, col), UNO_QUERY_THROW);
    return ToAnsi(text->getString());
  });
}

void CalcWorkbook::SetCellText(int32_t row, int32_t col, const std::string& text) {
  Guarded("SetCellText", [&] { Put(row, col, css::uno::Any(FromAnsi(text))); });
}

void CalcWorkbook::SetCellEntry(int32_t row, int32_t col, const std::string& text) {
  Guarded("SetCellEntry", [&] {
    if (text.size() > 1 && text.front() == '\'') {
      Put(row, col, css::uno::Any(FromAnsi(text.substr(1))));
    } else if (const auto number = GermanNumber(text)) {
      Put(row, col, css::uno::Any(*number));
    } else if (!text.empty() && (text.size() == 1 || text.front() != '=')) {
      Put(row, col, css::uno::Any(FromAnsi(text)));
    } else {
      // A formula, or nothing typed: written at once, over whatever was kept for the cell.
      const auto cell = Cell(row, col);
      uno_->pending.erase({row, col});
      cell->setFormula(text.empty() ? OUString() : FromAnsi(OfficeFormula(text)));
      dirty_ = true;
      ++generation_;
    }
  });
}

std::string CalcWorkbook::GetSheetTitle(int16_t sheet) {
  return Guarded("GetSheetTitle", [&] {
    return ToAnsi(Reference<css::container::XNamed>(SheetAt(sheet), UNO_QUERY_THROW)->getName());
  });
}

void CalcWorkbook::SetSheetTitle(int32_t sheet, const std::string& title) {
  Guarded("SetSheetTitle", [&] {
    Reference<css::container::XNamed>(SheetAt(sheet), UNO_QUERY_THROW)->setName(FromAnsi(title));
  });
}

void CalcWorkbook::AddSheets(int32_t position, int32_t count) {
  Guarded("AddSheets", [&] {
    Flush();
    const auto sheets = uno_->document->getSheets();
    const int32_t total = Sheets(uno_->document)->getCount();
    if (position < 1 || position > total + 1 || count < 1) {
      throw SpreadsheetError("cannot add " + std::to_string(count) + " sheets at " +
                             std::to_string(position));
    }
    for (int32_t i = 0; i < count; ++i) {
      int32_t n = total + i + 1;
      while (sheets->hasByName("Sheet" + OUString::number(n))) ++n;
      sheets->insertNewByName("Sheet" + OUString::number(n), static_cast<sal_Int16>(position - 1));
    }
    uno_->current.clear();  // the current number may now name another sheet
    ++generation_;
  });
}

void CalcWorkbook::ClearSheetRange(int32_t row1, int32_t col1, int32_t row2, int32_t col2,
                                   int32_t what) {
  namespace flags = css::sheet::CellFlags;
  constexpr sal_Int32 kValues =
      flags::VALUE | flags::DATETIME | flags::STRING | flags::ANNOTATION | flags::FORMULA;
  constexpr sal_Int32 kFormats =
      flags::HARDATTR | flags::STYLES | flags::EDITATTR | flags::FORMATTED;
  Guarded("ClearSheetRange", [&] {
    Flush();
    const sal_Int32 which = what == 1   ? kFormats
                            : what == 2 ? kValues
                            : what == 3 ? kValues | kFormats | flags::OBJECTS
                                        : 0;
    if (which == 0) throw SpreadsheetError("unknown clear kind " + std::to_string(what));
    if (!uno_->current.is()) uno_->current = SheetAt(sheet_);
    Reference<css::sheet::XSheetOperation> range;
    if (row1 == -1 && col1 == -1 && row2 == -1 && col2 == -1) {
      range.set(uno_->current, UNO_QUERY_THROW);
    } else {
      if (row1 < 1 || col1 < 1 || row2 < row1 || col2 < col1) {
        throw SpreadsheetError("no range " + Position(row1, col1) + " " + Position(row2, col2));
      }
      range.set(uno_->current->getCellRangeByPosition(col1 - 1, row1 - 1, col2 - 1, row2 - 1),
                UNO_QUERY_THROW);
    }
    range->clearContents(which);
    dirty_ = true;
    ++generation_;
  });
}

int32_t CalcWorkbook::LoadWorkbook(const std::string& path) {
  return Guarded("LoadWorkbook", [&] {
    Open(FileUrl(path));
    return 0;
  });
}

}  // namespace qrv::calc
