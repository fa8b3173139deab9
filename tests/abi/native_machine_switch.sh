#!/usr/bin/env bash
# The machine-wide switch seen through the C interface of the Linux library: the current user's
# registry says Install_Local_Machine=1 and holds the installation tree; loading the library moves
# the tree to the machine's registry (values with their types and bytes, subkeys two levels deep)
# and the data path is read from there. A second start moves nothing.
# Usage: native_machine_switch.sh ABI_CLIENT LIBQUORVANE
set -uo pipefail
source "$(dirname "$0")/lib.sh"
client=$1
library=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

reg="$work/reg"
daten="$work/daten"
mkdir -p "$reg" "$daten" "$work/home"
printf '[Installation]\r\nAuswOffset=0\r\n' >"$daten/QUORVANE.INI"

# The installation tree as the registry store writes it (root given as $1, data path as $2): the
# default value, a string with an umlaut, an integer, binary data, an expandable string
# ("%TEMP%\x"), a multi-string ("ab", "cd"), a 64-bit number, a value of type 0 with data, an
# empty binary and subkeys two levels deep.
installation_tree() {
  cat <<EOF
[$1\\Software\\Quorvane\\Installation]
@="Standard"
"DataPath"="$2"
"NetUser"="Müller"
"NetStationNumber"=dword:12345678
"Schlüssel"=hex:00,ff,10,80
"Pfad"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,78,00,00,00
"Liste"=hex(7):61,00,62,00,00,00,63,00,64,00,00,00,00,00
"Gross"=hex(b):01,02,03,04,05,06,07,08
"Roh"=hex(0):fe,00
"Nichts"=hex:

[$1\\Software\\Quorvane\\Installation\\Anzeige]
"ViewFlags"=dword:0000000b

[$1\\Software\\Quorvane\\Installation\\Anzeige\\Spalten]
"Breite"=hex:01
"Titel"="Name"

[$1\\Software\\Quorvane\\Installation\\Leer]
EOF
}

# The user's registry: the switch set, and the installation tree with data path $1.
write_user_registry() {
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Quorvane]\n"Install_Local_Machine"=dword:00000001\n\n'
    installation_tree HKEY_CURRENT_USER "$1"
  } | sed 's/$/\r/' >"$reg/user.reg"
}

run_client() {
  env -u XDG_CONFIG_HOME HOME="$work/home" QUORVANE_REGISTRY_DIR="$reg" \
    "$client" "$library" datapath >"$work/out" 2>"$work/err"
}

# The lines of the installation tree in a .reg file, from its header on, without blank lines.
tree_lines() {
  tr -d '\r' <"$1" | awk '/\\Software\\Quorvane\\Installation\]$/ { on = 1 } on && NF'
}

# Case "first start": the tree moves, every value with its own type and bytes (the multi-string,
# the 64-bit number and the type-0 value included); the empty binary stays behind.
write_user_registry "$daten"
run_client
code=$?
[ "$code" -eq 0 ] || fail "first start: client exit code $code: $(cat "$work/out" "$work/err")"
expected="GetDataPath=[$daten/]"
[ "$(cat "$work/out")" = "$expected" ] ||
  fail "first start: expected '$expected', got '$(cat "$work/out")'"
[ -f "$reg/machine.reg" ] || fail "first start: no machine.reg written"
installation_tree HKEY_LOCAL_MACHINE "$daten" | sed -e '/^"Nichts"=/d' | awk NF >"$work/expected"
tree_lines "$reg/machine.reg" >"$work/moved"
diff "$work/expected" "$work/moved" >"$work/diff" ||
  fail "first start: machine tree differs (expected < > found): $(cat "$work/diff")"
! grep -q 'Installation' "$reg/user.reg" ||
  fail "first start: the tree is still in user.reg: $(cat "$reg/user.reg")"
grep -q '"Install_Local_Machine"=dword:00000001' "$reg/user.reg" ||
  fail "first start: the switch value left user.reg"

# Case "second start": the machine already has its tree, so a user tree that has appeared again
# stays where it is, the machine's is not touched, and the data path still comes from the machine.
write_user_registry "$work/anderswo"
cp "$reg/user.reg" "$work/user.before"
cp "$reg/machine.reg" "$work/machine.before"
run_client
code=$?
[ "$code" -eq 0 ] || fail "second start: client exit code $code: $(cat "$work/out" "$work/err")"
[ "$(cat "$work/out")" = "$expected" ] ||
  fail "second start: expected '$expected', got '$(cat "$work/out")'"
cmp -s "$work/user.before" "$reg/user.reg" || fail "second start: user.reg changed"
cmp -s "$work/machine.before" "$reg/machine.reg" || fail "second start: machine.reg changed"

finish "native machine switch: all cases passed"
