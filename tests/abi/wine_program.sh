#!/usr/bin/env bash
# Runs a 32-bit test program under Wine through run_in_wine.sh; skipped where Wine cannot run.
# Usage: wine_program.sh RUN_IN_WINE PROGRAM.exe [ARGS...]
set -uo pipefail
source "$(dirname "$0")/wine_available.sh"
wine_available
run_in_wine=$1
shift
exec "$run_in_wine" "$@"
