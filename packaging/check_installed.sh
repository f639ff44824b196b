#!/usr/bin/env bash
# Runs an installed tree the way a user would, so that an install that forgot a file fails:
#   packaging/check_installed.sh PREFIX [WORK_DIR]
# PREFIX/bin/kestrelwing-cli --help, make-demo (which needs lib/kestrelwing/), verify of the demo
# (which needs share/kestrelwing/), then, when PREFIX/bin/kestrelwing is there, the window on
# `--demo` under QT_QPA_PLATFORM=offscreen until it has opened the demo, ended by SIGTERM.
# Everything the programs write goes into WORK_DIR (default: a temporary directory).
set -euo pipefail
prefix=$(cd "$1" && pwd)
work=${2:-}
if [ -z "$work" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"
export KESTRELWING_HOME="$work/home"
unset KESTRELWING_DATA
cli="$prefix/bin/kestrelwing-cli"
gui="$prefix/bin/kestrelwing"

fail() {
  echo "check_installed: $*" >&2
  exit 1
}

"$cli" --help >"$work/help.txt" || fail "kestrelwing-cli --help failed"
grep -q '^  make-demo DIR' "$work/help.txt" || fail "kestrelwing-cli --help lacks make-demo"
"$cli" make-demo "$work/demo" >/dev/null || fail "make-demo failed"
"$cli" verify "$work/demo/DEMO.KSL" --report "$work/REPORT.TXT" >"$work/verify.txt" ||
  fail "verify of the demo failed"
grep -q '^FaultySets=' "$work/verify.txt" || fail "verify printed no counters"
for shipped in "$prefix"/share/kestrelwing/*; do
  cmp -s "$shipped" "$KESTRELWING_HOME/$(basename "$shipped")" ||
    fail "$(basename "$shipped") was not copied into the program directory"
done

if [ -x "$gui" ]; then
  QT_QPA_PLATFORM=offscreen "$gui" --demo 2>"$work/gui.err" &
  pid=$!
  # Opened once its current directory is the demo's emulator directory; a hang fails after
  # three minutes.
  emulator_dir=$(cd "$KESTRELWING_HOME/DEMO/emulator" 2>/dev/null && pwd -P || true)
  for _ in $(seq 1 1800); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || true
      cat "$work/gui.err" >&2
      fail "kestrelwing --demo ended by itself"
    fi
    [ -z "$emulator_dir" ] && emulator_dir=$(cd "$KESTRELWING_HOME/DEMO/emulator" 2>/dev/null && pwd -P || true)
    [ -n "$emulator_dir" ] && [ "$(readlink "/proc/$pid/cwd")" = "$emulator_dir" ] && break
    sleep 0.1
  done
  [ "$(readlink "/proc/$pid/cwd")" = "$emulator_dir" ] || {
    kill -KILL "$pid"
    fail "kestrelwing --demo never opened the demo"
  }
  kill -TERM "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "kestrelwing --demo ended with status $status after SIGTERM"
  [ -f "$KESTRELWING_HOME/DEMO/DEMO.KSL" ] || fail "kestrelwing --demo wrote no demo"
fi
echo "check_installed: $prefix works"
