#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the release build in
# build/, then everything again, the Qt layers and their widget tests
# included (offscreen), under AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/ (without the benchmarks and the Python module).
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages

configure_and_build build -DCMAKE_BUILD_TYPE=Release
# The Qt tests run without a display.
(cd "$ROOT/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS")

if [ "${SKIP_SANITIZERS:-0}" != "1" ]; then
  # The build runs sanitized programs too (the manual's pictures are drawn by
  # one), so the same leak suppressions hold for it.
  export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan-system.supp:print_suppressions=0"
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DUMBRINEX_SANITIZE=ON -DUMBRINEX_WITH_QT=ON \
    -DUMBRINEX_BENCHMARKS=OFF -DUMBRINEX_PYTHON=OFF
  # Only leaks of system libraries are suppressed (see the file).
  (cd "$ROOT/build-asan" && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
    UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$JOBS")
fi
