// The Windows build's platform: one object of each Win32 implementation, kept for the life of
// the process.
#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_ui.h"

namespace qrv::platform {

Platform SystemPlatform() {
  // Built once and never destroyed, so they outlive every object that holds them, whatever
  // order the process's end takes.
  static auto* const files = new Win32FileSystem;
  static auto* const registry = new Win32Registry;
  static auto* const locale = new Win32Locale;
  static auto* const clock = new Win32Clock;
  static auto* const host = new Win32HostProcess;
  static auto* const ui = new Win32UserInterface;
  return Platform{files, registry, locale, clock, host, ui, nullptr};
}

}  // namespace qrv::platform
