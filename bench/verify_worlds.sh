#!/usr/bin/env bash
# Builds three made-up collections ("worlds") of today's emulator (0.251), one for each layout
# collectors use, and takes the emulator's own -verifyroms verdicts on each. Used by
# verifyroms_compare.sh; it can run alone.
#
#   bench/verify_worlds.sh [WORK_DIR=/tmp/kw-verifyroms]
#
# Environment: EMULATOR (default /usr/games/mame), EMU_LOOP=1 to ask the emulator one set at a
# time (slow; to check that the one call below gives the same verdicts).
#
# Writes, under WORK_DIR (never inside the repository):
#   worlds/nonmerged/  every set complete in its own archive: a clone's archive holds the files
#                      it shares with its parent, a machine's archive its BIOS and device ROMs
#                      too (the BIOS and device sets are there on their own as well);
#   worlds/split/      a clone holds only what differs from its parent (ROMs with a `merge`
#                      attribute are left to the parent); BIOS and device ROMs only in their
#                      own sets (neogeo.zip, namco51.zip...);
#   worlds/merged/     the clones inside their parent's archive, a clone's file whose name is a
#                      parent's file with another content stored as CLONE/NAME; BIOS and device
#                      sets on their own;
#   worlds/names.txt   the machines of a world (the same in all three), with the devices with
#                      ROMs they use; worlds/cases.txt the planted cases (bench/verify_worlds.py);
#   emu/LAYOUT.txt     what the emulator said; emu/LAYOUT.status its verdicts, lines
#                      `name status` (good|best|bad|notfound) sorted by name;
#   home/.mame/        the HOME the emulator runs with (nothing of the user's own);
#   pool/              the forged ROM contents, kept for the next run.
#
# Every ROM is forged (random bytes of the listed size whose CRC-32 is the listed one; the
# emulator's -verifyroms checks sizes and CRCs, not SHA-1s): deterministic, from fixed seeds.
# The machines are real ones of 0.251 (bench/verify_worlds.py lists them); their records come
# from one `EMULATOR -listxml NAME...` call.
#
# The yardstick is ONE call per world, `EMULATOR -verifyroms -rompath WORLD NAME NAME ...`: with
# several names the emulator audits each and prints "romset X [PARENT] is good / is best
# available / is bad" for every set it finds something of, and says nothing of a set it finds
# nothing of (it only counts it). So a name of the world that the call does not mention is
# notfound, which is what a call with that one name says ("romset "X" not found!"). An unknown
# name would end the whole call with "No matching systems found", so every name is checked
# first (the -listxml call fails on an unknown one).
set -uo pipefail
export LC_ALL=C
work="${1:-/tmp/kw-verifyroms}"
emulator="${EMULATOR:-/usr/games/mame}"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
work=$(cd "$work" && pwd)
mkdir -p "$work/home/.mame" "$work/emu"

# The names of the worlds, from the builder's own list, and their records with their parents',
# BIOS sets' and devices' (the emulator adds the devices' records by itself).
names=$(python3 -c "import sys; sys.path.insert(0, '$here'); import verify_worlds as w; print(' '.join(n for f in w.FAMILIES for n in f.split()))")
# shellcheck disable=SC2086
if ! HOME="$work/home" timeout 120 "$emulator" -listxml $names >"$work/worlds.xml" 2>"$work/listxml.err"; then
  echo "the emulator's -listxml failed:" >&2
  cat "$work/listxml.err" >&2
  exit 1
fi

start=$(date +%s.%N)
python3 "$here/verify_worlds.py" "$work/worlds.xml" "$work" || exit 1
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" 'BEGIN { printf "worlds built in %.1f s\n", e - s }' >&2

# Reduces what the emulator said to `name status`, sorted; with the world's names, the ones it
# does not mention are notfound.
reduce() {
  awk -v names="$2" '
    BEGIN { while ((getline n < names) > 0) want[n] = 1 }
    /^romset [^ ]+ (\[[^]]*\] )?is good$/ { st[$2] = "good"; next }
    /^romset [^ ]+ (\[[^]]*\] )?is best available$/ { st[$2] = "best"; next }
    /^romset [^ ]+ (\[[^]]*\] )?is bad$/ { st[$2] = "bad"; next }
    /^romset "[^"]+" not found!?$/ { n = $2; gsub(/"/, "", n); st[n] = "notfound"; next }
    END { for (n in want) print n, (n in st) ? st[n] : "notfound" }' "$1" | sort
}

for layout in nonmerged split merged; do
  dir="$work/worlds/$layout"
  out="$work/emu/$layout.txt"
  start=$(date +%s.%N)
  if [ "${EMU_LOOP:-0}" = 1 ]; then
    : >"$out"
    while read -r n; do
      HOME="$work/home" timeout 120 "$emulator" -verifyroms -rompath "$dir" "$n" >>"$out" 2>&1
    done <"$work/worlds/names.txt"
  else
    # shellcheck disable=SC2046
    HOME="$work/home" timeout 300 "$emulator" -verifyroms -rompath "$dir" \
      $(cat "$work/worlds/names.txt") >"$out" 2>&1
  fi
  end=$(date +%s.%N)
  reduce "$out" "$work/worlds/names.txt" >"$work/emu/$layout.status"
  awk -v s="$start" -v e="$end" -v l="$layout" 'BEGIN { printf "%s: the emulator took %.2f s; ", l, e - s }' >&2
  awk '{ n[$2]++ } END { for (s in n) printf "%s %d  ", s, n[s]; print "" }' "$work/emu/$layout.status" >&2
done
exit 0
