// One set of platform doubles for a test: files through the fault-injecting wrapper over the
// system's file system, the in-memory registry, the German locale tables (decimal separator
// settable), a clock standing at 10 December 2026 12:00, a host with an executable path and no
// parameter, and a recording user interface.
#pragma once

#include "platform/fixed_clock.h"
#include "platform/platform.h"
#include "support/fakes.h"
#include "support/faulty_files.h"

namespace qrv::testing {

// 10 December 2026, 12:00.
inline constexpr double kTestNow = 46366.5;

class TestPlatform {
 public:
  TestPlatform();
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  platform::Platform Get();

  platform::FixedClock clock;  // before the registry, which stamps keys with it
  FaultyFileSystem files;
  MemRegistry registry;
  FakeLocale locale;
  FakeHost host;
  RecordingUi ui;
};

}  // namespace qrv::testing
