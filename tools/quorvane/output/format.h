// How the tool writes values: dates as yyyy-mm-dd, date-times as yyyy-mm-ddThh:nn:ss, times of
// day and durations as h:mm (negative -h:mm), text converted from the installation's ANSI code
// page to UTF-8. A date or date-time of 0 means "none" (never accounted, no date) and is null.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace qrv::tool {

// Keys keep the order of the object record's fields.
using Json = nlohmann::ordered_json;

std::string Utf8(const std::string& ansi);
// A short string field (length byte, then the text) of an object record, as UTF-8.
std::string ShortText(const uint8_t* field);
std::string DateText(double dateTime);
std::string DateTimeText(double dateTime);
std::string DurationText(double dayFraction);

// null for 0, else DateText / DateTimeText.
Json DateJson(double dateTime);
Json DateTimeJson(double dateTime);
// Each of the n doubles at values as DurationText; values may lie unaligned in a packed record.
Json DurationsJson(const void* values, int n);

}  // namespace qrv::tool
