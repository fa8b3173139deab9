#!/usr/bin/env bash
# Runs a Windows program (or a Wine command such as "reg") under Wine as the installations'
# machines run it: German locale (ANSI 1252, OEM 850), no debug chatter, one prefix per build
# tree, made on first use. A 64-bit program (PE32+) runs with the 64-bit loader, which machines
# without 32-bit support in their kernel need.
# Usage: run_in_wine.sh PROGRAM.exe|COMMAND [ARGS...]
#   QRV_WINEPREFIX  the prefix folder (default: wineprefix beside the program)
#   QRV_WINE        the loader to use (default: chosen by the program's kind)
set -euo pipefail
if [ -f "$1" ]; then
  default_prefix=$(cd "$(dirname "$1")" && pwd)/wineprefix
else
  default_prefix=$(pwd)/wineprefix
fi
prefix=${QRV_WINEPREFIX:-$default_prefix}
loader=${QRV_WINE:-}
if [ -z "$loader" ]; then
  if [ -f "$1" ] && file -b "$1" | grep -q 'PE32+'; then
    loader=/usr/lib/wine/wine64
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    loader=wine
  else
    loader=/usr/lib/wine/wine64
  fi
fi
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=de_DE.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  "$loader" wineboot -i >/dev/null 2>&1 || true
  WINESERVER=${WINESERVER:-$(command -v wineserver)}
  "$WINESERVER" -w || true
fi
exec "$loader" "$@"
