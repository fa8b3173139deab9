// What the library shows a person. Texts are ANSI (1252).
#pragma once

#include <string>

namespace qrv::platform {

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
};

}  // namespace qrv::platform
