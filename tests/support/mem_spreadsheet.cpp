#include "support/mem_spreadsheet.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace qrv::testing {

using platform::SpreadsheetError;

const MemCell* MemSheet::Find(int32_t row, int32_t col) const {
  const auto it = Cells.find({row, col});
  return it == Cells.end() ? nullptr : &it->second;
}

double MemSheet::Number(int32_t row, int32_t col) const {
  const MemCell* c = Find(row, col);
  return c != nullptr && !c->IsText ? c->Number : 0;
}

std::string MemSheet::Text(int32_t row, int32_t col) const {
  const MemCell* c = Find(row, col);
  return c != nullptr && c->IsText ? c->Text : "";
}

MemWorkbook SheetsTitled(const std::vector<std::string>& titles) {
  MemWorkbook book;
  for (const auto& t : titles) book.push_back(MemSheet{t, {}});
  return book;
}

bool ParseGermanNumber(const std::string& text, double* out) {
  size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
  const size_t start = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) ++i;
  if (i == start) return false;
  if (i < text.size() && text[i] == ',') {
    const size_t komma = ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) ++i;
    if (i == komma) return false;
  }
  if (i != text.size()) return false;
  std::string punkt = text;
  for (char& c : punkt) c = c == ',' ? '.' : c;
  *out = std::strtod(punkt.c_str(), nullptr);
  return true;
}

MemSpreadsheet::~MemSpreadsheet() {
  if (OnDestroy) OnDestroy();
}

void MemSpreadsheet::Record(const char* op, int32_t row, int32_t col, double number,
                            std::string text) {
  Log.push_back(Call{op, sheet_, row, col, number, std::move(text)});
  ++calls_;
  if (FailFrom > 0 && calls_ >= FailFrom) {
    throw SpreadsheetError("engine failed at call " + std::to_string(calls_) + " (" + op + ")");
  }
}

MemSheet& MemSpreadsheet::At(int32_t sheet) {
  if (sheet < 1 || sheet > static_cast<int32_t>(Book.size())) {
    throw SpreadsheetError("no sheet " + std::to_string(sheet));
  }
  return Book[static_cast<size_t>(sheet - 1)];
}

MemSheet& MemSpreadsheet::Current() {
  return At(sheet_);
}

void MemSpreadsheet::Put(int32_t row, int32_t col, MemCell cell) {
  if (row < 1 || col < 1) throw SpreadsheetError("no cell there");
  Current().Cells[{row, col}] = std::move(cell);
}

int32_t MemSpreadsheet::Row() {
  Record("Row");
  return row_;
}

void MemSpreadsheet::SetRow(int32_t row) {
  Record("SetRow", row);
  if (row < 1) throw SpreadsheetError("no row " + std::to_string(row));
  row_ = row;
}

int32_t MemSpreadsheet::NumSheets() {
  Record("NumSheets");
  return static_cast<int32_t>(Book.size());
}

int32_t MemSpreadsheet::Sheet() {
  Record("Sheet");
  return sheet_;
}

void MemSpreadsheet::SetSheet(int32_t sheet) {
  Record("SetSheet", sheet);
  At(sheet);
  sheet_ = sheet;
}

double MemSpreadsheet::GetCellNumber(int32_t row, int32_t col) {
  Record("GetCellNumber", row, col);
  if (Recalc) Recalc(*this);
  return Current().Number(row, col);
}

void MemSpreadsheet::SetCellNumber(int32_t row, int32_t col, double value) {
  Record("SetCellNumber", row, col, value);
  Put(row, col, MemCell{false, value, ""});
}

std::string MemSpreadsheet::GetCellText(int32_t row, int32_t col) {
  Record("GetCellText", row, col);
  if (Recalc) Recalc(*this);
  const MemCell* c = Current().Find(row, col);
  if (c == nullptr) return "";
  if (c->IsText) return c->Text;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", c->Number);
  std::string shown = buf;
  for (char& ch : shown) ch = ch == '.' ? ',' : ch;
  return shown;
}

void MemSpreadsheet::SetCellText(int32_t row, int32_t col, const std::string& text) {
  Record("SetCellText", row, col, 0, text);
  Put(row, col, MemCell{true, 0, text});
}

void MemSpreadsheet::SetCellEntry(int32_t row, int32_t col, const std::string& text) {
  Record("SetCellEntry", row, col, 0, text);
  double zahl = 0;
  if (ParseGermanNumber(text, &zahl)) {
    Put(row, col, MemCell{false, zahl, ""});
  } else if (text.empty()) {
    if (row < 1 || col < 1) throw SpreadsheetError("no cell there");
    Current().Cells.erase({row, col});
  } else {
    Put(row, col, MemCell{true, 0, text});
  }
}

std::string MemSpreadsheet::GetSheetTitle(int16_t sheet) {
  Record("GetSheetTitle", sheet);
  return At(sheet).Title;
}

void MemSpreadsheet::SetSheetTitle(int32_t sheet, const std::string& title) {
  Record("SetSheetTitle", sheet, 0, 0, title);
  At(sheet).Title = title;
}

void MemSpreadsheet::AddSheets(int32_t position, int32_t count) {
  Record("AddSheets", position, count);
  if (position < 1 || position > static_cast<int32_t>(Book.size()) + 1 || count < 1) {
    throw SpreadsheetError("cannot insert sheets there");
  }
  for (int32_t i = 0; i < count; ++i) {
    const auto n = std::to_string(Book.size() + 1);
    Book.insert(Book.begin() + (position - 1) + i, MemSheet{"Tabelle" + n, {}});
  }
}

void MemSpreadsheet::ClearSheetRange(int32_t row1, int32_t col1, int32_t row2, int32_t col2,
                                     int32_t what) {
  Record("ClearSheetRange", row1, col1, static_cast<double>(what));
  auto& cells = Current().Cells;
  if (row1 == -1 && col1 == -1 && row2 == -1 && col2 == -1) {
    cells.clear();
    return;
  }
  for (auto it = cells.begin(); it != cells.end();) {
    const auto [r, c] = it->first;
    const bool inside = r >= row1 && r <= row2 && c >= col1 && c <= col2;
    it = inside ? cells.erase(it) : std::next(it);
  }
}

int32_t MemSpreadsheet::LoadWorkbook(const std::string& path) {
  Record("LoadWorkbook", 0, 0, 0, path);
  ++LoadCount;
  if (files_ == nullptr || files_->count(path) == 0) {
    throw SpreadsheetError("cannot open " + path);
  }
  Book = files_->at(path);
  row_ = 1;
  sheet_ = 1;
  return 0;
}

MemSheet* MemSpreadsheet::Titled(const std::string& title) {
  MemSheet* found = nullptr;
  for (auto& s : Book) {
    if (s.Title == title) found = &s;
  }
  return found;
}

std::unique_ptr<platform::Spreadsheet> MemSpreadsheetFactory::Create() {
  if (!Refuse.empty()) {
    missing_ = Refuse;
    return nullptr;
  }
  missing_.clear();
  auto engine = std::make_unique<MemSpreadsheet>(&Files);
  engine->FailFrom = FailFrom;
  engine->Recalc = Recalc;
  MemSpreadsheet* made = engine.get();
  engine->OnDestroy = [this, made] {
    if (Last == made) Last = nullptr;
  };
  ++Created;
  Last = made;
  return engine;
}

}  // namespace qrv::testing
