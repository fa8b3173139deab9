// The .reg text of a registry store: the "Windows Registry Editor Version 5.00" form that regedit
// exports and imports (and the older "REGEDIT4"), so a key exported on Windows can be used as is.
//
// Strings are held as the ANSI registry calls answer them: 1252 bytes with their terminating
// zero(s). In the text, hex(1), hex(2) and hex(7) data is UTF-16LE (REGEDIT4: 1252 bytes) and is
// converted both ways.
#pragma once

#include <string>
#include <string_view>

#include "platform/reg_tree.h"

namespace qrv::platform {

// The file's bytes as 1252 text: UTF-16LE with byte-order mark, UTF-8 with or without one; bytes
// that are not valid UTF-8 are taken as 1252.
std::string DecodeRegFileBytes(std::string_view bytes);

// Applies the file's bytes to doc in order: a header creates its key and the keys above it,
// "[-...]" deletes a key with everything below it, "name"=- deletes a value. A line that cannot be
// read is skipped and the rest still applies; answers the number of lines skipped. Values under a
// root other than HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE are skipped.
int ParseRegText(std::string_view bytes, RegDocument* doc);

// The whole document as UTF-8 text with CRLF line ends: every key (the roots only when they hold
// values) in tree order, followed by its values.
std::string FormatRegText(const RegDocument& doc);

}  // namespace qrv::platform
