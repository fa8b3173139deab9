#include "platform/win32/win32_host.h"

#include "platform/win32/win32_api.h"

namespace qrv::platform {
namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// Reads the parameter at p into *out (when given) and answers where the next one may begin.
const char* NextParameter(const char* p, std::string* out) {
  while (*p != 0 && IsBlank(*p)) ++p;
  while (*p != 0 && !IsBlank(*p)) {
    if (*p == '"') {
      for (++p; *p != 0 && *p != '"'; ++p) {
        if (out) *out += *p;
      }
      if (*p == '"') ++p;
    } else {
      if (out) *out += *p;
      ++p;
    }
  }
  return p;
}

}  // namespace

std::string FirstCommandLineParameter(const char* commandLine) {
  std::string parameter;
  if (commandLine == nullptr) return parameter;
  NextParameter(NextParameter(commandLine, nullptr), &parameter);
  return parameter;
}

std::string Win32HostProcess::ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.assign(path.size() * 2, '\0');
  }
}

std::string Win32HostProcess::FirstParameter() {
  return FirstCommandLineParameter(GetCommandLineA());
}

}  // namespace qrv::platform
