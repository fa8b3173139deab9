// How the tool writes values: dates as yyyy-mm-dd, date-times as yyyy-mm-ddThh:nn:ss, times of
// day and durations as h:mm (negative -h:mm), text as UTF-8.
#pragma once

#include <string>

namespace qrv::tool {

std::string Utf8(const std::string& ansi);
std::string DateText(double dateTime);
std::string DateTimeText(double dateTime);
std::string DurationText(double dayFraction);

}  // namespace qrv::tool
