#!/usr/bin/env bash
# The bash completion of nimbra against the built program: verbs, a verb's options, and the
# database names of the base folder given with --base.
set -euo pipefail
completion=$1
program_dir=$2
export PATH="$program_dir:$PATH"
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
mkdir -p "$base/Datenbank"
printf 'PFAD_UND_ENDUNGEN= D:\\ *.txt    \r\n' >"$base/Datenbank/Briefe.dat"
printf 'PFAD_UND_ENDUNGEN= D:\\ *.txt    \r\n' >"$base/Datenbank/Bilanz.dat"
export NIMBRA_DRIVES="Q=$base"
# shellcheck source=/dev/null
source "$completion"

complete_line() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _nimbra
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

expect() {
  if [ "$1" != "$2" ]; then
    echo "expected '$2', got '$1' for: $3" >&2
    exit 1
  fi
}

expect "$(complete_line nimbra s)" "search sortlist " "verbs"
expect "$(complete_line nimbra search --c)" "--case-sensitive " "search options"
expect "$(complete_line nimbra sortlist x --mode p)" "phrases " "sortlist modes"
expect "$(complete_line nimbra --base "$base" search B)" "Bilanz Briefe " "database names"
expect "$(complete_line nimbra --base "$base" count Bri)" "Briefe " "database names of count"
echo "completion: all cases pass"
