#include "holidays/feiertag_file.h"

#include <memory>

#include "files/file_io.h"
#include "util/fileprobe.h"
#include "util/texts.h"

namespace qrv {

namespace {

constexpr int kInvalidNumber = 106;
constexpr char kFileName[] = "FEIERTG.DAT";

bool IsSpace(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

TFeiertagText TFeiertagText::Open(platform::FileSystem& files, const std::string& path) {
  std::unique_ptr<platform::File> file;
  platform::OsError error = files.Open(path, platform::OpenMode::kRead, &file);
  if (error != platform::kOk) RaiseFileError(error);
  int64_t size = 0;
  error = file->Size(&size);
  std::string text;
  if (error == platform::kOk && size > 0) {
    text.resize(static_cast<size_t>(size));
    size_t got = 0;
    error = file->ReadAt(0, text.data(), text.size(), &got);
    text.resize(got);
  }
  file->Close();
  if (error != platform::kOk) RaiseFileError(error);
  return TFeiertagText(std::move(text));
}

int32_t TFeiertagText::ReadInt() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  const size_t start = pos_;
  while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
  if (start == pos_) return 0;
  int32_t value = 0;
  if (!TryStrToInt(text_.substr(start, pos_ - start), &value)) throw MakeInOutError(kInvalidNumber);
  return value;
}

std::string TFeiertagText::ReadRest() {
  const size_t start = pos_;
  while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

void TFeiertagText::SkipLine() {
  while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

TQRVFeiertage::TQRVFeiertage(const platform::Platform& platform, const TKonfig& konfig)
    : TFeiertage(platform), konfig_(konfig) {
  SetJahrDirekt(1);
}

std::string TQRVFeiertage::DateiName(uint16_t jahr) const {
  int32_t y = jahr;
  if (y < konfig_.VerwJahreMin) {
    y = konfig_.VerwJahreMin;
  } else if (y > konfig_.VerwJahreMax) {
    y = konfig_.VerwJahreMax;
  }
  return WithBackslash(konfig_.DataPath) + std::to_string(y) + platform::kPathSeparator + kFileName;
}

void TQRVFeiertage::DoJahr(uint16_t neuJahr) {
  LoadFromFile(DateiName(neuJahr));
}

}  // namespace qrv
