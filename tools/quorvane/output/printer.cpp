#include "printer.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "messages.h"

namespace qrv::tool {

namespace {

bool IsValue(const Json& v) {
  return !v.is_structured();
}

bool IsValueList(const Json& v) {
  return v.is_array() && std::all_of(v.begin(), v.end(), IsValue);
}

bool IsFlatObject(const Json& v) {
  return v.is_object() && std::all_of(v.begin(), v.end(),
                                      [](const Json& f) { return IsValue(f) || IsValueList(f); });
}

// A field that fits a table cell: a value, a list of values or a list of flat objects.
bool IsCellValue(const Json& f) {
  return IsValue(f) || IsValueList(f) ||
         (f.is_array() && std::all_of(f.begin(), f.end(), IsFlatObject));
}

// A list of records that fits a table: objects whose fields all fit a cell.
bool IsTable(const Json& v) {
  return v.is_array() && !v.empty() && std::all_of(v.begin(), v.end(), [](const Json& row) {
           return row.is_object() && std::all_of(row.begin(), row.end(), IsCellValue);
         });
}

bool IsListOfObjects(const Json& v) {
  return v.is_array() && !v.empty() &&
         std::all_of(v.begin(), v.end(), [](const Json& e) { return e.is_object(); });
}

// A value in one line: text as it is, null empty, a list's or a flat object's values separated
// by blanks, a list of objects by commas.
std::string Cell(const Json& v) {
  if (v.is_null()) return "";
  if (v.is_string()) {
    std::string s;
    for (const std::string& line : SplitLines(v.get<std::string>())) {
      s += (s.empty() ? "" : " / ") + line;
    }
    return s;
  }
  if (!v.is_structured()) return v.dump();
  std::string s;
  const char* sep = IsListOfObjects(v) ? ", " : " ";
  for (const Json& e : v) s += (s.empty() ? "" : sep) + Cell(e);
  return s;
}

// Characters, not bytes: the text is UTF-8.
size_t Width(const std::string& s) {
  return static_cast<size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; }));
}

void Pad(std::ostream& out, const std::string& s, size_t width) {
  out << s << std::string(width - Width(s), ' ');
}

void PrintTable(std::ostream& out, const Json& rows, const std::string& indent) {
  std::vector<std::string> columns;
  for (const Json& row : rows) {
    for (const auto& [key, value] : row.items()) {
      if (std::find(columns.begin(), columns.end(), key) == columns.end()) columns.push_back(key);
    }
  }
  std::vector<std::vector<std::string>> cells(1, columns);
  for (const Json& row : rows) {
    std::vector<std::string> line;
    for (const std::string& c : columns) line.push_back(row.contains(c) ? Cell(row[c]) : "");
    cells.push_back(line);
  }
  std::vector<size_t> widths(columns.size(), 0);
  for (const auto& line : cells) {
    for (size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], Width(line[i]));
  }
  for (const auto& line : cells) {
    std::ostringstream text;
    for (size_t i = 0; i + 1 < line.size(); ++i) Pad(text, line[i], widths[i] + 2);
    text << line.back();
    std::string row = text.str();
    row.erase(row.find_last_not_of(' ') + 1);  // an empty last cell leaves no blanks
    out << indent << row << "\n";
  }
}

void PrintFields(std::ostream& out, const Json& object, const std::string& indent,
                 const std::string& path);

// A field whose value is a list of records: a table, or one block of fields per record.
void PrintRecords(std::ostream& out, const Json& list, const std::string& indent,
                  const std::string& name) {
  out << indent << name << ":\n";
  if (IsTable(list)) {
    PrintTable(out, list, indent + "  ");
    return;
  }
  for (size_t i = 0; i < list.size(); ++i) {
    out << indent << "  " << name << " " << i + 1 << ":\n";
    PrintFields(out, list[i], indent + "    ", "");
  }
}

void PrintField(std::ostream& out, const std::string& indent, const std::string& name,
                const Json& value) {
  const std::vector<std::string> lines =
      value.is_string() ? SplitLines(value.get<std::string>()) : std::vector{Cell(value)};
  out << indent << name << ":";
  const std::string more(Width(indent + name) + 2, ' ');
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      out << "\n" << more;
    else if (!lines[i].empty())
      out << " ";
    out << lines[i];
  }
  out << "\n";
}

void PrintFields(std::ostream& out, const Json& object, const std::string& indent,
                 const std::string& path) {
  for (const auto& [key, value] : object.items()) {
    const std::string name = path + key;
    if (value.is_object()) {
      PrintFields(out, value, indent, name + ".");
    } else if (IsListOfObjects(value)) {
      PrintRecords(out, value, indent, name);
    } else {
      PrintField(out, indent, name, value);
    }
  }
}

}  // namespace

void Print(std::ostream& out, const std::string& format, const Json& value) {
  if (format == "text") {
    PrintText(out, value);
  } else {
    PrintJson(out, value);
  }
}

void PrintJson(std::ostream& out, const Json& value) {
  out << value.dump(2) << "\n";
}

void PrintText(std::ostream& out, const Json& value) {
  if (value.is_object()) {
    PrintFields(out, value, "", "");
  } else if (IsTable(value)) {
    PrintTable(out, value, "");
  } else if (IsListOfObjects(value)) {
    for (const Json& record : value) {
      PrintFields(out, record, "", "");
      out << "\n";
    }
  } else {
    out << Cell(value) << "\n";
  }
}

}  // namespace qrv::tool
