#include "platform/win32/win32_ui.h"

#include <vector>

#include "platform/win32/win32_api.h"
// winspool.h after windows.h: it relies on its types.
#include <winspool.h>

namespace qrv::platform {
namespace {

constexpr char kBoxTitle[] = "Quorvane";

// The names of the local and connected printers; empty when they cannot be listed.
std::vector<std::string> PrinterNames() {
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return {};
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return {};
  // Level 4 entries are PRINTER_INFO_4A structures the call laid out in our buffer.
  const auto* entries = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
  std::vector<std::string> names;
  for (DWORD i = 0; i < count; ++i) {
    if (entries[i].pPrinterName != nullptr) names.emplace_back(entries[i].pPrinterName);
  }
  return names;
}

std::string DefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return {};
  std::string name(size, '\0');
  if (!GetDefaultPrinterA(name.data(), &size)) return {};
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

}  // namespace

void Win32UserInterface::ErrorBox(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kBoxTitle, MB_ICONERROR | MB_OK);
}

void Win32UserInterface::ShowException(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kBoxTitle, MB_ICONERROR | MB_OK);
}

void Win32UserInterface::SetHourglass(bool busy) {
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32UserInterface::SelectPrinter(const std::string& name) {
  for (const std::string& known : PrinterNames()) {
    if (!name.empty() && lstrcmpiA(known.c_str(), name.c_str()) == 0) {
      printer_ = known;
      return;
    }
  }
  printer_ = DefaultPrinter();
}

}  // namespace qrv::platform
