#!/usr/bin/env bash
# The 32-bit DLL's export and import tables: exactly the names of exports.txt, undecorated, and
# imports from system DLLs only (the C++ runtime is linked in).
# Usage: dll_exports.sh OBJDUMP QUORVANE.DLL EXPORTS.TXT
set -uo pipefail
objdump=$1
dll=$2
expected_list=$3
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

table=$("$objdump" -p "$dll") || {
  echo "FAIL: $objdump cannot read $dll"
  exit 1
}

# The name pointer table lists one "[ ordinal] Name" line per export, ending at a blank line.
actual=$(printf '%s\n' "$table" |
  awk '/^\[Ordinal\/Name Pointer\] Table/ {on = 1; next} on && /^[[:space:]]*$/ {on = 0}
       on {sub(/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]*/, ""); print}' | LC_ALL=C sort)
expected=$(grep -v '^[[:space:]]*$' "$expected_list" | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  fail "exports differ from $expected_list"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed 's/^/  /'
fi

# Only the system's own DLLs may be imported.
system_dll='^(kernel32\.dll|user32\.dll|advapi32\.dll|gdi32\.dll|winspool\.drv|comctl32\.dll|msvcrt\.dll|api-ms-win-.*\.dll)$'
imports=$(printf '%s\n' "$table" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || fail "no import table found"
while IFS= read -r name; do
  [ -z "$name" ] && continue
  printf '%s\n' "$name" | tr '[:upper:]' '[:lower:]' | grep -Eq "$system_dll" ||
    fail "imports $name, which is not a system DLL"
done <<<"$imports"

file_type=$(file -b "$dll")
case $file_type in
  *PE32*DLL*80386*) ;;
  *) fail "not a 32-bit x86 DLL: $file_type" ;;
esac

[ "$failures" -eq 0 ] && echo "exports: $(echo "$actual" | tr '\n' ' ')| imports: $(echo "$imports" | tr '\n' ' ')"
exit $((failures > 0))
