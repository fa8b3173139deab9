// The demo installation: a small, realistic data folder written through the library's own record
// classes, so that it is always in the layouts the library reads. The same options give the same
// bytes.
#pragma once

#include <string>

#include "demo_options.h"

namespace qrv::tool {

// Writes the demo installation into the data folder dir (created when missing). Raises the
// library's exceptions when a file cannot be written.
void WriteDemo(const std::string& dir, const DemoOptions& options);

}  // namespace qrv::tool
