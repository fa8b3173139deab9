#!/usr/bin/env bash
# Every read command of the tool leaves the installation byte for byte as it was, also where the
# library would complete missing data on its own (a never-written month, a missing model or plan
# month, a missing person index, a deleted model's backup, the settings' year range), and
# answers the same from a folder its user may not write to.
# Usage: read_only_run.sh QUORVANE
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

umask 022
chmod 755 "$work"
data="$work/daten"
# The demo's own registry names the folder; nothing of the machine's settings takes part.
export HOME="$work/home" XDG_CACHE_HOME="$work/cache" QUORVANE_REGISTRY_DIR="$data/REGISTRY"
unset XDG_CONFIG_HOME
mkdir -p "$HOME" "$work/out"
# A copy of the tool beside the data, which an unprivileged user can reach wherever the build
# tree lies; both kinds of run use it, so the settings they show name the same program folder.
cp "$tool" "$work/quorvane" && tool="$work/quorvane"

# Dated two years back: the year range in QUORVANE.INI then ends before this year and is
# corrected on every start, and December of that year was never written.
year=$(($(date +%Y) - 2))
if ! "$tool" demo "$data" --persons 8 --date "$year-11-15" 2>"$work/demo.err"; then
  echo "FAIL: demo: $(cat "$work/demo.err")"
  exit 1
fi
grep -q 'new files' "$work/demo.err" || fail "demo does not say what it wrote: $(cat "$work/demo.err")"
# A missing index (rebuilt on the first read) and a deleted model (kept as its backup).
rm "$data/KONFIG/PERSONEN.X3"
mv "$data/SCHMOD/SMOD2.DAT" "$data/SCHMOD/SMOD2.JBK"

# Names, types, sizes and modes of everything below the folder, then the bytes of every file.
snapshot() {
  (cd "$data" && find . -printf '%y %p %s %m\n' | LC_ALL=C sort &&
    find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
}
snapshot >"$work/before"

# "ok": the command must answer; "any": it may refuse the number (a template that does not
# exist), but with its message and exit code 1, never a crash.
commands=(
  "ok config"
  "ok persons"
  "ok persons --all --order 0"
  "ok person 3"
  "ok person 9000"
  "ok month $year 10 3"
  "ok month $year 12 3"
  "ok holidays $year"
  "ok holidays $((year + 7))"
  "ok model 1"
  "ok model 2"
  "ok model 42"
  "ok model 42 --date $year-12-01"
  "ok calc-template 1"
  "any calc-template 77"
  "ok plan $year 10 2"
  "ok plan $year 12 3"
  "ok plan $year 12 100001"
  "ok plan-template 1001"
  "any plan-template 1042"
  "any plan-template 55"
  "ok --format text config"
  "ok account 3 $year 10"
  "ok account 3 $year 12"
  "ok account 2 $year 10 --day 28 --until $year-10-20"
  "ok --format text account 2 $year 10"
  "ok day 3 $year-10-15"
  "ok day 3 $year-10-15 --explain"
  "ok --format text day 7 $year-10-08 --explain"
  "any account 3 $((year - 10)) 1"
  "ok calc 3 $year-10-15T08:00 $year-10-15T12:00"
  "ok calc 2 $year-11-30T22:00 $year-12-02T06:00"
  "ok items 3 $year-10-15"
  "ok --format text items 7 $year-10-08 --mode 1"
  "ok items 3 $year-12-03"
  "ok span 3 $year-10-15"
  "ok span 2 $year-12-03 --mode 1"
  "any calc 3 $((year - 10))-01-05T08:00 $((year - 10))-01-05T12:00"
)

# Runs command $2 (a line of the table) as number $1 with the prefix $3...; output in $work/out.
run() {
  local n=$1 line=$2
  shift 2
  local args=(${line#* })
  "$@" "$tool" --data "$data" "${args[@]}" >"$work/out/$n.out" 2>"$work/out/$n.err"
  echo $? >"$work/out/$n.rc"
}

# Checks run $1 of line $2 with the suffix $3 of the file names.
check() {
  local n=$1 line=$2 tag=$3
  local kind=${line%% *} rc
  rc=$(cat "$work/out/$n$tag.rc")
  if [ "$kind" = ok ] && [ "$rc" -ne 0 ]; then
    fail "${line#* }$tag: exit code $rc: $(head -c 300 "$work/out/$n$tag.err")"
  elif [ "$rc" -gt 1 ] || { [ "$rc" -eq 1 ] && [ ! -s "$work/out/$n$tag.err" ]; }; then
    fail "${line#* }$tag: exit code $rc without a message"
  fi
  snapshot >"$work/after"
  if ! cmp -s "$work/before" "$work/after"; then
    fail "${line#* }$tag changed the installation:"
    diff "$work/before" "$work/after" | head -20
    snapshot >"$work/before"
  fi
}

for i in "${!commands[@]}"; do
  run "$i" "${commands[$i]}"
  check "$i" "${commands[$i]}" ""
done

# The same commands over a folder that their user may not write to: as root (whom permission
# bits do not stop) under an unprivileged user, otherwise with the write bits taken away.
runner=()
if [ "$(id -u)" -eq 0 ]; then
  if command -v setpriv >/dev/null &&
    setpriv --reuid=65534 --regid=65534 --clear-groups test -x "$tool" 2>/dev/null &&
    setpriv --reuid=65534 --regid=65534 --clear-groups test -r "$data/QUORVANE.INI"; then
    runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  else
    echo "SKIP: the unprivileged runs (no setpriv, or user 65534 cannot run $tool or read $data)"
    [ "$failures" -eq 0 ] && echo "read-only runs leave the installation as it was"
    exit $((failures > 0))
  fi
else
  chmod -R a-w "$data"
fi
snapshot >"$work/before"
for i in "${!commands[@]}"; do
  run "$i.unwritable" "${commands[$i]}" "${runner[@]}"
  check "$i" "${commands[$i]}" ".unwritable"
  for part in out err rc; do
    cmp -s "$work/out/$i.$part" "$work/out/$i.unwritable.$part" ||
      fail "${commands[$i]#* }: its $part differs without write permission"
  done
done

[ "$failures" -eq 0 ] && echo "read-only runs leave the installation as it was, also without write permission"
exit $((failures > 0))
