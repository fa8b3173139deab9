// The one place the Win32 platform layer takes <windows.h> from, with the settings every file of
// the layer shares: no rarely used parts, no min/max macros, the ANSI (1252) calls throughout.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
