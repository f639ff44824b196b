#!/usr/bin/env bash
# The bash completion of kestrelwing-cli: commands, options, option values, profile files and
# the set names of the profile given earlier on the line.
#   bash_completion_test.sh KESTRELWING_CLI COMPLETION_FILE   (exit 77 without bash-completion)
set -uo pipefail
cli=$(realpath "$1")
completion=$(realpath "$2")
[ -f /usr/share/bash-completion/bash_completion ] || {
  echo "bash_completion_test: bash-completion is not installed (./kw installs it)"
  exit 77
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
KESTRELWING_HOME="$work/home" "$cli" make-demo "$work/demo" >/dev/null || exit 1
source /usr/share/bash-completion/bash_completion
source "$completion"
cd "$work/demo" || exit 1
status=0

# expect LINE WORDS...: completing LINE (the cursor at its end) offers exactly WORDS.
expect() {
  local line=$1
  shift
  COMP_LINE=$line
  COMP_POINT=${#line}
  read -ra COMP_WORDS <<<"$line"
  COMP_WORDS[0]=$cli
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _kestrelwing_cli "$cli" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got want
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
  want=$(printf '%s\n' "$@" | sort | xargs)
  if [ "$got" != "$want" ]; then
    echo "bash_completion_test: '$line' offers '$got', not '$want'" >&2
    status=1
  fi
}

expect "kestrelwing-cli ve" verify
expect "kestrelwing-cli --v" --version
expect "kestrelwing-cli list --s" --sort
expect "kestrelwing-cli stats --by " plays time
expect "kestrelwing-cli verify DEMO.KSL --no-VerifyR" --no-VerifyRoms
expect "kestrelwing-cli launch DE" DEMO.KSL
expect "kestrelwing-cli launch DEMO.KSL BR" BRASSOWL
expect "kestrelwing-cli describe $work/demo/DEMO.KSL MOON" MOONMOTH MOONMTHJ MOONMTHB
expect "kestrelwing-cli verify DEMO.KSL --status --sets BR" BRASSOWL
exit $status
