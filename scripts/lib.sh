# Shared by scripts/run, scripts/test and scripts/package.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${DPV_BUILD_DIR:-$ROOT/build}

# Debian packages the build, the tests and the program need.
PACKAGES=(cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev
          xvfb x11-apps imagemagick poppler-utils fonts-liberation
          cups printer-driver-cups-pdf)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# Arguments pass to CMake's configuration.
build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}

runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "${XDG_RUNTIME_DIR}" ]; then
    export XDG_RUNTIME_DIR=$(mktemp -d /tmp/dpv-runtime.XXXXXX)
  fi
  chmod 700 "$XDG_RUNTIME_DIR"
}
