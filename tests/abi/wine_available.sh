# Sourced by the Wine tests: ends the test as skipped (exit code 77) when this machine cannot run
# Wine's 32-bit loader natively: "Exec format error" on a kernel without 32-bit emulation, or a
# loader that starts only through qemu user emulation (a prefix then takes many minutes to make).
# Set WINE to probe another loader.
wine_available() {
  local output
  if ! output=$("${WINE:-wine}" --version 2>&1); then
    echo "SKIPPED: Wine cannot run here (${WINE:-wine} --version: $(printf '%s' "$output" | tail -n 1))"
    exit 77
  fi
  if [ -z "${WINE:-}" ] && grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
    echo "SKIPPED: 32-bit programs run here only under qemu-i386 emulation (no ia32 support in" \
      "the kernel); the Wine tests need a machine that runs 32-bit programs natively"
    exit 77
  fi
}
