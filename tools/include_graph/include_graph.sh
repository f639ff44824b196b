#!/usr/bin/env bash
# The include graph between the folders of core: for each folder, the other core folders its
# files include, with how many #include lines. With --check, prints only the includes from one
# feature folder into another that are not among the kept exceptions below, and exits 1 when
# there is any.
#
#   tools/include_graph/include_graph.sh [--check] [SRC_DIR=src]
#
# Folders: files directly in core/ and core/model/ are the bottom layer every feature may use;
# every other folder of core is a feature, which may include the bottom layer and itself only.
set -euo pipefail
check=0
if [ "${1:-}" = --check ]; then
  check=1
  shift
fi
src="${1:-$(cd "$(dirname "$0")/../.." && pwd)/src}"

# FROM TO: a feature that may include another feature, with the reason.
exceptions=(
)

cd "$src"
folder_of() {  # core/X/file.h -> X; core/file.h -> (core)
  local rest=${1#core/}
  case "$rest" in
    */*) echo "${rest%%/*}" ;;
    *) echo "(core)" ;;
  esac
}
is_bottom() { [ "$1" = "(core)" ] || [ "$1" = model ]; }

grep -rHo --include='*.h' --include='*.cpp' '^#include "core/[^"]*"' core |
  sed 's/:#include "/ /; s/"$//' |
  while read -r file target; do
    echo "$(folder_of "$file") $(folder_of "$target")"
  done | awk '$1 != $2' | sort | uniq -c | sort -k2,2 -k3,3 >/tmp/kw-include-graph.$$
trap 'rm -f /tmp/kw-include-graph.$$' EXIT

if [ "$check" = 0 ]; then
  awk '{ printf "%-10s -> %-10s %d\n", $2, $3, $1 }' /tmp/kw-include-graph.$$
  exit 0
fi
status=0
while read -r count from to; do
  is_bottom "$to" && continue
  if is_bottom "$from"; then
    echo "bottom layer includes a feature: $from -> $to ($count)"
    status=1
    continue
  fi
  kept=0
  for e in "${exceptions[@]}"; do
    [ "$e" = "$from $to" ] && kept=1
  done
  [ "$kept" = 1 ] && continue
  echo "feature includes feature: $from -> $to ($count)"
  grep -rl --include='*.h' --include='*.cpp' "^#include \"core/$to/" "core/$from" | sed 's/^/    /'
  status=1
done </tmp/kw-include-graph.$$
exit $status
