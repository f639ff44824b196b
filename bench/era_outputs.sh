#!/usr/bin/env bash
# era_outputs.sh BUILD OUT: every console output of the demo collection and of the real 0.37b5
# list (profiles, list lines, reports, descriptions, command lines) into OUT, so that two builds
# can be compared with diff -r. The demo and the profiles are written at fixed places in /tmp, so
# that the paths inside the outputs are the same for both builds.
set -u
B=$1; OUT=$2; cli="$B/src/app/kestrelwing-cli"
rm -rf /tmp/era-demo /tmp/era-home "$OUT"; mkdir -p "$OUT" /tmp/era-home
export KESTRELWING_HOME=/tmp/era-home
"$cli" make-demo /tmp/era-demo > "$OUT/make-demo.txt" 2>&1
P=/tmp/era-demo/DEMO.KSL
run() { local name=$1; shift; "$cli" "$@" > "$OUT/$name.out" 2> "$OUT/$name.err"; echo "exit $?" >> "$OUT/$name.out"; }
run check check-profile $P
run dump dump-profile $P
for s in 0 1 2 3 4 5; do run list$s list $P --sort $s; run listr$s list $P --sort $s --reverse; done
run listrom list $P --romset --year --manufacturer
run profinfo profile-info $P
run verify verify $P --report $OUT/report.txt
run verifyq verify $P --quick --report $OUT/reportq.txt
run cfg emulator-config $P
run stats stats
run settings settings
run search search $P --target game --mode contain moth
for set in $("$cli" dump-profile $P | grep -o "\"Name\":\"[^\"]*\"" | cut -d\" -f4); do
  run "desc-$set" describe $P "$set"; run "qi-$set" quick-info $P "$set"; run "cmd-$set" cmdline $P "$set"
done
R="$(cd "$(dirname "$0")/.." && pwd)/../shared/realdata/listinfo/mame-0.37b5-generated"
rm -rf /tmp/era-real; mkdir -p /tmp/era-real; cp $R/listinfo.txt /tmp/era-real/
run real-parse parse-listinfo /tmp/era-real/listinfo.txt /tmp/era-real/REAL.KSL --emulator-dir /tmp/era-real --emulator-exe MAME.EXE --emulator-version "$(head -1 $R/version.txt)"
cp /tmp/era-real/REAL.KSL "$OUT/REAL.KSL"
run real-dump dump-profile /tmp/era-real/REAL.KSL
run real-list list /tmp/era-real/REAL.KSL --romset --year --manufacturer
run real-info profile-info /tmp/era-real/REAL.KSL
run real-desc describe /tmp/era-real/REAL.KSL PACMAN
cp $P "$OUT/DEMO.KSL"
sed -i 's/^Date.*//' "$OUT"/report*.txt 2>/dev/null
