// A unique folder under the system's temporary folder for one test, removed with everything in
// it when the object goes.
#pragma once

#include <string>

namespace qrv::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a trailing separator.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace qrv::testing
