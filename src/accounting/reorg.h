// The reorganisation request: after a month is accounted and stored, one line in AUFREORG.DAT of
// the data folder asks the installation's other programs to rework the person's month.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace qrv {

inline constexpr char kReorgDatei[] = "AUFREORG.DAT";

// "<person>;dd.mm.yyyy 00:00;dd.mm.yyyy 00:00" with the first day of the month and of the month
// after, ended by CR LF.
std::string ReorgZeile(int32_t persNr, uint16_t jahr, uint16_t monat);

// Appends the line to AUFREORG.DAT in dataPath (its folder, with or without a trailing
// separator), creating the file when it is missing. Never fails: a request that cannot be
// written is dropped, and without a data path nothing is written.
void ReorgAnfordern(platform::FileSystem& files, const std::string& dataPath, int32_t persNr,
                    uint16_t jahr, uint16_t monat) noexcept;

}  // namespace qrv
