#include "platform/posix/posix_spreadsheets.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/posix/posix_paths.h"
#include "platform/utf8.h"

namespace qrv::platform {

namespace {

std::string FolderOf(const std::string& file) {
  const size_t slash = file.rfind('/');
  return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

std::vector<std::string> DefaultFolders() {
  std::vector<std::string> folders;
  if (const char* dir = std::getenv("QUORVANE_PLUGIN_DIR"); dir != nullptr && *dir != '\0') {
    folders.emplace_back(dir);
  }
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&DefaultFolders), &info) != 0 && info.dli_fname != nullptr) {
    folders.push_back(FolderOf(info.dli_fname));
  }
  char exe[4096];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) folders.push_back(FolderOf(std::string(exe, static_cast<size_t>(n))));
  return folders;
}

// The engine with workbook paths read as the file layer reads them: '\' as a separator, names
// matched without regard to case (data folders copied from Windows).
class NativePathSpreadsheet final : public Spreadsheet {
 public:
  explicit NativePathSpreadsheet(std::unique_ptr<Spreadsheet> engine)
      : engine_(std::move(engine)) {}

  int32_t Row() override { return engine_->Row(); }
  void SetRow(int32_t row) override { engine_->SetRow(row); }
  int32_t NumSheets() override { return engine_->NumSheets(); }
  int32_t Sheet() override { return engine_->Sheet(); }
  void SetSheet(int32_t sheet) override { engine_->SetSheet(sheet); }
  double GetCellNumber(int32_t row, int32_t col) override {
    return engine_->GetCellNumber(row, col);
  }
  void SetCellNumber(int32_t row, int32_t col, double value) override {
    engine_->SetCellNumber(row, col, value);
  }
  std::string GetCellText(int32_t row, int32_t col) override {
    return engine_->GetCellText(row, col);
  }
  void SetCellText(int32_t row, int32_t col, const std::string& text) override {
    engine_->SetCellText(row, col, text);
  }
  void SetCellEntry(int32_t row, int32_t col, const std::string& text) override {
    engine_->SetCellEntry(row, col, text);
  }
  std::string GetSheetTitle(int16_t sheet) override { return engine_->GetSheetTitle(sheet); }
  void SetSheetTitle(int32_t sheet, const std::string& title) override {
    engine_->SetSheetTitle(sheet, title);
  }
  void AddSheets(int32_t position, int32_t count) override { engine_->AddSheets(position, count); }
  void ClearSheetRange(int32_t row1, int32_t col1, int32_t row2, int32_t col2,
                       int32_t what) override {
    engine_->ClearSheetRange(row1, col1, row2, col2, what);
  }
  int32_t LoadWorkbook(const std::string& path) override {
    return engine_->LoadWorkbook(Utf8ToAnsi(ResolvePath(NativePath(path)).native));
  }

 private:
  std::unique_ptr<Spreadsheet> engine_;
};

}  // namespace

PosixSpreadsheetFactory::PosixSpreadsheetFactory(std::vector<std::string> folders)
    : folders_(std::move(folders)) {}

SpreadsheetPluginEntry PosixSpreadsheetFactory::Load() {
  if (entry_ != nullptr) return entry_;
  const auto folders = folders_.empty() ? DefaultFolders() : folders_;
  std::string tried;
  for (const auto& folder : folders) {
    const std::string file = folder + "/" + kSpreadsheetPluginFile;
    if (access(file.c_str(), R_OK) != 0) {
      tried += (tried.empty() ? "" : ", ") + folder;
      continue;
    }
    module_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module_ == nullptr) {
      const char* error = dlerror();
      missing_ =
          Utf8ToAnsi("cannot load " + file + ": " + (error != nullptr ? error : "unknown error"));
      return nullptr;
    }
    entry_ = reinterpret_cast<SpreadsheetPluginEntry>(dlsym(module_, kSpreadsheetPluginEntry));
    if (entry_ == nullptr) missing_ = Utf8ToAnsi(file + " is no spreadsheet engine");
    return entry_;
  }
  missing_ = Utf8ToAnsi(std::string(kSpreadsheetPluginFile) + " not found in " +
                        (tried.empty() ? std::string("any folder") : tried));
  return nullptr;
}

std::unique_ptr<Spreadsheet> PosixSpreadsheetFactory::Create() {
  std::lock_guard lock(mutex_);
  try {
    const auto entry = Load();
    if (entry == nullptr) return nullptr;
    char why[1024] = "";
    std::unique_ptr<Spreadsheet> engine(entry(kSpreadsheetPluginAbi, why, sizeof why));
    if (!engine) {
      missing_ = Utf8ToAnsi(why);
      return nullptr;
    }
    missing_.clear();
    return std::make_unique<NativePathSpreadsheet>(std::move(engine));
  } catch (const std::exception& e) {
    missing_ = Utf8ToAnsi(e.what());
    return nullptr;
  }
}

std::string PosixSpreadsheetFactory::Missing() const {
  std::lock_guard lock(mutex_);
  return missing_;
}

}  // namespace qrv::platform
