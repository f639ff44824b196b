#!/usr/bin/env bash
# Every speed figure beside its yardstick, in one table (what `./kw bench` prints). Each row is
# the median of RUNS pairs, ours and the yardstick run in turn (see `paired` in bench_lib.sh):
#   - the era's exact verification of a generated 300-set collection (200 MiB of deflated zips
#     of incompressible-ish data, made once by verify_bench), on one and on two reading threads,
#     beside `unzip -tqq` over the same zips;
#   - members of a few MiB (12 sets of 32 MiB, 255 MiB of zips) on two threads, beside unzip;
#   - one large set (eight members of 24 MiB, 127 MiB of zips) on one reading thread and on two,
#     the second thread checking members of the set ahead of the first, beside unzip;
#   - the quick verification with a warm cache of 40,000 sets (44,000 archives, made once; the
#     first run takes about ten minutes), beside `find -printf '%s %T@'` over the same folders;
#   - the listinfo reader (read, parse and save of a 65,535-game capture) beside `wc -w`;
#   - today's verification (`verify PROFILE --status`, exact and quick) of the split world of
#     verify_worlds.sh beside the emulator's own `-verifyroms` over it, when that world has
#     been made (bench/verifyroms_compare.sh BUILD_DIR makes it).
# Then the inflate libraries side by side (inflate_bench, MiB/s on one core).
#
#   bench/run_all.sh BUILD_DIR [WORK_DIR=/tmp/kw-bench] [RUNS=5]
set -euo pipefail
build="$(cd "${1:?build directory}" && pwd)"
work="${2:-/tmp/kw-bench}"
runs="${3:-5}"
here="$(cd "$(dirname "$0")" && pwd)"
cmake --build "$build" --target verify_bench inflate_bench gen_listinfo kestrelwing-cli >/dev/null 2>&1 || {
  echo "building the benchmarks failed" >&2
  exit 1
}
for tool in unzip find wc; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (./kw installs it)" >&2; exit 1; }
done
# shellcheck source=bench/bench_lib.sh
. "$here/bench_lib.sh"
mkdir -p "$work"
bench="$build/bench/verify_bench"
cli="$build/src/app/kestrelwing-cli"
small="$work/verify-300"
large="$work/verify-large"
one="$work/verify-one"
many="$work/quick-40000"
capture="$work/listinfo_65535.txt"
[ -f "$small/GAMES.LST" ] || "$bench" generate "$small" 300 1024
[ -f "$large/GAMES.LST" ] || "$bench" generate "$large" 12 32768
[ -f "$one/GAMES.LST" ] || "$bench" generate "$one" 1 196608
[ -f "$many/GAMES.LST" ] || "$bench" generate "$many" 40000 1
[ -s "$capture" ] || "$build/bench/gen_listinfo" "$capture" 65535
"$bench" run "$many" --quick >/dev/null  # the quick runs below find their cache warm
unzip_all() { echo "for z in '$1'/ROMS/*.zip '$1'/SAMPLES/*.zip; do [ -f \"\$z\" ] && unzip -tqq \"\$z\"; done"; }

echo "| measure | ours s | yardstick s | ours / yardstick | ours peak MiB | yardstick peak MiB |"
echo "|---|---|---|---|---|---|"
paired "exact verification, 300 sets, 1 thread / unzip -tqq" \
  "'$bench' run '$small' --threads 0" "$(unzip_all "$small")"
paired "exact verification, 300 sets, 2 threads / unzip -tqq" \
  "'$bench' run '$small' --threads 2" "$(unzip_all "$small")"
paired "exact verification, 4 MiB members, 2 threads / unzip -tqq" \
  "'$bench' run '$large' --threads 2" "$(unzip_all "$large")"
paired "exact verification, one 192 MiB set, 1 thread / unzip -tqq" \
  "'$bench' run '$one' --threads 1" "$(unzip_all "$one")"
paired "exact verification, one 192 MiB set, 2 threads / unzip -tqq" \
  "'$bench' run '$one' --threads 2" "$(unzip_all "$one")"
paired "quick verification, 40,000 sets warm / find -printf" \
  "'$bench' run '$many' --quick" "find '$many/ROMS' '$many/SAMPLES' -printf '%s %T@\n'"
paired "listinfo to profile, 65,535 games / wc -w" \
  "'$cli' parse-listinfo '$capture' '$work/listinfo.KSL'" "LC_ALL=C wc -w '$capture'"
worlds="${VERIFYROMS_DIR:-/tmp/kw-verifyroms}"
profile="${PROFILE:-$HOME/.cache/kestrelwing-tests/TODAY-0.251__unknown_-audit.KSL}"
emulator="${EMULATOR:-/usr/games/mame}"
if [ -d "$worlds/worlds/split" ] && [ -f "$worlds/worlds/names.txt" ] && [ -f "$profile" ] &&
  [ -x "$emulator" ]; then
  mkdir -p "$work/today-home/.mame" "$work/today-kwhome"
  printf 'rompath                   %s\n' "$worlds/worlds/split" >"$work/today-home/.mame/mame.ini"
  ours="HOME='$work/today-home' KESTRELWING_HOME='$work/today-kwhome' '$cli' verify '$profile' --status"
  theirs="HOME='$work/today-home' '$emulator' -verifyroms -rompath '$worlds/worlds/split' $(tr '\n' ' ' <"$worlds/worlds/names.txt")"
  paired "today's verification, split world / mame -verifyroms" "$ours" "$theirs"
  paired "today's quick verification, split world / mame -verifyroms" "$ours --quick" "$theirs"
else
  echo "(today's verification left out: bench/verifyroms_compare.sh $build makes its worlds)"
fi
echo
"$build/bench/inflate_bench" --runs "$runs" "$small"/ROMS/*.zip
