// A clock that answers what its owner set: the demo generator dates its files with it, and tests,
// fuzz targets and benchmarks run on it instead of the system's time.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace qrv::platform {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(double now = 0, uint32_t ticks = 0) : now_(now), ticks_(ticks) {}

  double Now() override { return now_; }
  // The ticks as set; with a step, each call moves them on by it afterwards (a program that asks
  // the clock for every record use sees time pass, without the date-time moving).
  uint32_t Ticks() override {
    const uint32_t t = ticks_;
    ticks_ += step_;
    return t;
  }

  void SetNow(double now) { now_ = now; }
  // Any 32-bit value, also past 2^31 and up to the wrap.
  void SetTicks(uint32_t ticks) { ticks_ = ticks; }
  void SetTickStep(uint32_t step) { step_ = step; }
  // Moves both the date-time and the ticks on by ms; the ticks wrap as the system's do.
  void Advance(uint32_t ms) {
    ticks_ += ms;
    now_ += ms / 86400000.0;
  }

 private:
  double now_;
  uint32_t ticks_;
  uint32_t step_ = 0;
};

}  // namespace qrv::platform
