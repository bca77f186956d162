#!/usr/bin/env bash
# Builds a fuzzer with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for SECONDS (default 60). TARGET is
# load_design_fuzzer (the default), seeded with design files the program
# writes, or command_line_fuzzer, seeded with the command lines in
# fuzz/command-line-seeds, or paste_table_fuzzer, which starts from nothing,
# or csv_fuzzer, seeded with the tables in fuzz/csv-seeds.
# Findings land in fuzz-findings/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
SECONDS_TO_RUN="${1:-60}"
TARGET="${2:-load_design_fuzzer}"
case "$TARGET" in
  load_design_fuzzer | command_line_fuzzer | paste_table_fuzzer | csv_fuzzer) ;;
  *)
    echo "usage: $0 [SECONDS] [load_design_fuzzer|command_line_fuzzer|paste_table_fuzzer|csv_fuzzer]" >&2
    exit 2
    ;;
esac
ensure_packages "${FUZZ_PACKAGES[@]}"
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DUMBRINEX_FUZZ=ON \
  -DUMBRINEX_SANITIZE=ON -DUMBRINEX_WITH_QT=OFF -DUMBRINEX_BENCHMARKS=OFF >/dev/null
corpus="$ROOT/build-fuzz/corpus"
[ "$TARGET" = command_line_fuzzer ] && corpus="$ROOT/build-fuzz/corpus-command-line"
[ "$TARGET" = paste_table_fuzzer ] && corpus="$ROOT/build-fuzz/corpus-paste"
[ "$TARGET" = csv_fuzzer ] && corpus="$ROOT/build-fuzz/corpus-csv"
mkdir -p "$corpus" "$ROOT/fuzz-findings"
if [ "$TARGET" = load_design_fuzzer ]; then
  cmake --build "$ROOT/build-fuzz" -j"$JOBS" --target load_design_fuzzer make_fuzz_seeds
  "$ROOT/build-fuzz/fuzz/make_fuzz_seeds" "$corpus"
  cp "$ROOT"/tests/persistence/regressions/* "$corpus"/ 2>/dev/null || true
elif [ "$TARGET" = command_line_fuzzer ]; then
  cmake --build "$ROOT/build-fuzz" -j"$JOBS" --target command_line_fuzzer
  cp "$ROOT"/fuzz/command-line-seeds/* "$corpus"/
elif [ "$TARGET" = csv_fuzzer ]; then
  cmake --build "$ROOT/build-fuzz" -j"$JOBS" --target csv_fuzzer
  cp "$ROOT"/fuzz/csv-seeds/* "$corpus"/
else
  cmake --build "$ROOT/build-fuzz" -j"$JOBS" --target paste_table_fuzzer
fi
"$ROOT/build-fuzz/fuzz/$TARGET" "$corpus" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$ROOT/fuzz-findings/" -print_final_stats=1
