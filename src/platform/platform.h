// The platform layer as one bundle. Everything above it is portable and takes a Platform.
#pragma once

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/nls.h"
#include "platform/registry.h"
#include "platform/spreadsheet.h"
#include "platform/ui.h"

namespace qrv::platform {

struct Platform {
  FileSystem* files;
  Registry* registry;
  Locale* locale;
  Clock* clock;
  HostProcess* host;
  UserInterface* ui;
  // The spreadsheet engine of the month calculation; null: there is none.
  SpreadsheetFactory* spreadsheets = nullptr;
};

// The operating system's own implementations. They belong to the library and live until the
// process ends; never delete them.
Platform SystemPlatform();

}  // namespace qrv::platform
