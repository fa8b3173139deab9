#!/usr/bin/env bash
# The Linux library loaded through dlopen by the C client, with the installation named in a
# registry store of its own (QUORVANE_REGISTRY_DIR): a valid data folder and one without
# QUORVANE.INI.
# Usage: native_datapath.sh ABI_CLIENT LIBQUORVANE
set -uo pipefail
source "$(dirname "$0")/lib.sh"
client=$1
library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes the current user's registry with DataPath = $1 into the store folder $2.
write_registry() {
  mkdir -p "$2"
  printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"DataPath"="%s"\r\n' \
    '[HKEY_CURRENT_USER\Software\Quorvane\Installation]' "$1" >"$2/user.reg"
}

# Runs the client with the registry store $1 and an empty home, so nothing of the machine's own
# settings takes part; stdout to $work/out, stderr to $work/err, answers the exit code.
run_client() {
  env -u XDG_CONFIG_HOME HOME="$work/home" QUORVANE_REGISTRY_DIR="$1" \
    "$client" "$library" datapath >"$work/out" 2>"$work/err"
}

# Case "valid data folder": the folder holds QUORVANE.INI; the path is configured without a
# trailing slash and answered with exactly one.
daten="$work/daten"
mkdir -p "$daten" "$work/home"
printf '[Installation]\r\nAuswOffset=0\r\n' >"$daten/QUORVANE.INI"
write_registry "$daten" "$work/reg-valid"
run_client "$work/reg-valid"
code=$?
[ "$code" -eq 0 ] || fail "valid data folder: client exit code $code: $(cat "$work/out" "$work/err")"
expected="GetDataPath=[$daten/]"
[ "$(cat "$work/out")" = "$expected" ] ||
  fail "valid data folder: expected '$expected', got '$(cat "$work/out")'"
[ ! -s "$work/err" ] || fail "valid data folder: unexpected message: $(cat "$work/err")"

# Case "folder without QUORVANE.INI": the library still loads (an ELF constructor cannot fail
# dlopen), reports the invalid path on stderr in UTF-8, and GetDataPath answers empty.
leer="$work/leer"
mkdir -p "$leer"
write_registry "$leer" "$work/reg-invalid"
run_client "$work/reg-invalid"
code=$?
[ "$code" -eq 0 ] || fail "folder without QUORVANE.INI: client exit code $code: $(cat "$work/out")"
[ "$(cat "$work/out")" = "GetDataPath=[]" ] ||
  fail "folder without QUORVANE.INI: expected an empty answer, got '$(cat "$work/out")'"
LC_ALL=C grep -qF "Ungültiger Datenpfad: $leer/" "$work/err" ||
  fail "folder without QUORVANE.INI: no report naming the path on stderr: '$(cat "$work/err")'"

# Case "library missing": the client says so in one line and exits with its load-failure code.
"$client" "$work/none/libquorvane.so" datapath >"$work/out" 2>&1
code=$?
[ "$code" -eq 3 ] || fail "missing library: expected exit code 3, got $code"
grep -q '^LOAD FAILED: ' "$work/out" || fail "missing library: no LOAD FAILED line: $(cat "$work/out")"

finish "native interface: all cases passed"
