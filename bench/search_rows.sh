#!/usr/bin/env bash
# Every search a user runs, each against the tool that does the same work, in one run:
#   the stream search (`nimbra find`) over a 1 GB Windows-1252 text, a case-sensitive search
#   of a rare text, the hit count of a rare, a medium and a very common text, the search for
#   a text in every file, the window's "Lokale Suche" (count, then search), a search of
#   documents not in the page cache and an update of the database. The database is built
#   from the 40,000-file, 1 GB corpus of gen_corpus.py.
# Usage: search_rows.sh [--check]
#   --check: no timing; builds a small corpus and fails unless every search and count agrees
#   with rg on it (the hit files of a search, the occurrences of a count).
#   NIMBRA_BENCH_BIN=DIR times the programs in DIR instead of building them (an older build,
#   for the figures before a change).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 ripgrep grep

check=false
[ "${1:-}" = "--check" ] && check=true
if $check; then
  configure_and_build build-bench -DCMAKE_BUILD_TYPE=Release -DNIMBRA_TESTS=OFF -- nimbra
  corpus="$BENCH_OUT/check-corpus"
  rm -rf "$corpus"
  python3 "$NIMBRA_ROOT/bench/gen_corpus.py" "$corpus" 400 8 --marked
  base="$BENCH_OUT/check-base"
else
  if [ -n "${NIMBRA_BENCH_BIN:-}" ]; then BENCH_BIN="$NIMBRA_BENCH_BIN"; else bench_build; fi
  ensure_marked_corpus
  base="$BENCH_OUT/search-base"
fi
corpus="$(cd "$corpus" && pwd -P)"
db="$base/Datenbank"
export NIMBRA_DRIVES="K=$corpus" XDG_CONFIG_HOME="$BENCH_OUT/config"
nimbra="$BENCH_BIN/nimbra --base $base"
if $check || [ ! -f "$db/Gross_UnicodeDokument.txt" ]; then
  rm -rf "$base"
  mkdir -p "$base"
  $nimbra index Gross "$corpus" '*.txt' --new-list >/dev/null
fi
documents=("$db/Gross_AnsiDokument.txt" "$db/Gross_UTF8Dokument.txt"
  "$db/Gross_UnicodeDokument.txt")

# The hit files of `nimbra search` (program paths) as folder paths, sorted.
hit_files() {
  $nimbra search Gross "$@" | cut -f1 | sed -e 's|^K:|'"$corpus"'|' -e 's|\\|/|g' | LC_ALL=C sort
}
count_of() {
  $nimbra count Gross "$1" | sed -n 's/.* wurde in der Datenbank \([0-9]*\) mal gefunden\./\1/p'
}
rg_count() {
  { rg -F -i --count-matches --no-filename "$1" "${documents[@]}" || true; } |
    awk '{ n += $1 } END { print n + 0 }'
}

if $check; then
  failed=0
  for text in Seltenwort Zehntelwort Haus; do
    for cs in "" --case-sensitive; do
      theirs=$({ rg -F -l ${cs:+--case-sensitive} ${cs:--i} "$text" "$corpus" || true; } | LC_ALL=C sort)
      if [ "$(hit_files "$text" $cs)" != "$theirs" ]; then
        echo "search $text $cs: other hit files than rg -l"
        failed=1
      fi
    done
    # rg counts matches that do not overlap; these texts cannot overlap themselves.
    if [ "$(count_of "$text")" != "$(rg_count "$text")" ]; then
      echo "count $text: $(count_of "$text"), rg $(rg_count "$text")"
      failed=1
    fi
  done
  [ $failed -eq 0 ] && echo "search and count agree with rg on $(find "$corpus" -type f | wc -l) files"
  exit $failed
fi

text1g="$BENCH_DATA/text1g.cp1252.txt"
[ -f "$text1g" ] || python3 "$NIMBRA_ROOT/bench/gen_text.py" "$text1g" 1024 cp1252
cat "$text1g" "${documents[@]}" >/dev/null
find "$corpus" -type f -print0 | xargs -0 cat >/dev/null
rows="$BENCH_OUT/rows.txt"
: >"$rows"

