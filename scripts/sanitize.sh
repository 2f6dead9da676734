#!/usr/bin/env bash
# Builds the engine, rivex-batch and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), runs the tests, then runs each fuzz target for a while
# on a copy of its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}

cmake -S . -B build-san -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRIVEX_WINDOWS=OFF -DRIVEX_SANITIZE=ON -DRIVEX_FUZZ=ON
cmake --build build-san -j"$(nproc)"
ctest --test-dir build-san --output-on-failure

corpus=$(mktemp -d "${TMPDIR:-/tmp}/rivex-corpus.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
for target in notation checks reader conditions columns; do
  cp -r "tests/fuzz/corpus/$target" "$corpus/$target"
  echo "fuzz_$target: $seconds s"
  if ! build-san/tests/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$corpus/" "$corpus/$target" > "$corpus/$target.log" 2>&1; then
    tail -40 "$corpus/$target.log"
    echo "fuzz_$target found a fault"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "$corpus/$target.log"
done
echo "fuzzing: no crash"
