// Whole text files: settings files and the host's map file are read at once and taken apart by
// lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace qrv {

// Reads the whole file into text. False when it cannot be opened or read, or is larger than
// maxSize (text is then unspecified).
bool ReadWholeFile(platform::FileSystem& files, const std::string& path, int64_t maxSize,
                   std::string* text);

// Splits text into lines at LF, dropping a CR before it; a last line without LF counts.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace qrv
