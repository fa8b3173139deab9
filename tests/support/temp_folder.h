// A unique folder under the system's temporary folder for one test, removed with everything in
// it when the object goes.
#pragma once

#include <map>
#include <string>
#include <vector>

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

// Whole files and folder listings, read and written straight through the system for checking
// what the code under test left on disk.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Names in a folder, sorted.
std::vector<std::string> FolderListing(const std::string& folder);
// Everything below a folder: each file by its path relative to the folder with its bytes, each
// folder by its relative path and a trailing separator with no bytes. Two equal trees hold the
// same names, sizes and bytes.
std::map<std::string, std::string> TreeOf(const std::string& folder);

}  // namespace qrv::testing
