#!/usr/bin/env bash
# The machine-wide switch of the DLL under Wine, in the prefix's real registry: the current user's
# key says Install_Local_Machine=1 and holds the installation tree; loading the DLL moves the tree
# to HKEY_LOCAL_MACHINE (values with their types and bytes, subkeys two levels deep) and the data
# path is read from there. A second start moves nothing.
# Usage: wine_machine_switch.sh RUN_IN_WINE ABI_CLIENT.EXE QUORVANE.DLL
set -uo pipefail
source "$(dirname "$0")/lib.sh"
run_in_wine=$1
client=$2
dll=$3
use_wine_of "$client"
user='HKCU\Software\Quorvane'
machine='HKLM\Software\Quorvane'
work=$(mktemp -d)

reg() { "$run_in_wine" reg "$@" >>"$work/reg.log" 2>&1; }

remove_keys() {
  reg delete "$user\\Installation" /f
  reg delete "$user" /v Install_Local_Machine /f
  reg delete "$machine" /f
}

cleanup() {
  remove_keys
  rm -rf "$work"
}
trap cleanup EXIT

# Adds value $2 to key $1 with the further arguments of "reg add".
add() {
  local key=$1
  shift
  reg add "$key" "$@" /f || fail "wine reg add $key $*: $(cat "$work/reg.log")"
}

# The key exported as UTF-8 lines without blank lines.
export_lines() {
  rm -f "$work/export.reg"
  reg export "$1" "$(windows_path "$work/export.reg")" /y
  iconv -f UTF-16LE -t UTF-8 "$work/export.reg" 2>/dev/null | tr -d '\r' | sed 's/^\xEF\xBB\xBF//' |
    awk NF
}

run_client() {
  "$run_in_wine" "$client" "$(windows_path "$dll")" datapath 2>"$work/err" | tr -d '\r' >"$work/out"
  return "${PIPESTATUS[0]}"
}

daten="$work/daten"
mkdir -p "$daten"
printf '[Installation]\r\nAuswOffset=0\r\n' >"$daten/QUORVANE.INI"
remove_keys

# The user's tree: the default value, a string with an umlaut, an integer, binary data under a
# name with an umlaut, an expandable string, a multi-string, a 64-bit number, a value of type 0
# with data, an empty binary and subkeys two levels deep.
tree="$user\\Installation"
add "$user" /v Install_Local_Machine /t REG_DWORD /d 1
add "$tree" /ve /d Standard
add "$tree" /v DataPath /d "$(windows_path "$daten")"
add "$tree" /v NetUser /d 'Müller'
add "$tree" /v NetStationNumber /t REG_DWORD /d 0x12345678
add "$tree" /v 'Schlüssel' /t REG_BINARY /d 00ff1080
add "$tree" /v Pfad /t REG_EXPAND_SZ /d '%TEMP%\x'
add "$tree" /v Liste /t REG_MULTI_SZ /d 'ab\0cd'
add "$tree" /v Gross /t REG_QWORD /d 0x0102030405060708
add "$tree" /v Roh /t REG_NONE /d ab
add "$tree" /v Nichts /t REG_BINARY
add "$tree\\Anzeige" /v ViewFlags /t REG_DWORD /d 11
add "$tree\\Anzeige\\Spalten" /v Breite /t REG_BINARY /d 01
add "$tree\\Anzeige\\Spalten" /v Titel /d Name
add "$tree\\Leer"
export_lines "$tree" >"$work/before"
for type in 'Liste"=hex(7)' 'Gross"=hex(b)' 'Roh"=hex(0)'; do
  grep -q "^\"$type:" "$work/before" || fail "set-up: no \"$type value in $(cat "$work/before")"
done

# Case "first start": the tree moves, every value with its own type and bytes (the multi-string,
# the 64-bit number and the type-0 value included); the empty binary stays behind.
run_client
code=$?
[ "$code" -eq 0 ] || fail "first start: client exit code $code: $(cat "$work/out" "$work/err")"
expected="GetDataPath=[$(windows_path "$daten")\\]"
[ "$(cat "$work/out")" = "$expected" ] ||
  fail "first start: expected '$expected', got '$(cat "$work/out")'"
sed -e 's/^\[HKEY_CURRENT_USER\\/[HKEY_LOCAL_MACHINE\\/' -e '/^"Nichts"=/d' \
  "$work/before" >"$work/expected"
export_lines "$machine\\Installation" >"$work/moved"
diff "$work/expected" "$work/moved" >"$work/diff" ||
  fail "first start: machine tree differs (expected < > found): $(cat "$work/diff")"
reg query "$tree" && fail "first start: the tree is still under HKEY_CURRENT_USER"
reg query "$user" /v Install_Local_Machine || fail "first start: the switch value is gone"

# Case "second start": the machine already has its tree, so a user tree that has appeared again
# stays where it is, the machine's is not touched, and the data path still comes from the machine.
add "$tree" /v DataPath /d "$(windows_path "$work/anderswo")"
export_lines "$tree" >"$work/user.before"
cp "$work/moved" "$work/machine.before"
run_client
code=$?
[ "$code" -eq 0 ] || fail "second start: client exit code $code: $(cat "$work/out" "$work/err")"
[ "$(cat "$work/out")" = "$expected" ] ||
  fail "second start: expected '$expected', got '$(cat "$work/out")'"
export_lines "$tree" | diff -q "$work/user.before" - >/dev/null ||
  fail "second start: the user's tree changed"
export_lines "$machine\\Installation" | diff -q "$work/machine.before" - >/dev/null ||
  fail "second start: the machine's tree changed"

finish "wine machine switch: all cases passed"
