// Path resolution of the POSIX file layer. Data folders are copied from Windows, where names
// compare without regard to case, and paths arrive in ANSI with backslashes: a component that
// does not exist as written is looked up case-insensitively in its folder.
#pragma once

#include <string>
#include <string_view>

namespace qrv::platform {

// The path as the system takes it: '\' read as '/', ANSI text as UTF-8.
std::string NativePath(std::string_view ansiPath);

struct ResolvedPath {
  std::string native;          // existing components as found, the rest as written
  bool folderMissing = false;  // a folder on the way does not exist
  bool exists = false;         // the whole path exists
};

// Resolves a native path. When the last component does not exist in any case, it stays as
// written (the name a new file gets).
ResolvedPath ResolvePath(const std::string& native);

// The case-insensitive match of name (native) in the folder, or empty; the smallest of several.
std::string FindNoCase(const std::string& folder, const std::string& name);

// Matches an ANSI name against a pattern with * and ?, without regard to case; "*.*" matches
// every name.
bool MatchWildcard(std::string_view pattern, std::string_view name);

}  // namespace qrv::platform
