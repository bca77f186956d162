#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the release build in
# build/, then the Qt-free libraries and their tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages

configure_and_build build -DCMAKE_BUILD_TYPE=Release
# The Qt tests run without a display.
(cd "$ROOT/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS")

if [ "${SKIP_SANITIZERS:-0}" != "1" ]; then
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DUMBRINEX_SANITIZE=ON -DUMBRINEX_WITH_QT=OFF \
    -DUMBRINEX_BENCHMARKS=OFF
  (cd "$ROOT/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$JOBS")
fi
