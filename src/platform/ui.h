// What the library shows a person. Texts are ANSI (1252).
#pragma once

#include <functional>
#include <string>

namespace qrv::platform {

// The window of a long job while it runs. The job calls it from its own thread, between steps.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  // The text above the bar.
  virtual void SetText(const std::string& text) = 0;
  // The bar's position, 0 to 100, and the percentage text beneath it ("<percent> %").
  virtual void SetPercent(int percent) = 0;
  // Lets the window repaint and answer input between two steps of the job.
  virtual void ProcessMessages() = 0;
  // The job is complete: the window closes itself about 100 ms later.
  virtual void Finish() = 0;
};

// A long job; it reports through the window it is given.
using ProgressJob = std::function<void(ProgressWindow& window)>;

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A modal box with the error symbol and a single OK button.
  virtual void ErrorBox(const std::string& text) = 0;
  // The application's standard display of an exception that was handled and passed over.
  virtual void ShowException(const std::string& text) = 0;
  // Hourglass while true, arrow when false.
  virtual void SetHourglass(bool busy) = 0;
  // Makes the printer of that name the process's current printer (the default printer when the
  // name is unknown). Never changes the system's default printer. Failures are ignored.
  virtual void SelectPrinter(const std::string& name) = 0;
  // Runs job inside a modal progress window captioned "Bitte warten" whose text is text, and
  // returns once the window has closed. An exception of the job closes the window and passes on.
  // Where no window can be shown the job runs all the same. The default is the operating
  // system's display (RunSystemProgress).
  virtual void RunProgress(const std::string& text, const ProgressJob& job);
};

// The operating system's progress display: a modal window on Windows; on Linux a bar on stderr
// when stderr is a terminal, nothing otherwise.
void RunSystemProgress(const std::string& text, const ProgressJob& job);

inline void UserInterface::RunProgress(const std::string& text, const ProgressJob& job) {
  RunSystemProgress(text, job);
}

}  // namespace qrv::platform
