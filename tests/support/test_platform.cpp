#include "support/test_platform.h"

namespace qrv::testing {

TestPlatform::TestPlatform() : registry(&clock) {
  clock.SetNow(kTestNow);
#if defined(_WIN32)
  host.exePath = "C:\\Programme\\Zeit\\bin\\zeit.exe";
#else
  host.exePath = "/opt/app/bin/zeit.exe";
#endif
}

platform::Platform TestPlatform::Get() {
  return platform::Platform{&files, &registry, &locale, &clock, &host, &ui, nullptr};
}

}  // namespace qrv::testing
