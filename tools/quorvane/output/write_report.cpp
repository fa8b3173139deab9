#include "write_report.h"

#include <vector>

#include "platform/platform.h"
#include "util/fileprobe.h"

namespace qrv::tool {

namespace {

void Collect(platform::FileSystem& fs, const std::string& folder, const std::string& relative,
             FolderContents& contents) {
  std::vector<platform::FileInfo> found;
  if (fs.Find(folder + relative + "*", &found) != platform::kOk) return;
  for (const platform::FileInfo& f : found) {
    if (!f.directory) {
      contents[relative + f.name] = {f.size, f.lastWrite};
      continue;
    }
    const std::string sub = relative + f.name + platform::kPathSeparator;
    contents[sub] = {};
    Collect(fs, folder, sub, contents);
  }
}

}  // namespace

FolderContents FolderContentsOf(const std::string& folder) {
  FolderContents contents;
  Collect(*platform::SystemPlatform().files, WithBackslash(folder), "", contents);
  return contents;
}

void ReportWrites(std::ostream& err, const std::string& shownDir, const FolderContents& before,
                  const FolderContents& after) {
  int added = 0, changed = 0, folders = 0;
  int64_t bytes = 0;
  for (const auto& [name, state] : after) {
    const auto old = before.find(name);
    if (name.back() == platform::kPathSeparator) {
      if (old == before.end()) ++folders;
      continue;
    }
    if (old == before.end()) {
      ++added;
    } else if (old->second.size != state.size || old->second.lastWrite != state.lastWrite) {
      ++changed;
    } else {
      continue;
    }
    bytes += state.size;
  }
  err << "quorvane: wrote " << shownDir << ": " << added << " new files, " << changed
      << " files changed, " << bytes << " bytes, " << folders << " new folders\n";
}

}  // namespace qrv::tool
