#!/usr/bin/env bash
# The five calculation exports answered by the library as its callers load it, on a small
# installation that abi_install writes: natively through dlopen, or the Windows DLL through
# LoadLibraryA under Wine with the data folder set in Wine's real registry. The expected answers
# are worked out by hand from the installation's models and bookings (see abi_install.cpp).
# Usage: calc_exports.sh native ABI_INSTALL ABI_CLIENT LIBQUORVANE
#        calc_exports.sh wine ABI_INSTALL RUN_IN_WINE ABI_CLIENT.EXE QUORVANE.DLL
set -uo pipefail
source "$(dirname "$0")/lib.sh"
mode=$1
install=$2
shift 2
if [ "$mode" = wine ]; then
  run_in_wine=$1 client=$2 library=$3
  use_wine_of "$client"
else
  client=$1 library=$2
fi
work=$(mktemp -d)
data="$work/daten"
key='HKCU\Software\Quorvane\Installation'

cleanup() {
  [ "$mode" = wine ] && "$run_in_wine" reg delete "$key" /v DataPath /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

"$install" "$data" || { fail "abi_install failed"; finish ""; }
if [ "$mode" = wine ]; then
  "$run_in_wine" reg add "$key" /v DataPath /d "$(windows_path "$data")" /f >/dev/null 2>&1 ||
    fail "wine reg add failed"
else
  mkdir -p "$work/registry"
  printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"DataPath"="%s"\r\n' \
    "[HKEY_CURRENT_USER\\Software\\Quorvane\\Installation]" "$data" >"$work/registry/user.reg"
fi

run_client() {
  if [ "$mode" = wine ]; then
    "$run_in_wine" "$client" "$(windows_path "$library")" "$@" 2>/dev/null | tr -d '\r' \
      >"$work/out"
    return "${PIPESTATUS[0]}"
  fi
  env -u XDG_CONFIG_HOME HOME="$work" QUORVANE_REGISTRY_DIR="$work/registry" \
    "$client" "$library" "$@" >"$work/out" 2>"$work/err"
}

# check LABEL EXPECTED ARGS...: the client's output for ARGS equals EXPECTED.
check() {
  local label=$1 expected=$2
  shift 2
  run_client "$@"
  local code=$?
  [ "$code" -eq 0 ] || { fail "$label: client exit code $code: $(cat "$work/out")"; return; }
  printf '%s\n' "$expected" >"$work/expected"
  cmp -s "$work/expected" "$work/out" ||
    fail "$label: answers differ:$(diff "$work/expected" "$work/out" | sed 's/^/\n  /')"
}

# Monday 14 June 2004 8:00-12:00: person 7 was present 4:00 of it, less the 0:15 of the break
# window 12:00-12:45 on that day; the days walked (13th to 15th) were worked 2:00 + 8:30 + 8:00.
check "calc person 7" "CalcZeit=1 Zeit1=3:45 Zeit2=3:45 Zeit3=18:15 Zeit4=18:15" \
  calc 7 2004-06-14T08:00 2004-06-14T12:00
# Person 8 booked 8:06-16:50, rounded 8:15-16:45; in 7:00-12:00 present 3:54, rounded 3:45.
check "calc person 8" "CalcZeit=1 Zeit1=3:54 Zeit2=3:45 Zeit3=8:44 Zeit4=8:30" \
  calc 8 2004-06-14T07:00 2004-06-14T12:00

check "items of two pairs around the break window" "count=10
0: 2 0 0 0:00 [0001 Normal]
1: 3 0 0 8:00 []
2: 7 2004-06-14 08:00 2004-06-14 17:00 8:15 []
3: 8 2004-06-14 12:00 2004-06-14 12:30 0:30 []
4: 9 2004-06-14 12:00 2004-06-14 12:45 0:15 []
5: 0 2004-06-14 08:00 2004-06-14 17:00 8:30 []
6: 1 2004-06-14 08:00 2004-06-14 12:00 4:00 []
7: 1 2004-06-14 12:30 2004-06-14 17:00 4:30 []
8: 15 2004-06-14 08:00 2004-06-14 12:00 4:00 []
9: 15 2004-06-14 12:45 2004-06-14 17:00 4:15 []
end=1" items 7 2004-06-14 0

rounded_items() {
  printf '%s\n' "count=7
0: 2 0 0 0:00 [0002 Gerundet]
1: 3 0 0 8:00 []
2: 7 2004-06-14 08:15 2004-06-14 16:45 8:30 []
3: 0 2004-06-14 08:06 2004-06-14 16:50 8:44 []
4: 1 2004-06-14 08:06 2004-06-14 16:50 8:44 []
5: 5 0 0 0:15 [kommen aufrunden (5min) / gehen abrunden (5min)]
6: 15 $1
end=1"
}
check "items mode 1" "$(rounded_items "2004-06-14 08:06 2004-06-14 16:50 8:44 []")" \
  items 8 2004-06-14 1
check "items mode 0" "$(rounded_items "2004-06-14 08:15 2004-06-14 16:45 8:30 []")" \
  items 8 2004-06-14 0

check "items of a past day without bookings" "count=3
0: 2 0 0 0:00 [0001 Normal]
1: 3 0 0 8:00 []
2: 18 0 0 0:00 [Eintragung fehlt]
end=1" items 7 2004-06-16 0
check "items of a Saturday" "count=0
end=1" items 7 2004-06-19 0

check "span of two pairs" "GetTagVonBis=1 von=2004-06-14 08:00 bis=2004-06-14 17:00" \
  span 7 2004-06-14 0
check "span of a night shift" "GetTagVonBis=1 von=2004-06-15 22:00 bis=2004-06-16 06:00" \
  span 7 2004-06-15T09:30 0
check "span without bookings" "GetTagVonBis=1 von=2004-06-16 00:00 bis=2004-06-17 00:00" \
  span 7 2004-06-16 0
check "span mode 1" "GetTagVonBis=1 von=2004-06-14 08:06 bis=2004-06-14 16:50" \
  span 8 2004-06-14 1
check "span mode 2" "GetTagVonBis=1 von=2004-06-14 08:15 bis=2004-06-14 16:45" \
  span 8 2004-06-14 2

untouched=$(printf 'X%.0s' $(seq 63))
check "hostile calls" "get before begin: 0 written=0 text=[]
end without begin: 1
begin nan: 0
begin inf: 0
begin person 0: 0
begin person 10000: 0
begin: items
get -1: 0 written=0 text=[]
get count: 0 written=0 text=[]
get null Art: 0 written=0 text=[]
get null Buffer: 0 written=0 text=[$untouched]
end: 1
get after end: 0 written=0 text=[]
calc person 0: 0 zeros=1
calc person 10000: 0 zeros=1
calc nan: 0 zeros=1
calc inf: 0 zeros=1
calc reversed: 0 zeros=1
calc year 0: 0 zeros=1
calc null Zeit3: 0 written=0
span nan: 1 written=0
span null Bis: 1 written=0
span null Von: 1 written=0
span year 0: 1 von=-693600.00 bis=-693599.00
count=3
0: 2 0 0 0:00 [0001 Normal]
1: 3 0 0 8:00 []
2: 18 0 0 0:00 [Eintragung fehlt]
end=1" hostile 7 2004-06-16

finish "calculation exports ($mode): all cases passed"
