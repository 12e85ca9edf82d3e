#!/usr/bin/env bash
# The hit count over the three documents of a database built by `nimbra index` from the
# generated corpus (20,000 files, about 500 MB, three encodings): `nimbra count` for a text
# that does not occur, one in a few places and one found all the time, against
# `rg -F -i --count-matches` over the same three document files, warm cache, same run.
# rg counts only matches that do not overlap; the texts here cannot overlap themselves, so
# both totals must agree, which the script checks. Prints the ratios and the peak memory.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 ripgrep
bench_build

corpus="$BENCH_DATA/corpus"
[ -d "$corpus" ] || python3 "$NIMBRA_ROOT/bench/gen_corpus.py" "$corpus" 20000 500
base="$BENCH_OUT/count-base"
db="$base/Datenbank"
export NIMBRA_DRIVES="K=$corpus" XDG_CONFIG_HOME="$BENCH_OUT/config"

# The drive list: from the list program when it is built, otherwise written here, one
# program path per file, CR LF.
write_drive_list() {
  (cd "$corpus" && find . -type f | LC_ALL=C sort) |
    sed -e 's|^\./|K:\\|' -e 's|/|\\|g' -e 's|$|\r|' >"$db/Haupt_Dateinamen_Liste_Laufwerk_K.txt"
}

if [ ! -f "$db/Korpus_UnicodeDokument.txt" ]; then
  rm -rf "$db"
  mkdir -p "$db"
  [ -x "$BENCH_BIN/DeduridoZidirivovi" ] || write_drive_list
  "$BENCH_BIN/nimbra" --base "$base" index Korpus "$corpus" '*.txt' >/dev/null
fi
documents=("$db/Korpus_UnicodeDokument.txt" "$db/Korpus_UTF8Dokument.txt"
  "$db/Korpus_AnsiDokument.txt")
size=$(cat "${documents[@]}" | wc -c)
cat "${documents[@]}" >/dev/null # warm cache
echo "documents: $((size / 1000000)) MB"
echo

for text in Zxqvw "Wetter morgen" Haus; do
  ours=$("$BENCH_BIN/nimbra" --base "$base" count Korpus "$text" |
    sed -n 's/.* wurde in der Datenbank \([0-9]*\) mal gefunden\./\1/p')
  theirs=$({ rg -F -i --count-matches --no-filename "$text" "${documents[@]}" || true; } |
    awk '{ n += $1 } END { print n + 0 }')
  echo "== \"$text\": nimbra count $ours, rg $theirs"
  [ "$ours" = "$theirs" ] || echo "   (the totals differ)"
  json="$BENCH_OUT/count_${text// /_}.json"
  hyperfine --warmup 2 --runs 7 --ignore-failure --export-json "$json" \
    "$BENCH_BIN/nimbra --base $base count Korpus '$text'" \
    "rg -F -i --count-matches '$text' ${documents[*]}" >/dev/null
  report_hyperfine "$json" "$size"
  echo "peak RSS of nimbra count: $(peak_rss_kib "$BENCH_BIN/nimbra" --base "$base" count Korpus "$text") KiB"
  echo "peak RSS of rg:           $(peak_rss_kib rg -F -i --count-matches "$text" "${documents[@]}") KiB"
  echo
done
