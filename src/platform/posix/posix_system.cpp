#include "platform/posix/posix_system.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>

#include "platform/posix/posix_time.h"
#include "platform/utf8.h"

namespace qrv::platform {

namespace {

// The whole of a small /proc file.
std::string ReadProcFile(const char* path) {
  std::string content;
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return content;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) content.append(buffer, static_cast<size_t>(n));
  close(fd);
  return content;
}

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;  // nowhere else to report it
    done += static_cast<size_t>(n);
  }
}

std::string WithoutTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

}  // namespace

double PosixClock::Now() {
  struct timespec ts {};
  clock_gettime(CLOCK_REALTIME, &ts);
  return LocalDateTime(ts.tv_sec, ts.tv_nsec);
}

uint32_t PosixClock::Ticks() {
  struct timespec ts {};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  const uint64_t ms =
      static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

std::string PosixHost::ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0) return std::string();
  path.resize(static_cast<size_t>(n));
  return Utf8ToAnsi(path);
}

std::string PosixHost::FirstParameter() {
  const std::string cmdline = ReadProcFile("/proc/self/cmdline");
  const size_t first = cmdline.find('\0');
  if (first == std::string::npos || first + 1 >= cmdline.size()) return std::string();
  const size_t end = cmdline.find('\0', first + 1);
  return Utf8ToAnsi(cmdline.substr(first + 1, end == std::string::npos ? end : end - first - 1));
}

void WriteMessageToStderr(MessageKind /*kind*/, const std::string& text) {
  std::string line;
  for (char c : AnsiToUtf8(text)) {
    if (c != '\r') line.push_back(c);
  }
  line.push_back('\n');
  WriteAll(STDERR_FILENO, line);
}

PosixUserInterface::PosixUserInterface() : handler_(WriteMessageToStderr) {}

void PosixUserInterface::SetHandler(MessageHandler handler) {
  handler_ = handler ? std::move(handler) : MessageHandler(WriteMessageToStderr);
}

void PosixUserInterface::ErrorBox(const std::string& text) {
  handler_(MessageKind::kErrorBox, text);
}

void PosixUserInterface::ShowException(const std::string& text) {
  handler_(MessageKind::kException, text);
}

RegistryFiles RegistryFilesFrom(const std::function<const char*(const char*)>& getenv) {
  auto value = [&getenv](const char* name) {
    const char* v = getenv(name);
    return v != nullptr ? Utf8ToAnsi(v) : std::string();
  };
  RegistryFiles files;
  const std::string moved = value("QUORVANE_REGISTRY_DIR");
  if (!moved.empty()) {
    const std::string dir = WithoutTrailingSlash(moved);
    files.user = dir + "/user.reg";
    files.machine = dir + "/machine.reg";
    return files;
  }
  std::string config = value("XDG_CONFIG_HOME");
  if (config.empty() || config.front() != '/') config = value("HOME") + "/.config";
  files.user = WithoutTrailingSlash(config) + "/quorvane/user.reg";
  files.machine = "/etc/quorvane/machine.reg";
  return files;
}

}  // namespace qrv::platform
