# Shared by scripts/run, scripts/test and scripts/package.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${DPV_BUILD_DIR:-$ROOT/build}

# Debian packages the build, the tests and the program need.
PACKAGES=(cmake ninja-build g++ qt6-base-dev libgtest-dev libbenchmark-dev
          xvfb x11-apps imagemagick poppler-utils fonts-liberation
          cups printer-driver-cups-pdf locales)

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

# A locale with a decimal comma for the tests that numbers ignore the locale,
# made with localedef in the build folder where the system lacks it (the
# tests find it there; without it they skip).
comma_locale() {
  locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && return 0
  local dir="$BUILD_DIR/locale"
  [ -f "$dir/de_DE.UTF-8/LC_NUMERIC" ] && return 0
  mkdir -p "$dir"
  localedef -i de_DE -f UTF-8 "$dir/de_DE.UTF-8" >/dev/null 2>&1 || true
  [ -f "$dir/de_DE.UTF-8/LC_NUMERIC" ] || echo "Could not make the de_DE.UTF-8 locale: the locale tests will skip"
}

runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "${XDG_RUNTIME_DIR}" ]; then
    export XDG_RUNTIME_DIR=$(mktemp -d /tmp/dpv-runtime.XXXXXX)
  fi
  chmod 700 "$XDG_RUNTIME_DIR"
}
