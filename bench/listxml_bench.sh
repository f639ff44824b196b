#!/usr/bin/env bash
# Times the -listxml reader on today's emulator's whole list: ParseListxmlFile into a game
# database (listxml_bench), a bare expat pass over the same file with empty handlers
# (expat_pass) and `LC_ALL=C wc -w` as the yardsticks. Not part of the test suite.
#
#   bench/listxml_bench.sh BUILD_DIR [LISTXML=/work/mamedata/listxml.xml] [RUNS=5]
#
# Without the file it is made once with `mame -listxml` (KW_MAME, default /usr/games/mame).
# Each figure is the median of RUNS runs, with /usr/bin/time -f '%e %U %S %M' (wall, user,
# system seconds and peak resident KB); the file is read from the page cache by every run.
set -euo pipefail
build="${1:?build directory}"
listxml="${2:-/work/mamedata/listxml.xml}"
runs="${3:-5}"
cmake --build "$build" --target listxml_bench expat_pass >/dev/null 2>&1 || {
  echo "building the benchmark failed (expat_pass needs libexpat1-dev, which ./kw installs)" >&2
  exit 1
}
if [ ! -s "$listxml" ]; then
  mkdir -p "$(dirname "$listxml")"
  "${KW_MAME:-/usr/games/mame}" -listxml >"$listxml"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=bench/bench_lib.sh
. "$(dirname "$0")/bench_lib.sh"

cat "$listxml" >/dev/null
echo "$(basename "$listxml"): $(stat -c %s "$listxml" | awk '{ printf "%.1f MB", $1/1e6 }')"
echo "listxml_bench:     $("$build/bench/listxml_bench" "$listxml")"
echo "expat_pass:        $("$build/bench/expat_pass" "$listxml")"
printf '%-18s %s\n' "ParseListxmlFile:" "$(median "$build/bench/listxml_bench" "$listxml")"
printf '%-18s %s\n' "expat pass:" "$(median "$build/bench/expat_pass" "$listxml")"
printf '%-18s %s\n' "wc -w:" "$(LC_ALL=C median wc -w "$listxml")"
