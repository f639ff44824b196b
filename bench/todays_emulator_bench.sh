#!/usr/bin/env bash
# Today's emulator (Debian's mame package): the profile of its machines made from -listxml by
# the console program, then loaded alone (time and peak memory) and listed (FillGameList for
# every key). Not part of the test suite.
#
#   bench/todays_emulator_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-todays-bench] [EMULATOR=/usr/games/mame]
set -euo pipefail
build="${1:?build directory}"
work="${2:-/tmp/kw-todays-bench}"
emulator="${3:-/usr/games/mame}"
cmake --build "$build" --target browser_bench kestrelwing-cli >/dev/null 2>&1 || {
  echo "building the benchmarks failed" >&2
  exit 1
}
mkdir -p "$work/home"
profile="$work/TODAY.KSL"
start=$(date +%s.%N)
/usr/bin/time -f "create-profile: %e s wall, peak %M KB" \
  env KESTRELWING_HOME="$work/home" "$build/src/app/kestrelwing-cli" create-profile "$emulator" "$profile"
end=$(date +%s.%N)
echo "create-profile took $(echo "$end - $start" | bc) s (the emulator's -listxml included)"
"$build/bench/browser_bench" load "$profile"
"$build/bench/browser_bench" fill "$profile"
