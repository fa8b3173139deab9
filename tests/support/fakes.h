// Settable and recording doubles of the platform layer's registry, locale, host and user
// interface (the settable clock is platform::FixedClock).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/reg_store.h"
#include "platform/table_locale.h"
#include "platform/ui.h"

namespace qrv::testing {

// The registry in memory, with the semantics of the Linux build's file store.
class MemRegistry final : public platform::RegTreeRegistry {
 public:
  // clock (may be null) stamps changed keys; it must outlive the registry.
  explicit MemRegistry(platform::Clock* clock = nullptr) : RegTreeRegistry(clock) {}
  // Every change of root answers kAccessDenied and leaves the root as it was (as a user without
  // rights on HKEY_LOCAL_MACHINE meets it).
  void DenyWrites(platform::RegRoot root, bool deny = true) { denied_[Index(root)] = deny; }

 protected:
  platform::OsError Persist(platform::RegRoot root) override {
    return denied_[Index(root)] ? platform::kAccessDenied : platform::kOk;
  }

 private:
  static int Index(platform::RegRoot root) {
    return root == platform::RegRoot::kCurrentUser ? 0 : 1;
  }
  bool denied_[2] = {false, false};
};

// The German locale tables with a settable decimal separator (a Windows user may have chosen
// another one).
class FakeLocale final : public platform::Locale {
 public:
  void ConvertAnsiToOem(const char* src, char* dst, size_t n) override {
    tables_.ConvertAnsiToOem(src, dst, n);
  }
  void ConvertOemToAnsi(const char* src, char* dst, size_t n) override {
    tables_.ConvertOemToAnsi(src, dst, n);
  }
  int CompareText(std::string_view a, std::string_view b) override {
    return tables_.CompareText(a, b);
  }
  std::string UpperCase(std::string_view s) override { return tables_.UpperCase(s); }
  std::string LowerCase(std::string_view s) override { return tables_.LowerCase(s); }
  std::string ShortMonthName(int month) override { return tables_.ShortMonthName(month); }
  char DecimalSeparator() override { return decimalSeparator; }

  char decimalSeparator = ',';

 private:
  platform::TableLocale tables_;
};

class FakeHost final : public platform::HostProcess {
 public:
  std::string ExecutablePath() override { return exePath; }
  std::string FirstParameter() override { return firstParam; }

  std::string exePath;
  std::string firstParam;
};

// Records every call in order. Kinds: "ErrorBox", "ShowException", "Hourglass", "Arrow",
// "Printer" (text: the printer's name), and for a progress job "Progress" (its text), then what
// the job shows: "ProgressText", "ProgressPercent" (the number as text), "ProgressFinish". The job
// runs at once, without a window.
class RecordingUi final : public platform::UserInterface {
 public:
  struct Call {
    std::string kind;
    std::string text;
    bool operator==(const Call&) const = default;
  };

  void ErrorBox(const std::string& text) override { calls.push_back({"ErrorBox", text}); }
  void ShowException(const std::string& text) override { calls.push_back({"ShowException", text}); }
  void SetHourglass(bool busy) override { calls.push_back({busy ? "Hourglass" : "Arrow", ""}); }
  void SelectPrinter(const std::string& name) override { calls.push_back({"Printer", name}); }
  void RunProgress(const std::string& text, const platform::ProgressJob& job) override {
    calls.push_back({"Progress", text});
    Window window(calls);
    job(window);
  }

  std::vector<Call> calls;

 private:
  class Window final : public platform::ProgressWindow {
   public:
    explicit Window(std::vector<Call>& calls) : calls_(calls) {}
    void SetText(const std::string& text) override { calls_.push_back({"ProgressText", text}); }
    void SetPercent(int percent) override {
      calls_.push_back({"ProgressPercent", std::to_string(percent)});
    }
    void ProcessMessages() override {}
    void Finish() override { calls_.push_back({"ProgressFinish", ""}); }

   private:
    std::vector<Call>& calls_;
  };
};

}  // namespace qrv::testing
