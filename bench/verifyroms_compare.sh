#!/usr/bin/env bash
# Compares today's emulator's own -verifyroms verdicts with the console program's collection
# verifier (kestrelwing-cli verify) on one small synthetic collection. A comparison to read, not
# a test: it is not part of ctest and it exits 0 whatever the verdicts are.
#
#   bench/verifyroms_compare.sh BUILD_DIR [WORK_DIR=/tmp/kw-verifyroms]
#
# Environment: EMULATOR (default /usr/games/mame), PROFILE (a profile of that emulator made by
# `kestrelwing-cli create-profile`; default WORK_DIR/TODAY.KSL, copied from /tmp/kwb/TODAY.KSL
# when that exists, made otherwise, which takes a minute).
#
# We have no real ROM contents, so every ROM file is forged by BUILD_DIR/bench/forge_roms from
# the machine's -listxml record: random bytes of the listed size whose last four bytes bring the
# CRC-32 to the listed one. Their SHA1 is not the listed one, which -verifyroms does not see:
# it checks the CRC alone (its FOUND lines give no SHA1). The collection, in
# WORK_DIR/roms, holds one case per line of `cases` below: a parent with every ROM right, its
# clone with the parent present, a clone of the same parent that is absent, a clone without its
# parent, a set with one ROM missing, one with a wrong CRC, one with a wrong size, one with a
# ROM under another name, two device ROM sets, a machine whose other device ROM set is absent,
# a machine without ROMs, a Neo Geo game with its BIOS set, a machine with ROMs of no known
# dump, a 7z set and a directory set.
#
# The emulator runs once per set: `timeout 120 EMULATOR -verifyroms -rompath WORK_DIR/roms SET`,
# under HOME=WORK_DIR/home (never without arguments: it would wait). Our verifier reads the
# rompath from the emulator's own mame.ini, WORK_DIR/home/.mame/mame.ini, written here; it runs
# with samples and pictures off and writes WORK_DIR/report.txt. The table gives, per set, the
# emulator's verdict with its reasons condensed, our verdict with its report lines condensed and
# whether they agree (emulator good / best available = our good, bad = bad, not found = skipped).
set -uo pipefail
build="${1:?usage: verifyroms_compare.sh BUILD_DIR [WORK_DIR]}"
work="${2:-/tmp/kw-verifyroms}"
emulator="${EMULATOR:-/usr/games/mame}"
build=$(cd "$build" && pwd)
cli="$build/src/app/kestrelwing-cli"
forge="$build/bench/forge_roms"

cmake --build "$build" --target kestrelwing-cli forge_roms -j2 >/dev/null 2>&1 || {
  echo "building kestrelwing-cli and forge_roms failed" >&2
  exit 1
}
mkdir -p "$work"
work=$(cd "$work" && pwd)
roms="$work/roms"
rm -rf "$roms" "$work/stage" "$work/xml" "$work/emu"
mkdir -p "$roms" "$work/stage" "$work/xml" "$work/emu" "$work/home/.mame" "$work/kwhome"

profile="${PROFILE:-$work/TODAY.KSL}"
if [ ! -f "$profile" ]; then
  if [ -f /tmp/kwb/TODAY.KSL ]; then
    cp /tmp/kwb/TODAY.KSL "$profile"
  else
    echo "making the profile of $emulator ..." >&2
    KESTRELWING_HOME="$work/kwhome" "$cli" create-profile "$emulator" "$profile" >/dev/null || exit 1
  fi
fi

# set  layout(zip|7z|dir|none)  defect(none|missing|crc|size|rename)  what the case shows
cases=(
  "puckman  zip  none     parent, every ROM right"
  "pacman   zip  none     clone, parent present"
  "puckmod  none none     clone absent, parent present"
  "dkongjrj zip  none     clone without its parent"
  "frogger  zip  missing  one ROM missing"
  "dkong    zip  crc      one ROM with a wrong CRC"
  "namco51  zip  none     device ROM set"
  "namco54  zip  none     device ROM set"
  "galaga   zip  size     one ROM with a wrong size (device sets present)"
  "digdug   zip  none     every ROM right, device set namco53 absent"
  "1942     zip  rename   one ROM under another name"
  "pong     none none     machine without ROMs"
  "neogeo   zip  none     BIOS set"
  "nam1975  zip  none     Neo Geo game, BIOS set present"
  "indy800  zip  none     machine with ROMs of no known dump"
  "invaders 7z   none     7z set"
  "galaxian dir  none     directory set"
)

attr() { sed -n "s/.* $1=\"\([^\"]*\)\".*/\1/p" <<<"$2"; }

