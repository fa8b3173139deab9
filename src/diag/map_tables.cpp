#include "diag/map_tables.h"

#include <cstdlib>

#include "util/datetime.h"
#include "util/errors.h"
#include "util/fileprobe.h"
#include "util/paths.h"
#include "util/text_file.h"
#include "util/texts.h"

namespace qrv {

namespace {

constexpr size_t kLineEntryWidth = 20;
constexpr int64_t kMaxStampDifference = 32;
constexpr int64_t kMaxMapFileSize = 256 * 1024 * 1024;

bool Contains(const std::string& s, const char* what) {
  return s.find(what) != std::string::npos;
}

// Characters from..to (1-based, inclusive) of s, as far as s reaches.
std::string Chars(const std::string& s, size_t from, size_t to) {
  if (from > s.size()) return std::string();
  return s.substr(from - 1, to - from + 1);
}

// A decimal number as the map file right-aligns it in its column.
int32_t ColumnInt(const std::string& text) {
  size_t start = text.find_first_not_of(' ');
  int32_t value = 0;
  if (start == std::string::npos || !TryStrToInt(text.substr(start), &value))
    throw EConvertError("'" + text +
                        "' ist kein g\xFC"
                        "ltiger Integerwert");
  return value;
}

}  // namespace

std::vector<std::string> ReadMapFile(platform::FileSystem& files, const std::string& exePath) {
  const std::string mapPath = ChangeFileExt(exePath, ".MAP");
  if (!FileFound(files, mapPath, false)) return {};
  TDateTime mapDate = FileDateOf(files, mapPath, false);
  TDateTime exeDate = FileDateOf(files, exePath, false);
  if (mapDate <= 0 || exeDate <= 0) return {};
  int64_t mapStamp = DateTimeToFileDate(mapDate);
  int64_t exeStamp = DateTimeToFileDate(exeDate);
  if (std::llabs(mapStamp - exeStamp) > kMaxStampDifference) return {};
  std::string text;
  if (!ReadWholeFile(files, mapPath, kMaxMapFileSize, &text)) return {};
  return SplitLines(text);
}

// The loops below follow the map reader of the host's own tools: a data line counts only while
// more of the file follows it, so a table never ends on a half-written last line.
void TLineList::Load(const std::vector<std::string>& lines) {
  try {
    size_t i = 0;
    while (i < lines.size()) {
      const std::string& line = lines[i++];
      if (!Contains(line, "Line numbers for")) continue;
      size_t open = line.find('(');
      size_t close = open == std::string::npos ? open : line.find(')', open);
      std::string unit =
          close == std::string::npos ? std::string() : line.substr(open + 1, close - open - 1);
      ReadSection(lines, i, unit);
    }
  } catch (const Exception&) {
    // A damaged line ends the table; what was read stays.
  }
}

void TLineList::ReadSection(const std::vector<std::string>& lines, size_t& i,
                            const std::string& unit) {
  i += 2;  // the blank line after the header, then the first data line
  if (i > lines.size()) return;
  for (size_t cur = i - 1; i < lines.size() && !lines[cur].empty(); cur = i++) {
    const std::string& line = lines[cur];
    if (!Contains(line, "0001:")) continue;
    for (size_t k = 0; k < line.size() / kLineEntryWidth; ++k) {
      size_t base = kLineEntryWidth * k;
      int32_t zeile = ColumnInt(Chars(line, base + 1, base + 6));
      uint32_t adresse = static_cast<uint32_t>(HexToInt(Chars(line, base + 13, base + 20)));
      items_.push_back({adresse, unit, zeile});
    }
  }
}

void TFuncList::Load(const std::vector<std::string>& lines) {
  try {
    size_t i = 0;
    while (i < lines.size() && !Contains(lines[i], "Publics by Value")) ++i;
    i += 3;  // the header, then the blank line, then the first data line
    if (i > lines.size()) return;
    for (size_t cur = i - 1; i < lines.size() && !lines[cur].empty(); cur = i++) {
      const std::string& line = lines[cur];
      if (!Contains(line, "0001:")) continue;
      uint32_t adresse = static_cast<uint32_t>(HexToInt(Chars(line, 7, 14)));
      items_.push_back({adresse, line.size() >= 22 ? line.substr(21) : std::string()});
    }
  } catch (const Exception&) {
    // A damaged line ends the table; what was read stays.
  }
}

TMapTables::TMapTables(const platform::Platform& platform) {
  std::vector<std::string> lines = ReadMapFile(*platform.files, platform.host->ExecutablePath());
  FuncList.Load(lines);
  LineList.Load(lines);
}

}  // namespace qrv
