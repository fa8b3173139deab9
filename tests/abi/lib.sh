# Shared by the interface test scripts (sourced): failure counting, Windows paths of Linux
# folders, and the Wine prefix and loader that belong to a client program.

failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The drive Z: of a Wine prefix is the Linux root.
windows_path() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

# Registry calls must use the prefix run_in_wine.sh keeps beside the client, and a 64-bit
# client's view of HKEY_LOCAL_MACHINE\Software.
use_wine_of() {
  export QRV_WINEPREFIX=${QRV_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}
  if file -b "$1" | grep -q 'PE32+'; then export QRV_WINE=${QRV_WINE:-/usr/lib/wine/wine64}; fi
}

# Ends the script: the line $1 when every case passed, and the exit code.
finish() {
  [ "$failures" -eq 0 ] && echo "$1"
  exit $((failures > 0))
}
