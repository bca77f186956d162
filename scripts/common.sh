# Shared by the scripts: package installation and the build folders.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-2}"

# Debian packages the build and the tests need.
PACKAGES=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libxlsxwriter-dev libnlopt-cxx-dev libcsv-dev python3-openpyxl libcli11-dev nlohmann-json3-dev qt6-base-dev qt6-svg-dev libgl-dev
  pybind11-dev python3-dev python3-numpy python3-dask python3-distributed python3-pandas dpkg-dev shared-mime-info
  fonts-dejavu-core poppler-utils)
# And those of the fuzzer (scripts/fuzz.sh): clang with libFuzzer's runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$ROOT/$dir" "$@" >/dev/null
  cmake --build "$ROOT/$dir" -j"$JOBS"
}
