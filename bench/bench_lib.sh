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

# `paired LABEL A_COMMAND B_COMMAND` runs the two shell commands in turn, A B A B ..., $runs
# pairs (after one unpaired warm-up of each), and prints one table row: the label, A's median
# wall seconds, B's, the median of the pairs' ratios A/B, and A's and B's median peak memory.
# Pairing keeps the ratio meaningful when the machine's speed drifts during the run.
paired() {
  local label="$1" a="$2" b="$3" i
  sh -c "$a" >/dev/null 2>&1 || true
  sh -c "$b" >/dev/null 2>&1 || true
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f "%e %M" -o "$work/time_a.txt" sh -c "$a" >/dev/null 2>&1 || true
    /usr/bin/time -f "%e %M" -o "$work/time_b.txt" sh -c "$b" >/dev/null 2>&1 || true
    # time puts "Command exited with non-zero status N" first when the command fails.
    echo "$(tail -n 1 "$work/time_a.txt") $(tail -n 1 "$work/time_b.txt")"
  done | awk -v n="$runs" -v label="$label" '
    function med(v,   k, t, i, j) {
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
      return v[int((n + 1) / 2)]
    }
    { aw[NR] = $1; am[NR] = $2; bw[NR] = $3; bm[NR] = $4; r[NR] = ($3 > 0 ? $1 / $3 : 0) }
    END { printf "| %s | %.3f | %.3f | %.3f | %.1f | %.1f |\n", label, med(aw), med(bw), med(r), med(am) / 1024, med(bm) / 1024 }'
}
