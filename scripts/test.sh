#!/usr/bin/env bash
# Builds everything with the tests and runs every test; exits non-zero on any failure and
# when no test ran. NIMBRA_BUILD_DIR and NIMBRA_CMAKE_ARGS select another build (the
# sanitizer runs of .ci/run); NIMBRA_CTEST_ARGS are passed on to ctest (-R, -L, ...).
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
ensure_packages
build_dir="${NIMBRA_BUILD_DIR:-build}"
# The tests are switched on explicitly: a build folder configured without them (by hand or
# by an older run.sh) would otherwise run no test, or stale ones.
# shellcheck disable=SC2086
configure_and_build "$build_dir" -DNIMBRA_TESTS=ON ${NIMBRA_CMAKE_ARGS:-} -- ${NIMBRA_BUILD_TARGETS:-}
cd "$NIMBRA_ROOT/$build_dir"
# shellcheck disable=SC2086
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j "$(nproc)" ${NIMBRA_CTEST_ARGS:-}
