#!/usr/bin/env bash
# Runs the same `nimbra` session (index, search, count, files, sortlist, update) with two
# builds on one sample database and compares everything they produce: standard output,
# standard error and exit status of every step, and every byte of the files they leave in
# the base folder (documents, lists, descriptor, result pages, sorted lists).
#
#   bench/compare_cli_output.sh REV          builds REV (a commit) and compares it with build/
#   bench/compare_cli_output.sh OLD NEW      compares two folders holding nimbra and
#                                            DeduridoZidirivovi
# Exits 0 when both builds produce the same bytes, 1 with a diff otherwise.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"

work="$(mktemp -d)"
[ -n "${NIMBRA_KEEP:-}" ] && echo "work folder: $work"
trap '[ -n "${NIMBRA_KEEP:-}" ] || rm -rf "$work"' EXIT

# build_revision REV FOLDER: nimbra and the drive list program of commit REV, in FOLDER/bin.
build_revision() {
  git -C "$NIMBRA_ROOT" worktree add -q --detach "$2/src" "$1"
  cmake -S "$2/src" -B "$2/build" -G Ninja -DNIMBRA_TESTS=OFF -DNIMBRA_BENCH=OFF >/dev/null
  cmake --build "$2/build" -j "$(nproc)" --target nimbra DeduridoZidirivovi >/dev/null
  git -C "$NIMBRA_ROOT" worktree remove --force "$2/src"
}

if [ $# -eq 1 ]; then
  ensure_packages
  build_revision "$1" "$work/old"
  old="$work/old/build/bin"
  configure_and_build build -- nimbra DeduridoZidirivovi >/dev/null
  new="$NIMBRA_ROOT/build/bin"
elif [ $# -eq 2 ]; then
  old="$(cd "$1" && pwd)"
  new="$(cd "$2" && pwd)"
else
  sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi

# The sample: German text in every class a file can have, an empty file, a file of another
# extension, nested folders and a file large enough for several read blocks.
python3 - "$work/sample/Texte" <<'PY'
import os, sys, random
root = sys.argv[1]
def put(rel, data):
    path = os.path.join(root, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    open(path, "wb").write(data)
words = ("Haus Müller Straße über Größe Ärger Öl Übung café crème Łódź Ωmega "
         "der die das und Haus-Bau Hausaufgabe HAUS haus ÜBER").split()
rng = random.Random(7)
def text(lines):
    return "\n".join(" ".join(rng.choice(words) for _ in range(rng.randint(3, 12)))
                     + "." for _ in range(lines)) + "\n"
put("ansi/brief.txt", text(40).replace("Łódź", "Lodz").replace("Ωmega", "Omega").encode("cp1252"))
put("utf8/notiz.txt", text(60).encode("utf-8"))
put("utf8/bom.txt", b"\xef\xbb\xbf" + text(30).encode("utf-8"))
put("utf16/le.txt", b"\xff\xfe" + text(30).encode("utf-16-le"))
put("utf16/be.txt", b"\xfe\xff" + text(30).encode("utf-16-be"))
put("leer.txt", b"")
put("tief/a/b/c/Haus.txt", "Das Haus am See.\r\nMüller wohnt über dem Haus.\r\n".encode("cp1252"))
put("gross/buch.txt", text(40000).encode("utf-8"))
put("anders.log", "Haus in einer anderen Endung\n".encode("utf-8"))
PY

# session BIN OUT: the steps on a fresh copy of the sample as drive D:, each step's output in
# OUT/<n>.out/.err/.status, then the base folder's files copied to OUT/base.
session() {
  local bin="$1" out="$2" base="$work/base" n=0
  rm -rf "$base" "$work/config" && mkdir -p "$out" "$work/config"
  cp -a "$work/sample" "$base"
  step() {
    n=$((n + 1))
    local status=0
    (cd "$base" && NIMBRA_DRIVES="D=$base" XDG_CONFIG_HOME="$work/config" \
      "$bin/nimbra" --base "$base" "$@") \
      >"$out/$n.out" 2>"$out/$n.err" || status=$?
    echo "$* -> $status" >"$out/$n.status"
    # A search writes its result pages over the last ones: each step's are kept.
    if [ -d "$base/Datenbank/Temp" ]; then
      mv "$base/Datenbank/Temp" "$out/$n.pages"
    fi
  }
  step index Probe "$base/Texte" '*.txt'
  step databases
  for text in Haus haus 'ÜBER' Müller crème 'Łódź' Zxqvw '#Haus'; do
    step search Probe "$text"
    step search Probe "$text" --case-sensitive --whole-words
    step count Probe "$text"
    step files Probe "$text"
  done
  step sortlist Probe --mode both
  step index Probe "$base/Texte" '*.txt;*.log' --update
  step search Probe Endung
  step count Probe Haus
  cp -a "$base" "$out/base"
  # The run time in the log is the one thing that may differ between equal runs.
  find "$out" -type f \( -name '*.log' -o -name '*.out' -o -name '*.err' \) \
    -exec sed -i -E 's/Zeit: [0-9]+:[0-9]+:[0-9]+/Zeit: -/' {} +
}

session "$old" "$work/out-old"
session "$new" "$work/out-new"
if diff -r "$work/out-old" "$work/out-new" >"$work/diff"; then
  steps=$(find "$work/out-new" -maxdepth 1 -name '*.status' | wc -l)
  files=$(find "$work/out-new/base" -type f | wc -l)
  bytes=$(du -sb "$work/out-new/base" | cut -f1)
  pages=$(find "$work/out-new" -path "*.pages/*" -type f | wc -l)
  echo "Same output: $steps steps, $pages result pages, $files files of $bytes bytes in the base folder."
else
  echo "The builds differ:"
  head -n 200 "$work/diff"
  exit 1
fi
