#include "lib/library.h"

#include "config/konfig.h"
#include "diag/map_tables.h"
#include "util/datetime.h"
#include "util/errors.h"

namespace qrv {

namespace {

std::unique_ptr<TBibliothek>& Current() {
  static std::unique_ptr<TBibliothek> current;
  return current;
}

std::string StartFailureText(const std::string& message) {
  return message.empty() ? std::string("Quorvane: Start der Bibliothek fehlgeschlagen") : message;
}

}  // namespace

TBibliothek::TBibliothek(const platform::Platform& platform) : platform_(platform) {
  // Unit initialisation first, then the process-wide objects in their order.
  mapTables_ = std::make_unique<TMapTables>(platform_);
  shortMonthNames_ = qrv::ShortMonthNames(*platform_.locale);
  konfig_ = std::make_unique<TKonfig>(platform_, invalidPathReported_);
  konfig_->Load();
}

TBibliothek::~TBibliothek() = default;

TBibliothek* CurrentLibrary() {
  return Current().get();
}

bool StartLibrary(const platform::Platform& platform) {
  try {
    Current() = std::make_unique<TBibliothek>(platform);
    return true;
  } catch (const std::exception& e) {
    platform.ui->ShowException(StartFailureText(e.what()));
  } catch (...) {
    platform.ui->ShowException(StartFailureText(""));
  }
  return false;
}

void StopLibrary() {
  Current().reset();
}

}  // namespace qrv
