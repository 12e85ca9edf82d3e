#!/usr/bin/env bash
# Checks the #include lines of src/ and tools/ against the layer order of the README's
# layout section: a folder includes only itself and the folders listed before it; the core
# tree includes no Qt header outside QtCore; tools/ uses the core tree only. Prints the
# include graph between folders (NIMBRA_LAYERS_QUIET=1 leaves it out) and fails on a cycle.
# Prints every offending file and line; exits 1 when there is one.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$NIMBRA_ROOT"

# Layout lines read "    src/<tree>/<folder>/   what it holds" or "    src/cli/   ...", in
# layer order. A folder is named by its path below src/ ("core/store").
layout="$(awk '/^## Layout/ { on = 1; next } /^## / { on = 0 }
  on && $1 ~ /^src\/(core\/[a-z]+|gui\/[a-z]+|cli)\/$/ {
    sub(/^src\//, "", $1); sub(/\/$/, "", $1); print $1 }' README.md)"
if [ -z "$layout" ]; then
  echo "check_layers: README.md has no layout lines of the form 'src/core/<folder>/ ...'" >&2
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
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for module in "$qt_root"/Qt*; do
  [ "$(basename "$module")" = QtCore ] && continue
  ls "$module"
done | grep -E '^Q[A-Za-z0-9]+$' | sort -u >"$scratch/gui_headers"

# Every folder of the trees must be a layer of the README, so a new folder cannot escape the
# check by being left out; and nothing but the trees may lie directly in src/.
status=0
for dir in src/core/*/ src/gui/*/ src/cli/; do
  folder="${dir#src/}"
  folder="${folder%/}"
  if ! grep -qx "$folder" <<<"$layout"; then
    echo "$dir: folder not listed in the README's layout section"
    status=1
  fi
done
for entry in src/*; do
  case "$entry" in
  src/core | src/gui | src/cli | src/CMakeLists.txt) ;;
  *)
    echo "$entry: src/ holds only the trees core/, gui/ and cli/"
    status=1
    ;;
  esac
done

files="$(git ls-files --cached --others --exclude-standard -- \
  'src/*.cpp' 'src/*.h' 'src/*.inl' 'tools/*.cpp' 'tools/*.h')"

# An include names a folder by its last part ("store/Utf8.h"), since each tree puts its own
# root on the include path; the parts are unique across the trees.
awk -v layout="$layout" -v qtlist="$scratch/gui_headers" -v edges="$scratch/edges" '
  BEGIN {
    n = split(layout, lines, "\n")
    for (i = 1; i <= n; i++) {
      rank[lines[i]] = i
      short = lines[i]; sub(/^(core|gui)\//, "", short)
      folder_of[short] = lines[i]
    }
    while ((getline name < qtlist) > 0) gui_header[name] = 1
    status = 0
  }
  FNR == 1 {
    path = FILENAME
    if (path ~ /^tools\//) folder = "tools"
    else if (path ~ /^src\/cli\//) folder = "cli"
    else { split(path, parts, "/"); folder = parts[2] "/" parts[3] }
    core = (folder == "tools") || (folder ~ /^core\//)
  }
  /^[ \t]*#[ \t]*include[ \t]*"/ {
    target = $0
    sub(/^[^"]*"/, "", target); sub(/".*$/, "", target)
    if (index(target, "/") == 0) next
    used = target; sub(/\/.*$/, "", used)
    if (!(used in folder_of)) next
    used = folder_of[used]
    if (used != folder) print folder, used > edges
    if (folder == "tools") {
      if (used !~ /^core\//) {
        printf "%s:%d: the drive list program uses only the core tree, not %s/\n", path, FNR, used
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
      printf "%s:%d: the core tree includes <%s>, a Qt header outside QtCore\n", path, FNR, target
      status = 1
    }
  }
  END { exit status }
' $files || status=1

# The graph between folders: each folder with the folders it includes. tsort reports a cycle.
touch "$scratch/edges"
sort -u "$scratch/edges" >"$scratch/graph"
if [ "${NIMBRA_LAYERS_QUIET:-0}" != 1 ]; then
  echo "Include graph (folder: the folders it includes):"
  awk '{ uses[$1] = uses[$1] " " $2 } END { for (f in uses) print "  " f ":" uses[f] }' \
    "$scratch/graph" | sort
fi
if ! tsort "$scratch/graph" >/dev/null 2>"$scratch/cycle"; then
  echo "The include graph has a cycle:"
  awk 'NR > 1 && /input contains a loop/ { exit } NR > 1 { sub(/^tsort: /, "  "); print }' "$scratch/cycle"
  status=1
fi

if [ $status -eq 0 ]; then
  echo "Layers: $(wc -l <<<"$layout") folders, $(wc -w <<<"$files") files, no include against the order, no cycle."
fi
exit $status
