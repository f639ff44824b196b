#!/usr/bin/env bash
# Times the listinfo parser and the profile file on a synthetic 65,535-game listinfo (about
# 154 MB, made once by gen_listinfo) and on the real 0.37b5 output, beside `wc -w` on the same
# files as the yardstick. Not part of the test suite.
#
#   bench/run_listinfo_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-listinfo-bench] [RUNS=5]
#
# The whole-program figures are the median of RUNS runs of each command, in turn, with
# /usr/bin/time -f '%e %U %S %M' (wall, user, system seconds and peak resident KB):
#   kestrelwing-cli parse-listinfo CAPTURE OUT.KSL   read + parse + save (with its flush to disk)
#   wc -w CAPTURE                                    the yardstick
#   kestrelwing-cli dump-profile OUT.KSL             load a profile (and print it)
# then listinfo_bench's own timings of parse, save and load, and what a loaded profile holds
# resident ("resident after loading", against the file's size).
set -euo pipefail
build="${1:?build directory}"
work="${2:-/tmp/kw-listinfo-bench}"
runs="${3:-5}"
src="$(cd "$(dirname "$0")/.." && pwd)"
real="$src/../shared/realdata/listinfo/mame-0.37b5-generated"
cmake --build "$build" --target listinfo_bench gen_listinfo kestrelwing-cli >/dev/null 2>&1 || {
  echo "building the benchmarks failed" >&2
  exit 1
}
bench="$build/bench/listinfo_bench"
cli="$build/src/app/kestrelwing-cli"
mkdir -p "$work"
synthetic="$work/listinfo_65535.txt"
[ -s "$synthetic" ] || "$build/bench/gen_listinfo" "$synthetic" 65535

# The median of RUNS runs of a command: "wall user sys peak_MiB".
median() {
  local i
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" >/dev/null 2>&1 || true
    cat "$work/time.txt"
  done | sort -n | awk -v n="$runs" '{ w[NR]=$1; u[NR]=$2; s[NR]=$3; m[NR]=$4 }
    END { k=int((n+1)/2); printf "%6.3f s wall %6.3f s user %6.3f s sys %7.1f MiB peak\n", w[k], u[k], s[k], m[k]/1024 }'
}

for file in "$synthetic" "$real/listinfo.txt"; do
  [ -f "$file" ] || continue
  name=$(basename "$file")
  cat "$file" >/dev/null  # both read from the page cache
  printf '%-44s %s\n' "wc -w $name" "$(median wc -w "$file")"
  printf '%-44s %s\n' "parse-listinfo $name" "$(median "$cli" parse-listinfo "$file" "$work/$name.KSL")"
  printf '%-44s %s\n' "dump-profile $name.KSL" "$(median "$cli" dump-profile "$work/$name.KSL")"
  printf '%-44s %s MB capture, %s MB profile\n' "  sizes" "$(stat -c %s "$file" | awk '{ printf "%.1f", $1/1e6 }')" \
    "$(stat -c %s "$work/$name.KSL" | awk '{ printf "%.1f", $1/1e6 }')"
done
for file in "$synthetic" "$real/listinfo.txt" "$real/listinfo_with_history.txt"; do
  [ -f "$file" ] || continue
  "$bench" parse "$file"
done
"$bench" save "$synthetic" "$work/SYNTHETIC.KSL"
"$bench" load "$work/SYNTHETIC.KSL"
if [ -f "$real/listinfo.txt" ]; then
  "$bench" save "$real/listinfo.txt" "$work/MAME037B5.KSL"
  "$bench" load "$work/MAME037B5.KSL"
fi
