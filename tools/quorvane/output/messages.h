// Messages on stderr. The library words its messages with CR LF (or a lone CR) between lines; on
// a terminal each of those is a line of its own, prefixed with the tool's name.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qrv::tool {

// The lines of text, split at CR LF, CR or LF; a break at the very end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

// Writes each line of the UTF-8 text as "quorvane: <line>".
void Report(std::ostream& err, const std::string& utf8);

}  // namespace qrv::tool