# The set's own ROMs (not merged from a parent or BIOS, with a known dump): "SIZE CRC NAME".
own_roms() {
  awk '/<machine /{n++} n==1 && /<rom /' "$work/xml/$1.xml" | while IFS= read -r line; do
    [ -n "$(attr merge "$line")" ] && continue
    [ "$(attr status "$line")" = nodump ] && continue
    echo "$(attr size "$line") $(attr crc "$line") $(attr name "$line")"
  done
}

seed=1
for c in "${cases[@]}"; do
  read -r set layout defect _ <<<"$c"
  timeout 60 "$emulator" -listxml "$set" >"$work/xml/$set.xml" 2>/dev/null
  [ "$layout" = none ] && continue
  stage="$work/stage/$set"
  mkdir -p "$stage"
  own_roms "$set" >"$work/stage/$set.list"
  # The defect goes to the first own ROM: the others stay right.
  first=1
  while read -r size crc name; do
    if [ "$first" = 1 ]; then
      first=0
      case "$defect" in
        missing) continue ;;
        crc) crc=$(printf '%08x' $((0x$crc ^ 1))) ;;
        size) size=$((size / 2)) ;;
        rename) name=renamed.bin ;;
      esac
    fi
    echo "$size $crc $stage/$name"
  done <"$work/stage/$set.list" | "$forge" $((seed++)) || exit 1
  case "$layout" in
    zip) (cd "$stage" && zip -q -X "$roms/$set.zip" ./*) ;;
    7z) (cd "$stage" && 7z a -bd -bso0 -bsp0 "$roms/$set.7z" ./* >/dev/null) ;;
    dir) cp -r "$stage" "$roms/$set" ;;
  esac
done

# The emulator, once per set.
for c in "${cases[@]}"; do
  read -r set _ <<<"$c"
  HOME="$work/home" timeout 120 "$emulator" -verifyroms -rompath "$roms" "$set" \
    >"$work/emu/$set.txt" 2>&1
  echo "rc=$?" >>"$work/emu/$set.txt"
done

# Our verifier, reading the rompath from the emulator's mame.ini.
printf 'rompath                   %s\n' "$roms" >"$work/home/.mame/mame.ini"
report="$work/report.txt"
rm -f "$report"
start=$(date +%s.%N)
HOME="$work/home" KESTRELWING_HOME="$work/kwhome" "$cli" verify "$profile" --report "$report" \
  --no-VerifySamples --no-VerifyScreenshot >"$work/counters.txt" 2>"$work/verify.err"
rc=$?
end=$(date +%s.%N)
if [ "$rc" -ne 0 ] || [ ! -f "$report" ]; then
  echo "kestrelwing-cli verify failed (exit $rc):" >&2
  cat "$work/verify.err" >&2
  exit 1
fi
tr -d '\r' <"$report" >"$work/report.lf"
# The quick mode (sizes and CRCs from the archive directories) should find the same faults.
HOME="$work/home" KESTRELWING_HOME="$work/kwhome" "$cli" verify "$profile" --report "$work/quick.txt" \
  --quick --no-VerifySamples --no-VerifyScreenshot >/dev/null 2>&1
quick_same=$(cmp -s <(tr -d '\r' <"$work/quick.txt" | grep '^\[') <(grep '^\[' "$work/report.lf") &&
  echo "the same report lines" || echo "OTHER report lines (see $work/quick.txt)")

emu_verdict() {
  local f="$work/emu/$1.txt"
  if grep -q "romset .* is good" "$f"; then
    echo good
  elif grep -q "romset .* is best available" "$f"; then
    echo "best available"
  elif grep -q "romset .* is bad" "$f"; then
    echo bad
  elif grep -q "not found" "$f"; then
    echo "not found"
  else
    echo "?"
  fi
}
# "ROM: REASON" for each complaint of the emulator, joined by "; " (a checksum complaint with
# the CRCs of its EXPECTED and FOUND lines).
emu_reasons() {
  awk '/^[^ ]+ +: [^ ]+ \([0-9]+ bytes\) - / {
         sub(/^[^ ]+ +: /, ""); sub(/ \([0-9]+ bytes\) - /, ": "); sub(/:$/, ""); out[++n] = $0; next }
       /^ *EXPECTED:/ { out[n] = out[n] " expected " $2 }
       /^ *FOUND:/ { out[n] = out[n] " found " $2 }
       END { for (i = 1; i <= n; i++) printf "%s%s", (i > 1 ? "; " : ""), out[i]; if (n) print "" }' \
    "$work/emu/$1.txt"
}
our_lines() {
  local tag
  tag=$(tr '[:lower:]' '[:upper:]' <<<"$1")
  grep -F "[$tag]" "$work/report.lf" | sed 's/^\[[^]]*\] *- *//; s/  */ /g'
}
# Our report names only the sets it finds fault with; a set without lines was good when some
# of its files were there and skipped (no file at all) otherwise.
our_verdict() {
  if [ -n "$(our_lines "$1")" ]; then
    echo bad
  elif [ "$2" = none ]; then
    echo skipped
  else
    echo good
  fi
}
agree() {
  case "$1/$2" in
    good/good | "best available/good" | "not found/skipped" | bad/bad) echo yes ;;
    *) echo NO ;;
  esac
}

