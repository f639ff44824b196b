#!/usr/bin/env bash
# Every command and option that `kestrelwing-cli --help` names appears in its manual page.
#   man_page_test.sh KESTRELWING_CLI MAN_PAGE
set -euo pipefail
help=$("$1" --help)
# The page's text with roff's escaped hyphens and font changes undone.
page=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$2")
missing=()
# Commands: the words that start the help's command lines (two spaces in).
commands=$(sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' <<<"$help" | sort -u)
# Options: every --word, and the verify window's check boxes (--OPTION, --no-OPTION).
options=$(grep -oE -- '--[A-Za-z][A-Za-z-]*' <<<"$help" | sort -u)
boxes=$(sed -n '/OPTION is one of/,/^$/p' <<<"$help" | grep -oE '\b[A-Z][a-z]+([A-Z][a-z]+)+\b' |
  sort -u)
[ -n "$commands" ] && [ -n "$options" ] && [ -n "$boxes" ] || {
  echo "man_page_test: could not read the help text" >&2
  exit 1
}
for word in $commands $options $boxes; do
  grep -qF -- "$word" <<<"$page" || missing+=("$word")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "man_page_test: not in $2: ${missing[*]}" >&2
  exit 1
fi
echo "man_page_test: $(wc -w <<<"$commands $options $boxes") words found"
