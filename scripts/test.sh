#!/usr/bin/env bash
# Builds everything and runs every test; exits non-zero on any failure.
# NIMBRA_BUILD_DIR and NIMBRA_CMAKE_ARGS select another build (the sanitizer run of .ci/run).
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
ensure_packages
build_dir="${NIMBRA_BUILD_DIR:-build}"
# shellcheck disable=SC2086
configure_and_build "$build_dir" ${NIMBRA_CMAKE_ARGS:-}
cd "$NIMBRA_ROOT/$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 600
