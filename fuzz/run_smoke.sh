#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one briefly. Fails without clang (./kw
# installs it).
set -uo pipefail
out="${1:?build directory}"
src="$(cd "$(dirname "$0")/.." && pwd)"
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz smoke: clang++ is not installed (./kw installs it)"
  exit 1
fi
if ! ls "$src"/fuzz/*_fuzz.cpp >/dev/null 2>&1; then
  echo "fuzz smoke: no targets"
  exit 0
fi
cmake -S "$src" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKW_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" -DKW_BUILD_TESTS=OFF -DKW_BUILD_BENCH=OFF -DKW_BUILD_UI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$out" --target kw_fuzz_all >/dev/null || exit 1
status=0
for target in "$out"/fuzz/*_fuzz; do
  name=$(basename "$target")
  corpus="$src/fuzz/corpus/${name%_fuzz}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null
  # The profile reader's memory bound shows only on files of many entries.
  max_len=""
  [ "$name" = profile_fuzz ] && max_len="-max_len=1048576"
  # A huge allocation that a library asks for on crafted input (libarchive believes the sizes a
  # 7z header declares) gets NULL above 2 GiB, as on a machine without that much memory, and the
  # library reports the error. libFuzzer's own malloc limit would otherwise stop the run at the
  # request, before the library could see it fail; only our own faults should stop the run.
  if ASAN_OPTIONS="${ASAN_OPTIONS:-}:allocator_may_return_null=1:max_allocation_size_mb=2048" \
    "$target" "$work" $max_len -max_total_time="${KW_FUZZ_SECONDS:-20}" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$out/$name-" >"$out/$name.log" 2>&1; then
    echo "fuzz smoke: $name clean"
  else
    echo "fuzz smoke: $name FAILED (see $out/$name.log)"; tail -n 30 "$out/$name.log"; status=1
  fi
  rm -rf "$work"
done
exit $status
