// What the Windows library shows a person: message boxes, the wait cursor, and the process's
// printer choice.
#pragma once

#include <string>

#include "platform/ui.h"

namespace qrv::platform {

class Win32UserInterface final : public UserInterface {
 public:
  void ErrorBox(const std::string& text) override;
  void ShowException(const std::string& text) override;
  void SetHourglass(bool busy) override;
  // Looks the name up among the printers the system lists; an unknown name or a failed lookup
  // chooses the default printer. The choice holds for this process only.
  void SelectPrinter(const std::string& name) override;

  // The printer chosen last; empty before any choice or when the system has no printer.
  const std::string& CurrentPrinter() const { return printer_; }

 private:
  std::string printer_;
};

}  // namespace qrv::platform
