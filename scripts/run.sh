#!/usr/bin/env bash
# Builds the program and starts it with the current folder as its base folder.
# Shares build/ with scripts/test.sh: it builds only the three programs and leaves the
# configuration (tests included) as it finds it, so either script can run first.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
ensure_packages
configure_and_build build -- nimbra-doviruzu nimbra DeduridoZidirivovi
exec "$NIMBRA_ROOT/build/bin/nimbra-doviruzu" "$@"
