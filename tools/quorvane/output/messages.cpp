#include "messages.h"

namespace qrv::tool {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

void Report(std::ostream& err, const std::string& utf8) {
  for (const std::string& line : SplitLines(utf8)) err << "quorvane: " << line << "\n";
}

}  // namespace qrv::tool
