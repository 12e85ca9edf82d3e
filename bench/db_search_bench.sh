#!/usr/bin/env bash
# Searching a database of about 1 GB of documents built by `nimbra index` from a generated
# corpus (40,000 files, three encodings): `nimbra search` for a text in three files and for
# one in every tenth file, against `rg -F -i -l` over the source folder (what a search
# without a database does) and `rg -F -i -c` over the three document files. Warm cache,
# same run; prints the ratios, the number of hit files each found and the peak memory.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 ripgrep
bench_build

ensure_marked_corpus
base="$BENCH_OUT/search-base"
db="$base/Datenbank"
export NIMBRA_DRIVES="K=$corpus" XDG_CONFIG_HOME="$BENCH_OUT/config"
if [ ! -f "$db/Gross_UnicodeDokument.txt" ]; then
  rm -rf "$base"
  mkdir -p "$base"
  "$BENCH_BIN/nimbra" --base "$base" index Gross "$corpus" '*.txt' --new-list >/dev/null
fi
documents=("$db/Gross_AnsiDokument.txt" "$db/Gross_UTF8Dokument.txt"
  "$db/Gross_UnicodeDokument.txt")
size=$(cat "${documents[@]}" | wc -c)
cat "${documents[@]}" >/dev/null # warm cache
find "$corpus" -type f -print0 | xargs -0 cat >/dev/null
echo "documents: $((size / 1000000)) MB"
echo

search="$BENCH_BIN/nimbra --base $base search Gross"
for text in Seltenwort Zehntelwort; do
  ours=$($search "$text" | wc -l)
  theirs=$({ rg -F -i -l "$text" "$corpus" || true; } | wc -l)
  echo "== \"$text\": nimbra search lists $ours files, rg -l $theirs"
  json="$BENCH_OUT/dbsearch_$text.json"
  hyperfine --warmup 2 --runs 7 --ignore-failure --export-json "$json" \
    "$search $text" \
    "rg -F -i -c $text ${documents[*]}" \
    "rg -F -i -l $text $corpus" >/dev/null
  report_hyperfine "$json" "$size"
  echo "peak RSS of nimbra search: $(peak_rss_kib $search "$text") KiB"
  echo
done
