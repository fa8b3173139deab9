#include "util/text_file.h"

#include <memory>

namespace qrv {

bool ReadWholeFile(platform::FileSystem& files, const std::string& path, int64_t maxSize,
                   std::string* text) {
  std::unique_ptr<platform::File> f;
  if (files.Open(path, platform::OpenMode::kRead, &f) != platform::kOk) return false;
  int64_t size = 0;
  if (f->Size(&size) != platform::kOk || size < 0 || size > maxSize) return false;
  text->resize(static_cast<size_t>(size));
  size_t got = 0;
  if (f->ReadAt(0, text->data(), text->size(), &got) != platform::kOk) return false;
  text->resize(got);
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    pos = end + 1;
  }
  return lines;
}

}  // namespace qrv
