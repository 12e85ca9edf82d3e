#!/usr/bin/env bash
# Builds the Debian package: a Release build in build-package/, then CPack.
# Prints the path of the .deb; install it with `sudo apt-get install ./<path>`.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
# dpkg-shlibdeps (dpkg-dev) and file find the package's library dependencies.
ensure_packages dpkg-dev file
build_dir="$NIMBRA_ROOT/build-package"
configure_and_build build-package -DCMAKE_BUILD_TYPE=Release -DNIMBRA_TESTS=OFF -DNIMBRA_FUZZ=OFF
rm -f "$build_dir"/nimbra-doviruzu_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=("$build_dir"/nimbra-doviruzu_*.deb)
[ -f "${deb[0]}" ] || { echo "CPack hat kein Paket erzeugt." >&2; exit 1; }
echo "${deb[0]}"
