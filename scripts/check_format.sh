#!/usr/bin/env bash
# Checks the C++ files changed since BASE (a commit; default: the merge base with the
# upstream branch) and those changed in the work tree against .clang-format, with
# `clang-format --dry-run --Werror`. With BASE "all", without an upstream, or when HEAD is
# the upstream (a clean checkout in CI), every C++ file of the work tree is checked.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
ensure_packages clang-format
cd "$NIMBRA_ROOT"

base="${1:-}"
if [ -z "$base" ]; then
  base="$(git merge-base HEAD '@{upstream}' 2>/dev/null || echo all)"
  [ "$base" = "$(git rev-parse HEAD)" ] && base=all
fi
patterns=('*.cpp' '*.h' '*.inl')
if [ "$base" = all ]; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- "${patterns[@]}")
  what="every C++ file of the work tree"
else
  mapfile -t files < <({ git diff --name-only --diff-filter=d "$base" -- "${patterns[@]}"
    git ls-files --others --exclude-standard -- "${patterns[@]}"; } | sort -u)
  what="the C++ files changed since $(git rev-parse --short "$base")"
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "Format: no C++ file changed since $(git rev-parse --short "$base")."
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "Format: files above differ from .clang-format; 'clang-format -i FILE' mends them." >&2
  exit 1
fi
echo "Format: ${#files[@]} files ($what) follow .clang-format."