echo
echo "Emulator: $emulator ($(timeout 10 "$emulator" -version 2>/dev/null)), collection $roms"
echo "Our verifier: $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f s", e - s }') over the whole profile; counters: $(paste -sd' ' "$work/counters.txt")"
echo "Our verifier with --quick: $quick_same"
echo
printf '%-9s %-5s %-15s %-8s %-5s %s\n' SET FORM EMULATOR OURS AGREE CASE
printf '%s\n' "-------------------------------------------------------------------------------"
for c in "${cases[@]}"; do
  read -r set layout defect what <<<"$c"
  e=$(emu_verdict "$set")
  o=$(our_verdict "$set" "$layout")
  printf '%-9s %-5s %-15s %-8s %-5s %s\n' "$set" "$layout" "$e" "$o" "$(agree "$e" "$o")" "$what"
  r=$(emu_reasons "$set")
  [ -n "$r" ] && echo "            emulator: $r"
  our_lines "$set" | sed 's/^/            ours:     /'
done
# Why the verdicts of a case differ, where the difference is understood (printed only when
# they do differ).
declare -A why=(
  [puckmod]="an absent clone of a present parent: the emulator calls it not found (only ROMs shared with the parent are there); our clone step reads the clone into the parent's temporary directory, which is not empty, so it is not skipped and its own ROMs are reported missing"
  [dkongjrj]="a clone without its parent: the ROMs it merges from the parent are tested only with the parent, and the absent parent is skipped, so nobody reports them; the emulator looks for them in dkongjr and finds none"
  [digdug]="the profile keeps device machines with ROMs as resources but not which machines use them (device_ref): our set test never looks for namco53, and the absent resource is skipped"
  [1942]="the emulator finds a ROM of a ZIP set by its CRC whatever its name; we report the file under the wrong name"
  [pong]="nothing is wrong either way: the emulator says best available for a machine that needs no ROMs, we skip a set without files"
)
echo
if grep -h '^ *FOUND:' "$work"/emu/*.txt | grep -qv SHA1; then
  echo "Checksums: the emulator's FOUND lines give a CRC and no SHA1: -verifyroms compares CRCs only,"
  echo "  so the forged files (right CRC, wrong SHA1) are good to it as to us."
fi
echo "Differences explained:"
for c in "${cases[@]}"; do
  read -r set layout _ <<<"$c"
  [ "$(agree "$(emu_verdict "$set")" "$(our_verdict "$set" "$layout")")" = yes ] && continue
  echo "  $set: ${why[$set]:-NOT EXPLAINED}" | fold -s -w 100 | sed '2,$s/^/    /'
done

# The sets outside the table that our report finds fault with, by parent.
timeout 60 "$emulator" -listclones 2>/dev/null | awk 'NR > 1 { print toupper($1), $2 }' >"$work/clones.txt"
grep -o '^\[[^]]*\]' "$work/report.lf" | tr -d '[]' | sort -u >"$work/faulty.txt"
printf '%s\n' "${cases[@]}" | awk '{ print toupper($1) }' | sort -u >"$work/cases.txt"
comm -23 "$work/faulty.txt" "$work/cases.txt" >"$work/others.txt"
echo
echo "Sets outside the table that our report finds fault with: $(wc -l <"$work/others.txt"), by parent:"
awk 'NR == FNR { parent[$1] = $2; next }
     { p = ($1 in parent) ? parent[$1] : "(no parent)"; n[p]++ }
     END { for (p in n) printf "  %s: %d absent clones\n", p, n[p] }' "$work/clones.txt" "$work/others.txt" | sort
# A clone of an absent parent is read into the temporary directory of its family, which its
# present sibling (read earlier in list order) has filled: so some of them are reported and
# some skipped, by their place in the list.
for parent in $(awk 'NR == FNR { parent[$1] = $2; next } ($1 in parent) { print parent[$1] }' \
  "$work/clones.txt" "$work/others.txt" | sort -u); do
  [ -e "$roms/$parent.zip" ] || [ -e "$roms/$parent.7z" ] || [ -d "$roms/$parent" ] && continue
  skipped=$(awk -v p="$parent" '$2 == p { print $1 }' "$work/clones.txt" |
    grep -vxFf "$work/others.txt" | grep -vxFf "$work/cases.txt" | paste -sd' ' -)
  echo "  parent $parent is absent: its clones without report lines (skipped): ${skipped:-none}"
done
echo "  their report lines other than \"rom not found\":"
grep -Ff <(sed 's/.*/[&]/' "$work/others.txt") "$work/report.lf" | grep -v "rom not found" | sed 's/^/    /'
exit 0