# row NAME OURS PEER: the median of each, warm cache, and their ratio.
row() {
  local json="$BENCH_OUT/row.json"
  hyperfine -N --warmup 2 --runs 7 --ignore-failure --export-json "$json" "$2" "$3" >/dev/null 2>&1 ||
    hyperfine --warmup 2 --runs 7 --ignore-failure --export-json "$json" "$2" "$3" >/dev/null
  python3 - "$json" "$1" >>"$rows" <<'PY'
import json, sys
r = [x["median"] for x in json.load(open(sys.argv[1]))["results"]]
print(f"{sys.argv[2]:58} {r[0]:8.3f} s {r[1]:8.3f} s {r[0] / r[1]:6.2f}")
PY
  tail -1 "$rows"
}

printf '%-58s %10s %10s %6s\n' "work" "nimbra" "peer" "ratio"
row "find 1 GB, Zxqvw, case-sensitive / rg -F -c" \
  "$BENCH_BIN/nimbra find $text1g Zxqvw --case-sensitive" "rg -F -c Zxqvw $text1g"
row "find 1 GB, Zxqvw / rg -F -c -i" "$BENCH_BIN/nimbra find $text1g Zxqvw" "rg -F -c -i Zxqvw $text1g"
row "find 1 GB, Hausarbeit, case-sensitive / rg -F -c" \
  "$BENCH_BIN/nimbra find $text1g Hausarbeit --case-sensitive" "rg -F -c Hausarbeit $text1g"
row "find 1 GB, Hausarbeit / rg -F -c -i" \
  "$BENCH_BIN/nimbra find $text1g Hausarbeit" "rg -F -c -i Hausarbeit $text1g"
row "find 1 GB, Hausarbeit / grep -F -c -i" \
  "$BENCH_BIN/nimbra find $text1g Hausarbeit" "grep -F -c -i Hausarbeit $text1g"
row "search --case-sensitive Seltenwort / rg -F -c documents" \
  "$nimbra search Gross Seltenwort --case-sensitive" "rg -F -c Seltenwort ${documents[*]}"
for text in Seltenwort Zehntelwort Haus; do
  row "count $text / rg -F -i --count-matches documents" \
    "$nimbra count Gross $text" "rg -F -i --count-matches $text ${documents[*]}"
done
row "search Haus (every file) / rg -F -i -l folder" "$nimbra search Gross Haus" "rg -F -i -l Haus $corpus"
row "Lokale Suche Haus (count + search) / rg -F -i -l folder" \
  "sh -c '$nimbra count Gross Haus >/dev/null && $nimbra search Gross Haus >/dev/null'" \
  "rg -F -i -l Haus $corpus"

if [ "$(id -u)" -eq 0 ] && [ -w /proc/sys/vm/drop_caches ]; then
  cold="$BENCH_OUT/cold.json"
  hyperfine -N --runs 5 --prepare 'sync; echo 3 > /proc/sys/vm/drop_caches' --export-json "$cold" \
    "$nimbra search Gross Seltenwort" "cat ${documents[*]}" >/dev/null 2>&1
  python3 - "$cold" >>"$rows" <<'PY'
import json, sys
r = [x["median"] for x in json.load(open(sys.argv[1]))["results"]]
print(f"{'search Seltenwort, documents not cached / cat documents':58} {r[0]:8.3f} s {r[1]:8.3f} s {r[0] / r[1]:6.2f}")
PY
  tail -1 "$rows"
else
  echo "search of documents not cached: skipped (dropping the page cache needs root)"
fi

# The update against reading the folder plus writing the documents' bytes to the disk.
documents_mib=$((($(cat "${documents[@]}" | wc -c) + 1048575) / 1048576))
floor="sh -c 'rg -F -c Zxqvwzzy $corpus >/dev/null; dd if=/dev/zero of=$BENCH_OUT/documents.bin bs=1M count=$documents_mib conv=fdatasync status=none'"
row "index --update / (rg -F -c folder + dd documents fdatasync)" \
  "$nimbra index Gross $corpus '*.txt' --update" "$floor"
rm -f "$BENCH_OUT/documents.bin"

echo
for command in "search Gross Haus" "count Gross Haus"; do
  echo "peak RSS of nimbra $command: $(peak_rss_kib $nimbra $command) KiB"
done
