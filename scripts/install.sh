#!/usr/bin/env bash
# Installs Umbrinex: without options, builds the Debian package and installs
# it with apt-get (desktop entry, file types, manual, examples and the
# Python module included); with --prefix DIR, installs into DIR instead.
set -euo pipefail
source "$(dirname "$0")/common.sh"

prefix=""
if [ "${1:-}" = "--prefix" ] && [ -n "${2:-}" ]; then
  prefix="$2"
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--prefix DIR]" >&2
  exit 2
fi

ensure_packages
configure_and_build build -DCMAKE_BUILD_TYPE=Release
if [ -n "$prefix" ]; then
  cmake --install "$ROOT/build" --prefix "$prefix"
  echo "Installed into $prefix; the Python module is in $prefix/lib/python3/dist-packages."
else
  (cd "$ROOT/build" && cpack -G DEB >/dev/null)
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y "$(ls -t "$ROOT"/build/umbrinex_*.deb | head -n 1)"
fi
