#!/usr/bin/env bash
# Indexing a generated corpus (20,000 files, about 500 MB, three encodings, some files
# above 10 MB) with `nimbra index`, the drive list included, against reading every byte of
# the same files with rg (a text that does not occur) and with find | xargs cat. Warm
# cache, same run; prints the ratios and the peak memory of the indexing.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 ripgrep
bench_build

corpus="$BENCH_DATA/corpus"
[ -d "$corpus" ] || python3 "$NIMBRA_ROOT/bench/gen_corpus.py" "$corpus" 20000 500
size=$(du -sb "$corpus" | cut -f1)
base="$BENCH_OUT/index-base"
mkdir -p "$base"
export NIMBRA_DRIVES="K=$corpus" XDG_CONFIG_HOME="$BENCH_OUT/config"
index="$BENCH_BIN/nimbra --base $base index Korpus $corpus '*.txt' --new-list"
# The first run creates the database; the timed ones index it again.
rm -rf "$base/Datenbank"
eval "$index" >/dev/null
find "$corpus" -type f -print0 | xargs -0 cat >/dev/null

hyperfine --warmup 1 --runs 5 --ignore-failure --export-json "$BENCH_OUT/index.json" \
  "$index --update" \
  "rg -F -c Zxqvwzzy $corpus" \
  "find $corpus -type f -print0 | xargs -0 cat >/dev/null" >/dev/null
report_hyperfine "$BENCH_OUT/index.json" "$size"
echo "peak RSS of nimbra index: $(eval /usr/bin/time -v "$index --update" 2>&1 >/dev/null | awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}') KiB"
ls -la "$base/Datenbank" | grep -E "Dokument|TitelPositionen"
