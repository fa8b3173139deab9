#include "files/progress.h"

#include <algorithm>

namespace qrv {

int ProgressPercent(int32_t low, int32_t high, int32_t position, int current) {
  const int64_t span = static_cast<int64_t>(high) - low + 1;
  if (span == 0) return current;
  const int64_t percent = (static_cast<int64_t>(position) - low + 1) * 100 / span;
  return static_cast<int>(std::clamp<int64_t>(percent, 0, 100));
}

void TFormProgress::Run(const std::string& caption, int32_t low, const std::function<void()>& work,
                        int32_t high) {
  Low = low;
  High = high;
  Text = caption;
  ui_.RunProgress(caption, [&](platform::ProgressWindow& window) {
    window_ = &window;
    try {
      work();
    } catch (...) {
      window_ = nullptr;
      throw;
    }
    window_ = nullptr;
  });
}

void TFormProgress::Report(const std::string& caption, int32_t position) {
  if (!caption.empty()) {
    Text = caption;
    if (window_ != nullptr) window_->SetText(caption);
  }
  Position = position;
  Percent = ProgressPercent(Low, High, position, Percent);
  if (window_ == nullptr) return;
  window_->SetPercent(Percent);
  window_->ProcessMessages();
}

void TFormProgress::Finish() {
  Report("", High);
  if (window_ != nullptr) window_->Finish();
}

void TProgressIndexedFile::Execute(const std::string& caption, int32_t low, const Work& work,
                                   int32_t high) {
  ProgressForm = std::make_unique<TFormProgress>(*platform_.ui);
  ProgressForm->Run(
      caption, low, [&] { work(*this); }, high);
}

void TProgressIndexedFile::Progress(const std::string& caption, int32_t position) {
  if (ProgressForm) ProgressForm->Report(caption, position);
}

void TProgressIndexedFile::Done() {
  if (ProgressForm) ProgressForm->Finish();
}

}  // namespace qrv
