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

# A picture directory as collections have it: one lower-case file per game, 10,000 of them,
# and a 640 x 480 PNG for the game the click selects.
snap="$work/snap"
if [ ! -d "$snap" ]; then
  mkdir -p "$snap"
  KESTRELWING_HOME="$work/home" "$build/src/app/kestrelwing-cli" list "$profile" --sort 0 --romset |
    sed -n 's/^[0-9]* - \[\([^]]*\)\].*/\1/p' | head -n 10000 |
    tr 'A-Z' 'a-z' | while read -r name; do : >"$snap/$name.png"; done
fi
middle=$(KESTRELWING_HOME="$work/home" "$build/src/app/kestrelwing-cli" list "$profile" --sort 0 --romset |
  sed -n "$((65535 / 2 + 1))s/^[0-9]* - \[\([^]]*\)\].*/\1/p" | tr 'A-Z' 'a-z')
python3 - "$snap/$middle.png" <<'PY'
import struct, sys, zlib
w, h = 640, 480
rows = b"".join(b"\0" + bytes(v for x in range(w) for v in (x * 255 // w, y * 255 // h, 128))
                for y in range(h))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
       chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))
open(sys.argv[1], "wb").write(png)
PY
"$build/bench/browser_bench" click "$profile" "$snap/"
