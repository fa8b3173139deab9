#include "platform/posix/posix_paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

#include "platform/utf8.h"

namespace qrv::platform {

namespace {

bool Exists(const std::string& native) {
  struct stat st {};
  return stat(native.c_str(), &st) == 0;
}

bool IsFolder(const std::string& native) {
  struct stat st {};
  return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> SplitComponents(const std::string& native) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= native.size()) {
    size_t end = native.find('/', start);
    if (end == std::string::npos) end = native.size();
    if (end > start) parts.push_back(native.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::string NativePath(std::string_view ansiPath) {
  std::string native = AnsiToUtf8(ansiPath);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

std::string FindNoCase(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::string();
  const std::string wanted = Utf8ToAnsi(name);
  std::string best;
  while (const dirent* entry = readdir(dir)) {
    const std::string candidate = entry->d_name;
    if (!EqualNoCase(Utf8ToAnsi(candidate), wanted)) continue;
    if (best.empty() || candidate < best) best = candidate;
  }
  closedir(dir);
  return best;
}

ResolvedPath ResolvePath(const std::string& native) {
  ResolvedPath result;
  result.native = native;
  if (Exists(native)) {
    result.exists = true;
    return result;
  }
  const std::vector<std::string> parts = SplitComponents(native);
  std::string folder = !native.empty() && native.front() == '/' ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string candidate = folder + parts[i];
    if (!Exists(candidate)) {
      const std::string match = FindNoCase(folder, parts[i]);
      if (!match.empty()) candidate = folder + match;
    }
    if (i + 1 == parts.size()) {
      result.native = candidate;
      result.exists = Exists(candidate);
      return result;
    }
    if (!IsFolder(candidate)) {
      result.folderMissing = true;
      return result;
    }
    folder = candidate + "/";
  }
  return result;
}

bool MatchWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";
  size_t p = 0, n = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || FoldAnsiCase(pattern[p]) == FoldAnsiCase(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace qrv::platform
