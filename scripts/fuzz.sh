#!/usr/bin/env bash
# Builds the design-file fuzzer with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for SECONDS (default 60), seeded
# with design files the program writes. Findings land in fuzz-findings/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
SECONDS_TO_RUN="${1:-60}"
ensure_packages "${FUZZ_PACKAGES[@]}"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUMBRINEX_FUZZ=ON \
  -DUMBRINEX_SANITIZE=ON -DUMBRINEX_WITH_QT=OFF -DUMBRINEX_BENCHMARKS=OFF >/dev/null
cmake --build "$ROOT/build-fuzz" -j"$JOBS" --target load_design_fuzzer make_fuzz_seeds
corpus="$ROOT/build-fuzz/corpus"
mkdir -p "$corpus" "$ROOT/fuzz-findings"
"$ROOT/build-fuzz/fuzz/make_fuzz_seeds" "$corpus"
cp "$ROOT"/tests/persistence/regressions/* "$corpus"/ 2>/dev/null || true
"$ROOT/build-fuzz/fuzz/load_design_fuzzer" "$corpus" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$ROOT/fuzz-findings/" -print_final_stats=1
