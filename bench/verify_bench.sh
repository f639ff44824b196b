#!/usr/bin/env bash
# Times the set verifier over a generated collection (SETS sets of about 1 MiB of ROM data in
# deflated zips, clones, sample sets and screenshots; default 300 sets, made once): the exact
# run on one reading thread and on two, the quick run cold (no cache) and warm, and
# `unzip -tqq` over the same ROM and sample zips as the yardstick. Not part of the test suite.
#
#   bench/verify_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-verify-bench] [SETS=300] [RUNS=5]
#
# Each figure is the median of RUNS runs, with /usr/bin/time -f '%e %U %S %M' (wall, user,
# system seconds and peak resident KB).
set -euo pipefail
build="${1:?build directory}"
work="${2:-/tmp/kw-verify-bench}"
sets="${3:-300}"
runs="${4:-5}"
cmake --build "$build" --target verify_bench >/dev/null 2>&1 || {
  echo "building the benchmark failed" >&2
  exit 1
}
command -v unzip >/dev/null || { echo "unzip is not installed (./kw installs it)" >&2; exit 1; }
bench="$build/bench/verify_bench"
mkdir -p "$work"
[ -f "$work/GAMES.LST" ] || "$bench" generate "$work" "$sets" 1024

# shellcheck source=bench/bench_lib.sh
. "$(dirname "$0")/bench_lib.sh"
before_each() { if [ -n "${cold:-}" ]; then rm -f "$work/QUICKCRC.DAT"; fi; }

echo "$(ls "$work/ROMS" | wc -l) ROM zips ($(du -sm "$work/ROMS" | cut -f1) MiB), $(ls "$work/SAMPLES" | wc -l) sample zips"
echo "exact, 1 thread:   $("$bench" run "$work" --threads 0)"
echo "exact, 1 thread:   $(median "$bench" run "$work" --threads 0)"
echo "exact, 2 threads:  $(median "$bench" run "$work" --threads 2)"
echo "quick, cold:       $(cold=1 median "$bench" run "$work" --quick)"
"$bench" run "$work" --quick >/dev/null
echo "quick, warm:       $("$bench" run "$work" --quick)"
echo "quick, warm:       $(median "$bench" run "$work" --quick)"
echo "unzip -tqq:        $(median sh -c 'for z in "$1"/ROMS/*.zip "$1"/SAMPLES/*.zip; do unzip -tqq "$z"; done' sh "$work")"
