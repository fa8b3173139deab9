// What a writing command changed in an installation's folder, said on stderr: the folder is
// listed before and after the command, and the difference is reported.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace qrv::tool {

struct FileState {
  int64_t size = 0;
  double lastWrite = 0;
};

// Every file and folder below a folder by its path relative to it (folders end in the
// separator), with size and last-write time. folder is ANSI text.
using FolderContents = std::map<std::string, FileState>;
FolderContents FolderContentsOf(const std::string& folder);

// "quorvane: wrote DIR: N new files, N files changed, N bytes, N new folders".
void ReportWrites(std::ostream& err, const std::string& shownDir, const FolderContents& before,
                  const FolderContents& after);

}  // namespace qrv::tool
