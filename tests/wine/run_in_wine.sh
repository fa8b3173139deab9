#!/usr/bin/env bash
# Runs a 32-bit Windows program under Wine as the installations' machines run it: German locale
# (ANSI 1252, OEM 850), no debug chatter, one prefix per build tree, made on first use.
# Usage: run_in_wine.sh PROGRAM.exe [ARGS...]   (QRV_WINEPREFIX overrides the prefix folder)
set -euo pipefail
prefix=${QRV_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
exec wine "$@"
