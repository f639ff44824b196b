#!/usr/bin/env bash
# Times the listinfo parser and the profile file on a synthetic 65,535-game listinfo (about
# 160 MB, made once by gen_listinfo) and on the real 0.37b5 output, beside `LC_ALL=C wc -w` on
# the same files as the yardstick. Not part of the test suite.
#
#   bench/run_listinfo_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-listinfo-bench]
set -euo pipefail
build="${1:?build directory}"
work="${2:-/tmp/kw-listinfo-bench}"
src="$(cd "$(dirname "$0")/.." && pwd)"
real="$src/../shared/realdata/listinfo/mame-0.37b5-generated"
cmake --build "$build" --target listinfo_bench gen_listinfo >/dev/null 2>&1 || {
  echo "building listinfo_bench failed" >&2
  exit 1
}
bench="$build/bench/listinfo_bench"
mkdir -p "$work"
synthetic="$work/listinfo_65535.txt"
[ -s "$synthetic" ] || "$build/bench/gen_listinfo" "$synthetic" 65535

yardstick() {
  local file="$1" start end
  cat "$file" >/dev/null  # both read from the page cache
  start=$(date +%s.%N)
  /usr/bin/time -f "%M" -o "$work/wc.rss" env LC_ALL=C wc -w "$file" >/dev/null
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" -v b="$(stat -c %s "$file")" -v m="$(cat "$work/wc.rss")" -v f="$(basename "$file")" \
    'BEGIN { printf "wc -w  %-40s %8.1f MB %8.3f s %8.1f MB/s  peak %d MB\n", f, b/1e6, e-s, b/1e6/(e-s), m/1024 }'
}

for file in "$synthetic" "$real/listinfo.txt" "$real/listinfo_with_history.txt"; do
  [ -f "$file" ] || continue
  yardstick "$file"
  "$bench" parse "$file"
done
"$bench" save "$synthetic" "$work/SYNTHETIC.KSL"
"$bench" load "$work/SYNTHETIC.KSL"
if [ -f "$real/listinfo.txt" ]; then
  "$bench" save "$real/listinfo.txt" "$work/MAME037B5.KSL"
  "$bench" load "$work/MAME037B5.KSL"
fi
