#!/usr/bin/env bash
# The four settings exports answered by the library as its callers load it, for several
# QUORVANE.INI files: natively through dlopen, or the Windows DLL through LoadLibraryA under
# Wine with the data folder set in Wine's real registry.
# Usage: settings_exports.sh native ABI_CLIENT LIBQUORVANE
#        settings_exports.sh wine RUN_IN_WINE ABI_CLIENT.EXE QUORVANE.DLL
set -uo pipefail
source "$(dirname "$0")/lib.sh"
mode=$1
shift
if [ "$mode" = wine ]; then
  run_in_wine=$1 client=$2 library=$3
  use_wine_of "$client"
else
  client=$1 library=$2
fi
work=$(mktemp -d)
key='HKCU\Software\Quorvane\Installation'

cleanup() {
  [ "$mode" = wine ] && "$run_in_wine" reg delete "$key" /v DataPath /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

# The data folder $1 as the installation names it: the Wine registry, or a registry store.
set_data_path() {
  if [ "$mode" = wine ]; then
    "$run_in_wine" reg add "$key" /v DataPath /d "$(windows_path "$1")" /f >/dev/null 2>&1 ||
      fail "wine reg add failed"
  else
    mkdir -p "$work/registry"
    printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"DataPath"="%s"\r\n' \
      "[HKEY_CURRENT_USER\\Software\\Quorvane\\Installation]" "$1" >"$work/registry/user.reg"
  fi
}

# The expected answer of GetDataPath for folder $1.
answered_path() {
  if [ "$mode" = wine ]; then printf '%s\\' "$(windows_path "$1")"; else printf '%s/' "$1"; fi
}

run_client() {
  if [ "$mode" = wine ]; then
    "$run_in_wine" "$client" "$(windows_path "$library")" settings 2>/dev/null | tr -d '\r' \
      >"$work/out"
    return "${PIPESTATUS[0]}"
  fi
  env -u XDG_CONFIG_HOME HOME="$work" QUORVANE_REGISTRY_DIR="$work/registry" \
    "$client" "$library" settings >"$work/out" 2>"$work/err"
}

# Expected output: the data path, captions 0..21 (only those named in $2.. as N=TEXT), and the
# two offsets $3 and $4 given first.
expect() {
  local path=$1 ausw=$2 auf=$3
  shift 3
  local captions=("" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "" "")
  for c in "$@"; do captions[${c%%=*}]=${c#*=}; done
  printf 'GetDataPath=[%s]\n' "$path"
  for i in $(seq 0 21); do printf 'GetPersFrei(%d)=[%s]\n' "$i" "${captions[$i]}"; done
  printf 'GetAuswOffset=%s\nGetAufOffset=%s\n' "$ausw" "$auf"
}

# scenario LABEL INI-TEXT AUSW AUF CAPTIONS...
scenario() {
  local label=$1 ini=$2 ausw=$3 auf=$4
  shift 4
  local data="$work/$label"
  mkdir -p "$data"
  printf '%b' "$ini" >"$data/QUORVANE.INI"
  set_data_path "$data"
  run_client
  local code=$?
  [ "$code" -eq 0 ] || { fail "$label: client exit code $code: $(cat "$work/out")"; return; }
  expect "$(answered_path "$data")" "$ausw" "$auf" "$@" >"$work/expected"
  cmp -s "$work/expected" "$work/out" ||
    fail "$label: answers differ: $(diff "$work/expected" "$work/out" | tr '\n' ' ')"
}

year=$(date +%Y)
scenario offset5 "[Installation]\r\nAuswOffset=5\r\nVerwJahreMin=$year\r\n[Freitexte]\r\nPersstamm2=Telefon\r\nPersstamm20=Stra\xdfe\r\nSonstige1=Andere\r\n" \
  5 0 "2=Telefon" "20=$(printf 'Stra\xdfe')"
scenario negative "[Installation]\r\nAuswOffset=-3\r\nAufOffset=12\r\nVerwJahreMin=$year\r\n" -1 12
scenario auswinit "[installation]\r\nauswoffset=5\r\nAuswInit=1\r\nVerwJahreMin=$year\r\n" -1 0

# Without AuswOffset the start-up fails: LoadLibraryA fails on Windows; on Linux the library
# loads and every export answers its failure result.
data="$work/ohne"
mkdir -p "$data"
printf '[Installation]\r\nAufOffset=4\r\n' >"$data/QUORVANE.INI"
set_data_path "$data"
run_client
code=$?
if [ "$mode" = wine ]; then
  [ "$code" -eq 3 ] && grep -q '^LOAD FAILED: ' "$work/out" ||
    fail "without AuswOffset: expected the load to fail, got $code: $(cat "$work/out")"
else
  expect "" 0 0 >"$work/expected"
  [ "$code" -eq 0 ] && cmp -s "$work/expected" "$work/out" ||
    fail "without AuswOffset: expected failure answers, got $code: $(cat "$work/out")"
fi

finish "settings exports ($mode): all cases passed"
