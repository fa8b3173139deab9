#include "util/paths.h"

namespace qrv {

bool IsPathSeparator(char c) {
  return c == '\\' || c == '/';
}

namespace {

// Index just past the last separator or drive colon, 0 when none.
size_t NameStart(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i) {
    char c = path[i - 1];
    if (IsPathSeparator(c) || c == ':') return i;
  }
  return 0;
}

}  // namespace

std::string ExtractFilePath(const std::string& path) {
  return path.substr(0, NameStart(path));
}

std::string ExtractFileName(const std::string& path) {
  return path.substr(NameStart(path));
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  size_t start = NameStart(path);
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < start) return path + ext;
  return path.substr(0, dot) + ext;
}

std::string ExcludeTrailingSeparator(const std::string& path) {
  if (!path.empty() && IsPathSeparator(path.back())) return path.substr(0, path.size() - 1);
  return path;
}

}  // namespace qrv
