// Conversions of Win32 times into the library's date-time (days since 30 December 1899).
#pragma once

#include "platform/win32/win32_api.h"

namespace qrv::platform {

// A calendar time as it stands, milliseconds included.
double DateTimeFromSystemTime(const SYSTEMTIME& time);

// A UTC file time as the local date-time of that moment (daylight saving of that date); 0 when
// the time cannot be converted.
double LocalDateTimeFromFileTime(const FILETIME& utc);

}  // namespace qrv::platform
