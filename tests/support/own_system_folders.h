// The system platform's registry and cache folders of a test program in a folder of its own, set
// before anything asks for them, so that no run reads or touches the user's. A test program that
// runs the system platform (the tool in-process, or child processes, which inherit them) defines
// one instance at namespace scope.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace qrv::testing {

struct OwnSystemFolders {
  OwnSystemFolders() {
    const std::string root = (std::filesystem::temp_directory_path() /
                              ("quorvane_tests_" + std::to_string(std::random_device{}())))
                                 .string();
    setenv("QUORVANE_REGISTRY_DIR", (root + "/registry").c_str(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
    folder = root;
  }
  ~OwnSystemFolders() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  OwnSystemFolders(const OwnSystemFolders&) = delete;
  OwnSystemFolders& operator=(const OwnSystemFolders&) = delete;

  std::string folder;
};

}  // namespace qrv::testing
