// The spreadsheet factory without an engine: no module, no loadable module, a module of another
// kind. Each answers null with the reason, and the library carries on.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "platform/posix/posix_spreadsheets.h"
#include "support/temp_folder.h"

namespace qrv::platform {
namespace {

// The file of the loaded math library: a shared object without the engine's entry.
std::string MathLibrary() {
  Dl_info info{};
  double (*cosine)(double) = &std::cos;
  if (dladdr(reinterpret_cast<void*>(cosine), &info) == 0 || info.dli_fname == nullptr) return "";
  return info.dli_fname;
}

TEST(PosixSpreadsheetFactoryTest, NoEngineSaysWhy) {
  struct Case {
    const char* label;
    const char* module;  // what lies in the folder as the module: "" nothing, "libm" a library
    const char* reason;
  };
  const Case cases[] = {
      {"no module", "", "libquorvane_calc.so not found in "},
      {"not a shared object", "garbage", "cannot load "},
      {"another library", "libm", " is no spreadsheet engine"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    testing::TempFolder folder;
    const std::string module = folder.Path() + "libquorvane_calc.so";
    if (std::string(c.module) == "garbage") testing::WriteFileBytes(module, "not an ELF file");
    if (std::string(c.module) == "libm") {
      std::filesystem::create_symlink(MathLibrary(), module);
    }
    PosixSpreadsheetFactory factory({folder.Path(), "/nonexistent"});
    EXPECT_EQ("", factory.Missing());
    EXPECT_EQ(nullptr, factory.Create());
    EXPECT_NE(std::string::npos, factory.Missing().find(c.reason)) << factory.Missing();
    // Asked again, it answers the same, without raising.
    EXPECT_EQ(nullptr, factory.Create());
    EXPECT_NE(std::string::npos, factory.Missing().find(c.reason)) << factory.Missing();
  }
}

TEST(PosixSpreadsheetFactoryTest, SystemPlatformHasOne) {
  EXPECT_NE(nullptr, SystemPlatform().spreadsheets);
}

}  // namespace
}  // namespace qrv::platform
