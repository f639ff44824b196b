#!/usr/bin/env bash
# The installed tree under two prefixes: each works on its own, found relative to its own
# executables (packaging/check_installed.sh), and a tree that lost a shipped file names it.
#   install_tree_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "install_tree_test: $*" >&2
  exit 1
}

for prefix in "$work/first" "$work/second/deeper"; do
  cmake --install "$build" --prefix "$prefix" >/dev/null
  for f in bin/kestrelwing-cli lib/kestrelwing/kw-stand-in-emulator share/kestrelwing/HISTORY.TXT \
    share/kestrelwing/FINISH.WAV share/applications/org.kestrelwing.Kestrelwing.desktop \
    share/metainfo/org.kestrelwing.Kestrelwing.metainfo.xml \
    share/icons/hicolor/48x48/apps/org.kestrelwing.Kestrelwing.png \
    share/icons/hicolor/scalable/apps/org.kestrelwing.Kestrelwing.svg \
    share/man/man1/kestrelwing.1.gz share/man/man1/kestrelwing-cli.1.gz \
    share/bash-completion/completions/kestrelwing-cli share/doc/kestrelwing/copyright; do
    [ -f "$prefix/$f" ] || fail "$prefix/$f was not installed"
  done
done
# The first tree runs with the second moved away, and the other way round: neither reads the
# other's files nor the build tree's.
mv "$work/second" "$work/second-away"
"$source/packaging/check_installed.sh" "$work/first" "$work/run-first"
mv "$work/second-away" "$work/second"
mv "$work/first" "$work/first-away"
"$source/packaging/check_installed.sh" "$work/second/deeper" "$work/run-second"

# A shipped file missing: the command stops and names it.
rm "$work/second/deeper/share/kestrelwing/FINISH.WAV"
status=0
KESTRELWING_HOME="$work/home-broken" "$work/second/deeper/bin/kestrelwing-cli" verify \
  "$work/run-second/demo/DEMO.KSL" >/dev/null 2>"$work/broken.err" || status=$?
[ "$status" -eq 1 ] || fail "verify with a shipped file missing ended with $status, not 1"
grep -qF "$work/second/deeper/share/kestrelwing/FINISH.WAV" "$work/broken.err" ||
  fail "the missing file is not named: $(cat "$work/broken.err")"
echo "install_tree_test: both trees work, the missing file is named"
