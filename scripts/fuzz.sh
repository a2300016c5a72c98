#!/usr/bin/env bash
# Fuzzes every reader of outside bytes with libFuzzer: builds the fuzz targets
# with clang into build-fuzz (AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer on), then runs each for a bounded time on a scratch copy of its
# corpus, so the committed corpus (tests/fuzz/corpus) is never written. Fails
# when a target crashes, leaks, hits undefined behaviour, runs out of memory or
# hangs on an input, and says where that input was saved.
#
# usage: scripts/fuzz.sh [SECONDS_PER_TARGET (default 60)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
readers=(pack mesh config texture_name image)
build="$root/build-fuzz"

"$root/scripts/deps.sh"
# Only the fuzz targets and the libraries they link are built.
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUNABRELLE_FUZZ=ON -DLUNABRELLE_TESTS=OFF -DLUNABRELLE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target "${readers[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings="$build/fuzz-findings"
rm -rf "$findings"
mkdir -p "$findings"
failed=()
for reader in "${readers[@]}"; do
  corpus="$work/$reader"
  cp -r "$root/tests/fuzz/corpus/$reader" "$corpus"
  log="$findings/$reader.log"
  echo "fuzzing $reader for $seconds s"
  # The timeout and memory limit turn hangs and runaway allocations into findings.
  if "$build/tests/fuzz/fuzz_$reader" "$corpus" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$findings/$reader-" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | tr '\n' ' '
    echo
  else
    failed+=("$reader")
    tail -n 40 "$log"
    echo "FAIL: $reader; the input is $(ls -t "$findings/$reader-"* 2>/dev/null | head -n1), log $log"
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "FAIL: ${failed[*]}"; exit 1; }
echo "PASS: ${readers[*]} ran $seconds s each without a finding"
