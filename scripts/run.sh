#!/usr/bin/env bash
# Builds the program and starts it with the current folder as its base folder.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
ensure_packages
configure_and_build build -DNIMBRA_TESTS=OFF
exec "$NIMBRA_ROOT/build/bin/nimbra-doviruzu"
