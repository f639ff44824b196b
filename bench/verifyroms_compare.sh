#!/usr/bin/env bash
# Compares today's emulator's own -verifyroms verdicts with the console program's verifier
# (`kestrelwing-cli verify PROFILE --status`) on three made-up collections of 0.251, one for each
# layout collectors use (non-merged, split, merged), built by bench/verify_worlds.sh. A
# comparison to read, not a test: it is not part of ctest, it asserts no times, and it exits 0
# whatever the verdicts are.
#
#   bench/verifyroms_compare.sh BUILD_DIR [WORK_DIR=/tmp/kw-verifyroms]
#
# Environment: EMULATOR (default /usr/games/mame); PROFILE, a profile of that emulator made by
# `kestrelwing-cli create-profile` (default the test cache's
# ~/.cache/kestrelwing-tests/TODAY-0.251__unknown_-audit.KSL, else WORK_DIR/TODAY.KSL, made
# when missing, which takes a minute); SKIP_WORLDS=1 to reuse the worlds and the emulator's
# verdicts of an earlier run; EMU_LOOP=1 is passed to verify_worlds.sh.
#
# Each world (about 150 machines, the same in all three layouts; the planted cases are listed in
# WORK_DIR/worlds/cases.txt and printed below) is verified by both sides:
#   - the emulator: one `-verifyroms -rompath WORLD NAME...` call (see verify_worlds.sh), its
#     verdicts reduced to `name status` lines (good|best|bad|notfound) in WORK_DIR/emu/;
#   - ours: `verify PROFILE --status` with HOME=WORK_DIR/home, whose .mame/mame.ini gives the
#     world as rompath, printing `name status` lines, sorted, machines needing no files left out;
#     kept in WORK_DIR/ours/LAYOUT.status.
# Per layout it prints the machines, how many verdicts agree and disagree, each disagreement
# with the emulator's reason lines condensed ("-": we print no line for it), and where
# `--quick` differs from the exact verdicts. Then the times per world (median of 5 runs) of
# `verify --status`, `verify --status --quick` and the emulator's call, and of one
# `verify --sets galaga --status`.
set -uo pipefail
export LC_ALL=C
build="${1:?usage: verifyroms_compare.sh BUILD_DIR [WORK_DIR]}"
work="${2:-/tmp/kw-verifyroms}"
emulator="${EMULATOR:-/usr/games/mame}"
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)
cli="$build/src/app/kestrelwing-cli"
mkdir -p "$work"
work=$(cd "$work" && pwd)
layouts=(nonmerged split merged)

if [ "${SKIP_WORLDS:-0}" != 1 ] || [ ! -f "$work/worlds/names.txt" ]; then
  "$here/verify_worlds.sh" "$work" || exit 1
fi

# Our side exists when the console program knows `verify --status`.
ours=1
if ! cmake --build "$build" --target kestrelwing-cli -j1 >"$work/build.log" 2>&1; then
  echo "building kestrelwing-cli failed (see $work/build.log): only the emulator's side follows"
  ours=0
elif ! grep -q -- '--status' <<<"$("$cli" verify --help 2>&1)"; then
  echo "kestrelwing-cli verify has no --status yet: only the emulator's side follows"
  ours=0
fi
if [ "$ours" = 1 ]; then
  profile="${PROFILE:-$HOME/.cache/kestrelwing-tests/TODAY-0.251__unknown_-audit.KSL}"
  if [ ! -f "$profile" ]; then
    profile="$work/TODAY.KSL"
    if [ ! -f "$profile" ]; then
      echo "making the profile of $emulator ..." >&2
      mkdir -p "$work/kwhome"
      KESTRELWING_HOME="$work/kwhome" "$cli" create-profile "$emulator" "$profile" >/dev/null || exit 1
    fi
  fi
fi

