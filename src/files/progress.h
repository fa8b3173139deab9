// The progress display of long jobs of indexed files: TFormProgress holds a job's range and
// turns positions into the percentage the window shows; TProgressIndexedFile runs its index
// rebuilds inside such a window (the platform's modal progress window, see platform/ui.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "files/indexed_file.h"
#include "platform/ui.h"

namespace qrv {

// The bar's value for position within low..high: (position - low + 1) * 100 / (high - low + 1),
// integer division, held within 0..100. An empty range (high + 1 = low) leaves current as it is.
int ProgressPercent(int32_t low, int32_t high, int32_t position, int current);

class TFormProgress {
 public:
  explicit TFormProgress(platform::UserInterface& ui) : ui_(ui) {}

  // Shows the window with caption and runs work inside it; returns when the window has closed.
  void Run(const std::string& caption, int32_t low, const std::function<void()>& work,
           int32_t high);
  // A non-empty caption replaces the text; the bar and its percentage follow position.
  void Report(const std::string& caption, int32_t position);
  // Shows 100 % and lets the window close itself.
  void Finish();

  int32_t Low = 0;
  int32_t High = 0;
  int32_t Position = 0;
  // What the window shows.
  std::string Text = "Fortschrittsanzeige";
  int Percent = 0;

 private:
  platform::UserInterface& ui_;
  platform::ProgressWindow* window_ = nullptr;  // while Run runs
};

class TProgressIndexedFile : public TIndexedFile {
 public:
  using TIndexedFile::TIndexedFile;

  void Execute(const std::string& caption, int32_t low, const Work& work, int32_t high) override;
  void Progress(const std::string& caption, int32_t position) override;
  void Done() override;

  // The window of the job now running or run last.
  std::unique_ptr<TFormProgress> ProgressForm;
};

}  // namespace qrv
