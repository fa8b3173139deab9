// The Linux build's platform: its own POSIX objects, the registry in .reg files and the German
// locale tables.
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_spreadsheets.h"
#include "platform/posix/posix_system.h"
#include "platform/reg_store.h"
#include "platform/table_locale.h"

namespace qrv::platform {

namespace {

PosixUserInterface& SystemUi() {
  static PosixUserInterface ui;
  return ui;
}

}  // namespace

Platform SystemPlatform() {
  static PosixFileSystem files;
  static PosixClock clock;
  static PosixHost host;
  static TableLocale locale;
  static const RegistryFiles paths =
      RegistryFilesFrom([](const char* name) -> const char* { return std::getenv(name); });
  static RegFileStore registry(files, &clock, paths.user, paths.machine);
  static PosixSpreadsheetFactory spreadsheets;
  return Platform{&files, &registry, &locale, &clock, &host, &SystemUi(), &spreadsheets};
}

void SetMessageHandler(MessageHandler handler) {
  SystemUi().SetHandler(std::move(handler));
}

}  // namespace qrv::platform
