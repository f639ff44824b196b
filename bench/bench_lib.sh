# What the benchmark scripts share. `median CMD...` runs CMD $runs times under /usr/bin/time
# (calling `before_each` first when the script defines it) and prints the median wall, user
# and system seconds and the median peak resident memory; the figures go through $work/time.txt.
median() {
  local i
  for ((i = 0; i < runs; i++)); do
    if declare -F before_each >/dev/null; then before_each; fi
    /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" >/dev/null 2>&1 || true
    cat "$work/time.txt"
  done | sort -n | awk -v n="$runs" '{ w[NR]=$1; u[NR]=$2; s[NR]=$3; m[NR]=$4 }
    END { k=int((n+1)/2); printf "%6.3f s wall %6.3f s user %6.3f s sys %7.1f MiB peak\n", w[k], u[k], s[k], m[k]/1024 }'
}
