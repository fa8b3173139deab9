// Clock interface of the platform layer.
#pragma once

#include <cstdint>

namespace qrv::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Local date and time, days since 30 December 1899.
  virtual double Now() = 0;
  // Milliseconds since the system started; wraps after about 49.7 days.
  virtual uint32_t Ticks() = 0;
};

}  // namespace qrv::platform