set_rompath() {
  printf 'rompath                   %s\n' "$work/worlds/$1" >"$work/home/.mame/mame.ini"
}
run_ours() {  # LAYOUT [ARGS...]
  local layout=$1
  shift
  set_rompath "$layout"
  HOME="$work/home" KESTRELWING_HOME="$work/kwhome" "$cli" verify "$profile" --status "$@"
}
# shellcheck disable=SC2317 # called through median5
run_emulator() {  # LAYOUT
  # shellcheck disable=SC2046
  HOME="$work/home" timeout 300 "$emulator" -verifyroms -rompath "$work/worlds/$1" \
    $(cat "$work/worlds/names.txt") >/dev/null 2>&1
}
median5() {  # COMMAND...: the median wall time of five runs, in seconds
  local s e
  for _ in 1 2 3 4 5; do
    s=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    e=$(date +%s.%N)
    awk -v s="$s" -v e="$e" 'BEGIN { printf "%.3f\n", e - s }'
  done | sort -n | sed -n 3p
}
# "ROM: REASON" for each complaint of the emulator about SET, joined by "; " (a checksum
# complaint with its EXPECTED and FOUND CRCs); a reason given for three ROMs or more is given
# once, as "N ROMs: REASON".
emu_reasons() {
  awk -v set="$2" '
    $1 == set && /^[^ ]+ +: / {
      line = $0; sub(/^[^ ]+ +: /, "", line); sub(/ \([0-9]+ bytes\)/, "", line)
      rom[++n] = line; sub(/ - .*/, "", rom[n])
      why[n] = line; sub(/^[^ ]+ - /, "", why[n]); sub(/:$/, "", why[n]); keep = 1; next }
    keep && /^ *EXPECTED:/ { why[n] = why[n] " expected " $2; next }
    keep && /^ *FOUND:/ { why[n] = why[n] " found " $2; next }
    { keep = 0 }
    END {
      for (i = 1; i <= n; i++) count[why[i]]++
      for (i = 1; i <= n; i++) {
        if (count[why[i]] >= 3) {
          if (done[why[i]]++) continue
          item = count[why[i]] " ROMs: " why[i]
        } else item = rom[i] ": " why[i]
        printf "%s%s", (out++ ? "; " : ""), item
      }
      if (out) print ""
    }' "$1"
}

echo
echo "Emulator: $emulator ($(HOME="$work/home" timeout 10 "$emulator" -version 2>/dev/null)); worlds in $work/worlds"
echo "Planted cases (every world):"
awk -F'\t' '$2 != "clonename" { printf "  %-10s %s\n", $1, $3 }' "$work/worlds/cases.txt"
awk -F'\t' '$2 == "clonename" { n[$1]++ } END { for (c in n) printf "  %-10s merged: %d CLONE/NAME entries\n", c, n[c] }' \
  "$work/worlds/cases.txt" | sort

for layout in "${layouts[@]}"; do
  emu="$work/emu/$layout.status"
  echo
  echo "== $layout: $(wc -l <"$emu") machines; the emulator: $(awk '{ n[$2]++ } END { for (s in n) printf "%s %d, ", s, n[s] }' "$emu" | sed 's/, $//')"
  if [ "$ours" = 0 ]; then
    awk '$2 != "good"' "$emu" | while read -r name status; do
      printf '  %-10s %-8s %s\n' "$name" "$status" "$(emu_reasons "$work/emu/$layout.txt" "$name")"
    done
    continue
  fi
  mkdir -p "$work/ours"
  run_ours "$layout" >"$work/ours/$layout.status" 2>"$work/ours/$layout.err" ||
    echo "  verify --status failed (exit $?): $(head -3 "$work/ours/$layout.err")"
  # Only the world's machines count: ours covers the whole profile.
  join -a1 -o 1.1,1.2,2.2 -e - "$emu" <(sort "$work/ours/$layout.status") >"$work/ours/$layout.joined"
  awk '{ if ($2 == $3) a++; else d++ } END { printf "  agree %d, disagree %d\n", a, d }' "$work/ours/$layout.joined"
  awk '$2 != $3' "$work/ours/$layout.joined" | while read -r name e o; do
    printf '  %-10s emulator %-8s ours %-8s %s\n' "$name" "$e" "$o" "$(emu_reasons "$work/emu/$layout.txt" "$name")"
  done
  # The quick mode takes sizes and CRCs from the archive directories: it cannot see mspacman's
  # changed data, and should see everything else as the exact mode does.
  run_ours "$layout" --quick 2>/dev/null | sort >"$work/ours/$layout.quick"
  echo "  --quick against exact: $(sort "$work/ours/$layout.status" | diff - "$work/ours/$layout.quick" |
    grep '^[<>]' | paste -sd' ' - | sed 's/^$/the same verdicts/')"
  others=$(awk 'NR == FNR { world[$1] = 1; next } !($1 in world) && $2 != "notfound"' "$emu" \
    "$work/ours/$layout.status" | wc -l)
  echo "  our lines for machines outside the world other than notfound: $others"
done

echo
echo "Times (median of 5, seconds), per world:"
for layout in "${layouts[@]}"; do
  line="  $layout: emulator -verifyroms $(median5 run_emulator "$layout")"
  if [ "$ours" = 1 ]; then
    line="$line; verify --status $(median5 run_ours "$layout")"
    line="$line; verify --status --quick $(median5 run_ours "$layout" --quick)"
    s=$(date +%s.%N)
    run_ours "$layout" --sets galaga >/dev/null 2>&1
    e=$(date +%s.%N)
    line="$line; verify --sets galaga --status (once) $(awk -v s="$s" -v e="$e" 'BEGIN { printf "%.3f", e - s }')"
  fi
  echo "$line"
done
exit 0
