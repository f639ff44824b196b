#!/usr/bin/env bash
# The game list's filter on the profile of today's emulator (39,372 machines): each tick, all
# ticks, with and without writing the lines. Not part of the test suite.
#
#   bench/filter_bench.sh BUILD_DIR [PROFILE=~/.cache/kestrelwing-tests/TODAY-0.251__unknown_-audit.KSL]
set -euo pipefail
build="${1:?build directory}"
profile="${2:-$HOME/.cache/kestrelwing-tests/TODAY-0.251__unknown_-audit.KSL}"
cmake --build "$build" --target filter_bench >/dev/null 2>&1 || {
  echo "building the benchmark failed" >&2
  exit 1
}
[ -f "$profile" ] || {
  echo "no profile at $profile (bench/todays_emulator_bench.sh makes one)" >&2
  exit 1
}
/usr/bin/time -f "peak %M KB" "$build/bench/filter_bench" "$profile"
