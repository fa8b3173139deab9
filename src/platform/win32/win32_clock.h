// The Windows build's clock: the local time of day and the system's millisecond ticks.
#pragma once

#include "platform/clock.h"

namespace qrv::platform {

class Win32Clock final : public Clock {
 public:
  double Now() override;
  uint32_t Ticks() override;
};

}  // namespace qrv::platform
