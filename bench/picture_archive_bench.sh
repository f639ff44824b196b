#!/usr/bin/env bash
# Times the look-up of pictures kept in a picture folder's archive: snap/snap.zip and
# snap/snap.7z of N small PNG pictures each (default 40,000, made once in WORK_DIR), the first
# look-up (which reads the archive's directory), look-ups of pictures there and of names not
# there, a clone's look-up ending at its master's picture, and reading pictures' bytes. Not part
# of the test suite.
#
#   bench/picture_archive_bench.sh BUILD_DIR [WORK_DIR=/tmp/kw-picture-bench] [N=40000]
set -euo pipefail
build="${1:?build directory}"
work="${2:-/tmp/kw-picture-bench}"
count="${3:-40000}"
cmake --build "$build" --target picture_archive_bench >/dev/null 2>&1 || {
  echo "building the benchmark failed" >&2
  exit 1
}
bench="$build/bench/picture_archive_bench"
[ -f "$work/7z/snap/snap.7z" ] || "$bench" generate "$work" "$count"
for kind in zip 7z; do
  "$bench" lookup "$work" "$kind" "$count"
done
