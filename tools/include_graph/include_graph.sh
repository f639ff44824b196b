#!/usr/bin/env bash
# The include graph between the folders of core: for each folder, the other core folders its
# files include, with how many #include lines. With --check, prints only the includes from one
# feature folder into another that are not among the kept exceptions below, and exits 1 when
# there is any.
#
#   tools/include_graph/include_graph.sh [--check] [SRC_DIR=src]
#
# Folders: files directly in core/ and core/shared/ are the bottom layer every feature may use;
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
  # The main window's controller is where the features meet: it opens profiles, fills the list,
  # shows the quick information and starts games; the command-line window runs the launch.
  "shell browser" "shell launch" "shell profile"
  # The audit judges today's machines: the set test of a launch, the verifier and the quick
  # information's status line use its verdicts.
  "launch audit" "reports audit" "browser audit"
  # The launch starts the selected game of the list and names the picture the quick
  # information shows.
  "launch browser"
  # The set description writes a game's screen, sound and driver lines as the quick
  # information words them.
  "reports browser"
  # The preferences refill the list when its look changes and read the joystick's buttons as
  # the list reads them.
  "options browser"
)

cd "$src"
folder_of() {  # core/X/file.h -> X; core/file.h -> (core)
  local rest=${1#core/}
  case "$rest" in
    */*) echo "${rest%%/*}" ;;
    *) echo "(core)" ;;
  esac
}
is_bottom() { [ "$1" = "(core)" ] || [ "$1" = shared ]; }

graph=$(mktemp)
trap 'rm -f "$graph"' EXIT
# Every include of a core header, whatever its spacing or brackets, from every file of core.
grep -rHoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^>"]*[>"]' core |
  sed -E 's/:[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]/ /; s/[>"]$//' |
  while read -r file target; do
    case "$target" in
      core/*) echo "$(folder_of "$file") $(folder_of "$target")" ;;
      */*) # a path relative to the including file would slip past the folders above
        [ -e "$(dirname "$file")/$target" ] && echo "relative $file $target" ;;
    esac
  done | awk '$1 == "relative" || $1 != $2' | sort | uniq -c | sort -k2,2 -k3,3 >"$graph"

if [ "$check" = 0 ]; then
  awk '$2 != "relative" { printf "%-10s -> %-10s %d\n", $2, $3, $1 }' "$graph"
  exit 0
fi
status=0
used=()
while read -r count from to rest; do
  if [ "$from" = relative ]; then
    echo "include by a relative path: $to includes \"$rest\" (write it from src/)"
    status=1
    continue
  fi
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
  if [ "$kept" = 1 ]; then
    used+=("$from $to")
    continue
  fi
  echo "feature includes feature: $from -> $to ($count)"
  grep -rlE "include[[:space:]]*[<\"]core/$to/" "core/$from" | sed 's/^/    /'
  status=1
done <"$graph"
for e in "${exceptions[@]}"; do
  case " ${used[*]/%/,} " in
    *" $e,"*) ;;
    *) echo "warning: the kept exception \"$e\" is no longer used; remove it" ;;
  esac
done
exit $status
