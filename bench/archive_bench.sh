#!/usr/bin/env bash
# Times putting ROM sets into the temporary directory: SETS deflated zips (default 300 of about
# 1 MiB of ROM data each, eight files per set, made once) extracted one after another with
# ExtractSet, beside `unzip -o -qq` on the same zips into the same kind of flat directory as
# the yardstick. Not part of the test suite.
#
#   bench/archive_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-archive-bench] [SETS=300] [RUNS=5]
#
# Each figure is the median of RUNS runs, with /usr/bin/time -f '%e %U %S %M' (wall, user,
# system seconds and peak resident KB); the temporary directory is emptied before each run.
set -euo pipefail
build="${1:?build directory}"
work="${2:-/tmp/kw-archive-bench}"
sets="${3:-300}"
runs="${4:-5}"
cmake --build "$build" --target archive_bench >/dev/null 2>&1 || {
  echo "building the benchmark failed" >&2
  exit 1
}
command -v unzip >/dev/null || { echo "unzip is not installed (./kw installs it)" >&2; exit 1; }
bench="$build/bench/archive_bench"
mkdir -p "$work"
[ -d "$work/ROMS7Z" ] || "$bench" generate "$work" "$sets" 1024

# shellcheck source=bench/bench_lib.sh
. "$(dirname "$0")/bench_lib.sh"
before_each() { rm -rf "$work/\$KSTEMP\$"; }

mib=$(du -sm "$work/ROMS" | cut -f1)
echo "$(ls "$work/ROMS" | wc -l) sets, $mib MiB of zips"
rm -rf "$work/\$KSTEMP\$"
echo "ExtractSet:    $("$bench" extract "$work")"
echo "ExtractSet:    $(median "$bench" extract "$work")"
echo "ExtractSet+CRC: $(median "$bench" extract "$work" ROMS --crc)"
echo "7z ExtractSet: $(median "$bench" extract "$work" ROMS7Z)"
echo "7z +CRC:       $(median "$bench" extract "$work" ROMS7Z --crc)"
echo "unzip -tqq:    $(median sh -c 'for z in "$1"/ROMS/*.zip; do unzip -tqq "$z"; done' sh "$work")"
echo "unzip -o -qq:  $(median sh -c 'mkdir -p "$1/\$KSTEMP\$" && for z in "$1"/ROMS/*.zip; do unzip -o -qq "$z" -d "$1/\$KSTEMP\$"; done' sh "$work")"
rm -rf "$work/\$KSTEMP\$"
