#!/usr/bin/env bash
# Checks the #include lines of src/ and tools/ against the layer order of the README's
# layout section: a folder of src/ includes only itself and the folders listed before it,
# and the folders of the core library include no Qt header outside QtCore. tools/ may use
# the core library only. Prints every offending file and line; exits 1 when there is one.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$NIMBRA_ROOT"

# Layout lines read "    src/<folder>/   <library>   what it holds", in layer order.
layout="$(awk '/^## Layout/ { on = 1; next } /^## / { on = 0 }
  on && $1 ~ /^src\/[a-z]+\/$/ { sub(/^src\//, "", $1); sub(/\/$/, "", $1); print $1, $2 }' README.md)"
if [ -z "$layout" ]; then
  echo "check_layers: README.md has no layout lines of the form 'src/<folder>/ <library> ...'" >&2
  exit 2
fi

# Header names of every Qt module but QtCore, as they may be written bare (<QWidget>) or with
# their module (<QtWidgets/QWidget>).
qt_root="$(find /usr/include /usr/local/include -maxdepth 3 -type d -name QtCore -path '*qt6*' \
  2>/dev/null | head -n 1 | xargs -r dirname)"
if [ -z "$qt_root" ]; then
  echo "check_layers: the Qt 6 headers (qt6-base-dev) are not installed" >&2
  exit 2
fi
non_core_qt="$(mktemp)"
trap 'rm -f "$non_core_qt"' EXIT
for module in "$qt_root"/Qt*; do
  [ "$(basename "$module")" = QtCore ] && continue
  ls "$module"
done | grep -E '^Q[A-Za-z0-9]+$' | sort -u >"$non_core_qt"

# Every src/ and tools/ folder must be a layer of the README, so a new folder cannot
# escape the check by being left out.
status=0
for dir in src/*/; do
  folder="$(basename "$dir")"
  if ! grep -q "^$folder " <<<"$layout"; then
    echo "$dir: folder not listed in the README's layout section"
    status=1
  fi
done

files="$(git ls-files --cached --others --exclude-standard -- \
  'src/*.cpp' 'src/*.h' 'src/*.inl' 'tools/*.cpp' 'tools/*.h')"

awk -v layout="$layout" -v qtlist="$non_core_qt" '
  BEGIN {
    n = split(layout, lines, "\n")
    for (i = 1; i <= n; i++) {
      split(lines[i], f, " ")
      rank[f[1]] = i
      library[f[1]] = f[2]
    }
    while ((getline name < qtlist) > 0) gui_header[name] = 1
    status = 0
  }
  FNR == 1 {
    path = FILENAME
    split(path, parts, "/")
    top = parts[1]
    folder = (top == "src") ? parts[2] : "tools"
    core = (top == "tools") || (library[folder] == "nimbra_core")
  }
  /^[ \t]*#[ \t]*include[ \t]*"/ {
    target = $0
    sub(/^[^"]*"/, "", target); sub(/".*$/, "", target)
    if (index(target, "/") == 0) next
    used = target; sub(/\/.*$/, "", used)
    if (!(used in rank)) next
    if (top == "tools") {
      if (library[used] != "nimbra_core") {
        printf "%s:%d: the drive list program uses only the core library, not %s/\n", path, FNR, used
        status = 1
      }
    } else if (rank[used] > rank[folder]) {
      printf "%s:%d: %s/ includes %s/, which comes after it in the layer order of the README\n", path, FNR, folder, used
      status = 1
    }
    next
  }
  core && /^[ \t]*#[ \t]*include[ \t]*</ {
    target = $0
    sub(/^[^<]*</, "", target); sub(/>.*$/, "", target)
    module = ""
    if (target ~ /^Qt[A-Za-z]+\//) { module = target; sub(/\/.*$/, "", module) }
    if ((module != "" && module != "QtCore") || (module == "" && (target in gui_header))) {
      printf "%s:%d: the core library includes <%s>, a Qt header outside QtCore\n", path, FNR, target
      status = 1
    }
  }
  END { exit status }
' $files || status=1

if [ $status -eq 0 ]; then
  echo "Layers: $(wc -l <<<"$layout") folders, $(wc -w <<<"$files") files, no include against the order."
fi
exit $status
