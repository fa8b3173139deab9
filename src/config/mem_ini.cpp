#include "config/mem_ini.h"

#include <memory>

#include "platform/utf8.h"
#include "util/fileprobe.h"
#include "util/text_file.h"
#include "util/texts.h"

namespace qrv {

namespace {

constexpr int64_t kMaxIniSize = 64 * 1024 * 1024;

bool IsHeader(const std::string& trimmed) {
  return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

std::string HeaderName(const std::string& trimmed) {
  return Trim(trimmed.substr(1, trimmed.size() - 2));
}

// The key of a key=value line; empty for comments and lines without '='.
std::string KeyOf(const std::string& line) {
  std::string t = Trim(line);
  if (t.empty() || t.front() == ';') return std::string();
  size_t eq = t.find('=');
  return eq == std::string::npos ? std::string() : Trim(t.substr(0, eq));
}

std::string ValueOf(const std::string& line) {
  return Trim(line.substr(line.find('=') + 1));
}

void Check(platform::OsError error) {
  if (error != platform::kOk) RaiseInOutError(static_cast<int>(error));
}

}  // namespace

TMemIniFile::TMemIniFile(platform::FileSystem& files, std::string fileName)
    : files_(&files), fileName_(std::move(fileName)) {
  std::string text;
  if (!ReadWholeFile(files, fileName_, kMaxIniSize, &text)) return;
  if (text.find('\n') != std::string::npos && text.find("\r\n") == std::string::npos)
    lineBreak_ = "\n";
  lines_ = SplitLines(text);
}

int TMemIniFile::FindSection(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::string t = Trim(lines_[i]);
    if (IsHeader(t) && platform::EqualNoCase(HeaderName(t), section)) return static_cast<int>(i);
  }
  return -1;
}

int TMemIniFile::SectionEnd(int header) const {
  size_t i = static_cast<size_t>(header) + 1;
  while (i < lines_.size() && !IsHeader(Trim(lines_[i]))) ++i;
  return static_cast<int>(i);
}

int TMemIniFile::FindKey(int header, const std::string& ident) const {
  int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i) {
    std::string key = KeyOf(lines_[static_cast<size_t>(i)]);
    if (!key.empty() && platform::EqualNoCase(key, ident)) return i;
  }
  return -1;
}

bool TMemIniFile::SectionExists(const std::string& section) const {
  return FindSection(section) >= 0;
}

bool TMemIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  int header = FindSection(section);
  return header >= 0 && FindKey(header, ident) >= 0;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) const {
  int header = FindSection(section);
  int line = header < 0 ? -1 : FindKey(header, ident);
  return line < 0 ? def : ValueOf(lines_[static_cast<size_t>(line)]);
}

int32_t TMemIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                 int32_t def) const {
  return StrToIntDef(ReadString(section, ident, std::string()), def);
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  int header = FindSection(section);
  if (header < 0) {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + section + "]");
    lines_.push_back(ident + "=" + value);
    return;
  }
  int line = FindKey(header, ident);
  if (line >= 0) {
    lines_[static_cast<size_t>(line)] = KeyOf(lines_[static_cast<size_t>(line)]) + "=" + value;
    return;
  }
  // After the section's last line that is not blank, so the blank line before the next
  // section stays where it is.
  int at = SectionEnd(header);
  while (at > header + 1 && Trim(lines_[static_cast<size_t>(at - 1)]).empty()) --at;
  lines_.insert(lines_.begin() + at, ident + "=" + value);
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& ident,
                               int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

std::string TMemIniFile::Compose() const {
  std::string text;
  for (const std::string& line : lines_) text += line + lineBreak_;
  return text;
}

void TMemIniFile::UpdateFile() {
  if (files_ == nullptr || fileName_.empty()) return;
  const std::string text = Compose();
  const std::string temp = fileName_ + ".$$$";
  {
    std::unique_ptr<platform::File> f;
    Check(files_->Open(temp, platform::OpenMode::kCreate, &f));
    platform::OsError error = f->WriteAt(0, text.data(), text.size());
    platform::OsError closed = f->Close();
    if (error == platform::kOk) error = closed;
    if (error != platform::kOk) {
      files_->Remove(temp);
      Check(error);
    }
  }
  platform::OsError renamed = files_->Rename(temp, fileName_);
  if (renamed != platform::kOk) {
    files_->Remove(temp);
    Check(renamed);
  }
}

}  // namespace qrv
