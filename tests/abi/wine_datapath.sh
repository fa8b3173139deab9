#!/usr/bin/env bash
# The DLL loaded with LoadLibraryA by the client under Wine, with the installation
# set up in the Wine prefix's real registry: a valid data folder, then one without QUORVANE.INI.
# Usage: wine_datapath.sh RUN_IN_WINE ABI_CLIENT.EXE QUORVANE.DLL
set -uo pipefail
source "$(dirname "$0")/lib.sh"
run_in_wine=$1
client=$2
dll=$3
use_wine_of "$client"
key='HKCU\Software\Quorvane\Installation'
work=$(mktemp -d)

cleanup() {
  "$run_in_wine" reg delete "$key" /v DataPath /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

set_data_path() {
  "$run_in_wine" reg add "$key" /v DataPath /d "$1" /f >"$work/reg.log" 2>&1 ||
    fail "wine reg add failed: $(cat "$work/reg.log")"
}

run_client() {
  "$run_in_wine" "$client" "$(windows_path "$dll")" datapath 2>"$work/err" | tr -d '\r' >"$work/out"
  return "${PIPESTATUS[0]}"
}

# Case "valid data folder": configured without a trailing backslash, answered with exactly one.
daten="$work/daten"
mkdir -p "$daten"
printf '[Installation]\r\nAuswOffset=0\r\n' >"$daten/QUORVANE.INI"
set_data_path "$(windows_path "$daten")"
run_client
code=$?
[ "$code" -eq 0 ] || fail "valid data folder: client exit code $code: $(cat "$work/out" "$work/err")"
expected="GetDataPath=[$(windows_path "$daten")\\]"
[ "$(cat "$work/out")" = "$expected" ] ||
  fail "valid data folder: expected '$expected', got '$(cat "$work/out")'"

# Case "folder without QUORVANE.INI": DllMain answers FALSE after the message box (which Wine
# without a display dismisses at once), so LoadLibraryA fails.
leer="$work/leer"
mkdir -p "$leer"
set_data_path "$(windows_path "$leer")"
run_client
code=$?
[ "$code" -eq 3 ] || fail "folder without QUORVANE.INI: expected load failure (3), got $code: $(cat "$work/out")"
grep -q '^LOAD FAILED: ' "$work/out" ||
  fail "folder without QUORVANE.INI: no LOAD FAILED line: $(cat "$work/out")"

finish "wine interface: all cases passed"
