#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
# Sourced by run.sh and test.sh; runs `apt-get update` at most once.
set -euo pipefail

NIMBRA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev googletest
  libjpeg62-turbo-dev
  fonts-dejavu-core fonts-liberation2
  help2man
)

ensure_packages() {
  local missing=()
  local p
  for p in "${NIMBRA_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build BUILD_DIR [cmake args...] [-- targets...]
# Without targets, everything the configuration enables is built.
configure_and_build() {
  local dir="$1"
  shift
  local cmake_args=() targets=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    cmake_args+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift
  targets=("$@")
  cmake -S "$NIMBRA_ROOT" -B "$NIMBRA_ROOT/$dir" -G Ninja "${cmake_args[@]}" >/dev/null
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$NIMBRA_ROOT/$dir" -j "$(nproc)" --target "${targets[@]}"
  else
    cmake --build "$NIMBRA_ROOT/$dir" -j "$(nproc)"
  fi
}
