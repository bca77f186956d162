#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages
configure_and_build build -DCMAKE_BUILD_TYPE=Release
for program in umbrinex umbrinex-cli; do
  if [ -x "$ROOT/build/app/$program" ]; then
    if [ "$program" = umbrinex ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then continue; fi
    if [ "$program" = umbrinex-cli ]; then exec "$ROOT/build/app/$program" "$@"; fi
    exec "$ROOT/build/app/$program" "$@"
  fi
done
echo "Built the libraries and their tests; the programs are not part of this build yet."
