#!/usr/bin/env bash
# Times the status check that runs behind the window when a profile opens, on today's emulator's
# 39,372-machine profile over one of the made-up collections of verifyroms_compare.sh (the split
# layout, about 150 machines present, the rest not found): the start of the window to its first
# handled key with the check running, the check's end (cold: no memory of the archives; warm: the
# memory of the last run), and the check alone; the same start with the check switched off; and
# `verify --status --quick` beside it. A measurement to read, not a test: no time is asserted.
#
#   bench/status_check_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-verifyroms]
#
# Environment: PROFILE (default ~/.cache/kestrelwing-tests/TODAY-0.251__unknown_-audit.KSL);
# SKIP_WORLDS=1 reuses the worlds of an earlier verifyroms_compare.sh or verify_worlds.sh run.
set -uo pipefail
export LC_ALL=C
build=$(cd "${1:?usage: status_check_bench.sh BUILD_DIR [WORK_DIR]}" && pwd)
work="${2:-/tmp/kw-verifyroms}"
here=$(cd "$(dirname "$0")" && pwd)
profile="${PROFILE:-$HOME/.cache/kestrelwing-tests/TODAY-0.251__unknown_-audit.KSL}"
[ -f "$profile" ] || { echo "no profile $profile (make it with kestrelwing-cli create-profile)"; exit 1; }
mkdir -p "$work"
work=$(cd "$work" && pwd)
if [ "${SKIP_WORLDS:-0}" != 1 ] || [ ! -d "$work/worlds/split" ]; then
  "$here/verify_worlds.sh" "$work" || exit 1
fi
cmake --build "$build" --target startup_status kestrelwing-cli -j2 >"$work/status-build.log" 2>&1 ||
  { echo "build failed: $work/status-build.log"; exit 1; }

home="$work/status-home"
kwhome="$work/status-kwhome"
rm -rf "$home" "$kwhome"
mkdir -p "$home/.mame" "$kwhome"
printf 'rompath                   %s\n' "$work/worlds/split" >"$home/.mame/mame.ini"
export HOME="$home" KESTRELWING_HOME="$kwhome/" QT_QPA_PLATFORM=offscreen
cli="$build/src/app/kestrelwing-cli"
start() { "$build/bench/startup_status" "$profile" 2>>"$work/status-bench.err"; }
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p; s/^$1=\([^ ]*\).*/\1/p" | head -1; }

echo "profile $profile ($(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)); collection $work/worlds/split"
printf '%-26s %6s %9s %9s %12s %9s %8s %10s\n' run shown_ms input_ms running check_done_ms judged alone_ms remembered
row() {  # NAME LINE
  printf '%-26s %6s %9s %9s %12s %9s %8s %10s\n' "$1" \
    "$(field shown <<<"$2")" "$(field input <<<"$2")" "$(field running_at_input <<<"$2")" \
    "$(field check_done <<<"$2")" "$(field judged <<<"$2")" "$(field alone <<<"$2")" \
    "$(field archives_remembered <<<"$2")/$(field archives_judged <<<"$2")"
}
rm -f "$kwhome/QUICKXML.DAT"
row "check on, cold memory" "$(start)"
for i in 1 2 3; do row "check on, warm memory $i" "$(start)"; done
"$cli" settings --set General.StatusCheckAtOpen=0 >/dev/null
for i in 1 2 3; do row "check off $i" "$(start)"; done
"$cli" settings --set General.StatusCheckAtOpen=1 >/dev/null
for i in 1 2 3; do
  s=$(date +%s.%N)
  "$cli" verify "$profile" --status --quick >/dev/null 2>&1
  e=$(date +%s.%N)
  awk -v s="$s" -v e="$e" -v i="$i" 'BEGIN { printf "%-26s %.0f ms\n", "verify --status --quick " i, (e - s) * 1000 }'
done
