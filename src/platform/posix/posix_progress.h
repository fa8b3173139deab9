// The Linux build's progress display: a bar on stderr that redraws itself in place when stderr
// is a terminal; nothing otherwise (a job run from a script or a service stays silent).
#pragma once

#include <string>

#include "platform/ui.h"

namespace qrv::platform {

// One line of the bar (UTF-8, without line end): the text, a bar of width cells and the
// percentage, e.g. "Erstelle Index  [##########          ] 50 %".
std::string FormatProgressLine(const std::string& ansiText, int percent, int width);

}  // namespace qrv::platform
