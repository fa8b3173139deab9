// Code page 1252 (the library's ANSI text) against Unicode, UTF-8 and UTF-16LE, for text that
// leaves the library: paths handed to a POSIX file system, messages on a terminal, registry files.
// The 1252 mapping is the one Windows uses, with the five unassigned bytes (81, 8D, 8F, 90, 9D)
// mapped to the control characters of the same number, so every byte survives a round trip.
#pragma once

#include <string>
#include <string_view>

namespace qrv::platform {

// The Unicode code point of a 1252 byte.
char32_t AnsiToUnicode(unsigned char c);
// The 1252 byte of a code point; '?' when 1252 has none.
char UnicodeToAnsi(char32_t cp);

std::string AnsiToUtf8(std::string_view ansi);
// Code points without a 1252 byte become '?'. A byte that does not start a valid UTF-8 sequence
// is taken as a 1252 byte, so text that was never UTF-8 arrives unchanged.
std::string Utf8ToAnsi(std::string_view utf8);

// 16-bit little-endian code units; a lone surrogate or a pair becomes '?'. An odd last byte is
// ignored.
std::string Utf16LeToAnsi(std::string_view bytes);
std::string AnsiToUtf16Le(std::string_view ansi);

// Case folding of 1252 letters (ASCII and the accented letters), for names that compare without
// regard to case: file names and registry names.
char FoldAnsiCase(char c);
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace qrv::platform
