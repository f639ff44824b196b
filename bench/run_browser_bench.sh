#!/usr/bin/env bash
# Times the game browser on the synthetic 65,535-game profile (made once from gen_listinfo's
# listinfo) with a 10,000-record STATS.INI. Not part of the test suite.
#
#   bench/run_browser_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-browser-bench]
set -euo pipefail
build="${1:?build directory}"
work="${2:-/tmp/kw-browser-bench}"
cmake --build "$build" --target browser_bench gen_listinfo kestrelwing-cli >/dev/null 2>&1 || {
  echo "building the benchmarks failed" >&2
  exit 1
}
mkdir -p "$work/home"
profile="$work/SYNTHETIC.KSL"
if [ ! -s "$profile" ]; then
  "$build/bench/gen_listinfo" "$work/listinfo_65535.txt" 65535
  KESTRELWING_HOME="$work/home" "$build/src/app/kestrelwing-cli" parse-listinfo \
    "$work/listinfo_65535.txt" "$profile" >/dev/null
fi
[ -s "$work/STATS.INI" ] || "$build/bench/browser_bench" make-stats "$profile" "$work/STATS.INI" 10000
"$build/bench/browser_bench" fill "$profile" "$work/STATS.INI"
