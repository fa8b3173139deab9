// Splitting and composing file paths. Both separators count, since paths typed on Windows reach
// the Linux build through settings and stored data.
#pragma once

#include <string>

namespace qrv {

bool IsPathSeparator(char c);
// The folder part including its trailing separator; empty when the path has none.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
// The path with its extension (from the last '.' of the name) replaced by ext (".MAP").
std::string ChangeFileExt(const std::string& path, const std::string& ext);
// The path without one trailing separator.
std::string ExcludeTrailingSeparator(const std::string& path);

}  // namespace qrv
