// The POSIX clock, host process and user interface of the platform layer, and where the Linux
// build keeps its registry files.
#pragma once

#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/host.h"
#include "platform/ui.h"

namespace qrv::platform {

class PosixClock final : public Clock {
 public:
  double Now() override;      // CLOCK_REALTIME as local time, to the millisecond
  uint32_t Ticks() override;  // CLOCK_MONOTONIC in milliseconds, wrapping at 2^32
};

// /proc/self/exe and argv[1] of /proc/self/cmdline, as ANSI text.
class PosixHost final : public HostProcess {
 public:
  std::string ExecutablePath() override;
  std::string FirstParameter() override;
};

// Kinds of message the user interface passes to its handler.
enum class MessageKind { kErrorBox, kException };

// Receives every message the library shows; text is ANSI (1252).
using MessageHandler = std::function<void(MessageKind kind, const std::string& text)>;

// Messages go to a handler, by default a line on stderr in UTF-8. The cursor and the printer
// choice mean nothing here.
class PosixUserInterface final : public UserInterface {
 public:
  PosixUserInterface();
  // An empty handler restores the default.
  void SetHandler(MessageHandler handler);

  void ErrorBox(const std::string& text) override;
  void ShowException(const std::string& text) override;
  void SetHourglass(bool) override {}
  void SelectPrinter(const std::string&) override {}

 private:
  MessageHandler handler_;
};

// The default handler: the text as one line on stderr, converted to UTF-8, CR LF as one line
// break.
void WriteMessageToStderr(MessageKind kind, const std::string& text);

// Replaces the handler of the system platform's user interface (SystemPlatform().ui).
void SetMessageHandler(MessageHandler handler);

struct RegistryFiles {
  std::string user;     // HKEY_CURRENT_USER
  std::string machine;  // HKEY_LOCAL_MACHINE
};

// QUORVANE_REGISTRY_DIR=D gives D/user.reg and D/machine.reg; otherwise
// $XDG_CONFIG_HOME/quorvane/user.reg (else $HOME/.config/quorvane/user.reg) and
// /etc/quorvane/machine.reg. getenv looks up one variable (nullptr when unset).
RegistryFiles RegistryFilesFrom(const std::function<const char*(const char*)>& getenv);

}  // namespace qrv::platform
