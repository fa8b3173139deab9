#include "platform/posix/posix_progress.h"

#include <unistd.h>

#include <algorithm>

#include "platform/utf8.h"

namespace qrv::platform {

namespace {

constexpr int kBarWidth = 30;

void WriteToStderr(const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(STDERR_FILENO, text.data() + done, text.size() - done);
    if (n <= 0) return;  // nowhere else to report it
    done += static_cast<size_t>(n);
  }
}

class TerminalBar final : public ProgressWindow {
 public:
  explicit TerminalBar(const std::string& text) : text_(text) { Draw(); }
  void SetText(const std::string& text) override {
    text_ = text;
    Draw();
  }
  void SetPercent(int percent) override {
    if (percent == percent_) return;
    percent_ = percent;
    Draw();
  }
  void ProcessMessages() override {}
  void Finish() override {
    if (finished_) return;
    finished_ = true;
    WriteToStderr("\n");
  }

 private:
  void Draw() { WriteToStderr("\r\x1b[K" + FormatProgressLine(text_, percent_, kBarWidth)); }

  std::string text_;
  int percent_ = 0;
  bool finished_ = false;
};

class NoWindow final : public ProgressWindow {
 public:
  void SetText(const std::string&) override {}
  void SetPercent(int) override {}
  void ProcessMessages() override {}
  void Finish() override {}
};

}  // namespace

std::string FormatProgressLine(const std::string& ansiText, int percent, int width) {
  std::string text;
  for (char c : ansiText) text.push_back(c == '\r' || c == '\n' ? ' ' : c);
  const int shown = std::clamp(percent, 0, 100);
  const int filled = width * shown / 100;
  std::string line = AnsiToUtf8(text) + " [";
  line.append(static_cast<size_t>(filled), '#');
  line.append(static_cast<size_t>(width - filled), ' ');
  return line + "] " + std::to_string(shown) + " %";
}

void RunSystemProgress(const std::string& text, const ProgressJob& job) {
  if (isatty(STDERR_FILENO) != 1) {
    NoWindow none;
    job(none);
    return;
  }
  TerminalBar bar(text);
  try {
    job(bar);
  } catch (...) {
    bar.Finish();
    throw;
  }
  bar.Finish();
}

}  // namespace qrv::platform
