// Entry point of Quorvane.dll: the loader's attach runs the library's start-up, and a failed
// start-up fails the load.
#include "lib/library.h"
#include "platform/platform.h"

namespace {

// The loader's reasons and answers, as the Windows headers number them; this file stays free
// of <windows.h>.
constexpr unsigned long kProcessAttach = 1;
constexpr int kTrue = 1;
constexpr int kFalse = 0;

}  // namespace

extern "C" int __stdcall DllMain(void* instance, unsigned long reason, void* reserved);

extern "C" int __stdcall DllMain(void* /*instance*/, unsigned long reason, void* /*reserved*/) {
  if (reason != kProcessAttach) return kTrue;
  try {
    return qrv::StartLibrary(qrv::platform::SystemPlatform()) ? kTrue : kFalse;
  } catch (...) {
    // Nothing may leave the loader's call; the start-up has reported what it could.
    return kFalse;
  }
}
