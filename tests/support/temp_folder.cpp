#include "support/temp_folder.h"

#include <filesystem>
#include <random>
#include <stdexcept>

#include "platform/files.h"

namespace qrv::testing {

TempFolder::TempFolder() {
  namespace fs = std::filesystem;
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = base / ("qrv-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string() + platform::kPathSeparator;
      return;
    }
  }
  throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace qrv::testing
