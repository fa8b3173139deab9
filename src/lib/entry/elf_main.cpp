// Start-up of the Linux library. A constructor cannot fail dlopen: a failed start-up is reported
// through the user interface and every export then answers its failure result.
#include "lib/library.h"

namespace {

__attribute__((constructor)) void QuorvaneStart() {
  qrv::StartLibrary(qrv::platform::SystemPlatform());
}

}  // namespace
