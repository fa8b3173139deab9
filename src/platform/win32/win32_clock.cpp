#include "platform/win32/win32_clock.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_time.h"

namespace qrv::platform {

double Win32Clock::Now() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  return DateTimeFromSystemTime(local);
}

uint32_t Win32Clock::Ticks() {
  return static_cast<uint32_t>(GetTickCount());
}

}  // namespace qrv::platform
