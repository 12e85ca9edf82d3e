#!/usr/bin/env bash
# Indexing a generated corpus (20,000 files, about 500 MB, three encodings, some files
# above 10 MB) with `nimbra index`, the drive list included, against reading every byte of
# the same files with rg (a text that does not occur), with find | xargs cat, and against
# writing the documents' bytes alone with dd. Warm cache, same run; prints the ratios and
# the peak memory of the indexing.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 ripgrep
bench_build

corpus="$BENCH_DATA/corpus"
[ -d "$corpus" ] || python3 "$NIMBRA_ROOT/bench/gen_corpus.py" "$corpus" 20000 500
corpus="$(cd "$corpus" && pwd -P)" # find and du do not follow a linked corpus folder
size=$(du -sb "$corpus" | cut -f1)
base="$BENCH_OUT/index-base"
mkdir -p "$base"
export NIMBRA_DRIVES="K=$corpus" XDG_CONFIG_HOME="$BENCH_OUT/config"
index="$BENCH_BIN/nimbra --base $base index Korpus $corpus '*.txt' --new-list"
# The first run creates the database; the timed ones index it again.
rm -rf "$base/Datenbank"
eval "$index" >/dev/null
find "$corpus" -type f -print0 | xargs -0 cat >/dev/null

# What no indexing can go below: writing the documents' bytes once over the old ones and
# forcing them to disk (dd truncates the old file as the commit replaces the documents).
documents_mib=$(( ($(cat "$base"/Datenbank/Korpus_*Dokument.txt | wc -c) + 1048575) / 1048576 ))
floor="dd if=/dev/zero of=$BENCH_OUT/documents.bin bs=1M count=$documents_mib conv=fdatasync status=none"
eval "$floor"

hyperfine --warmup 1 --runs 5 --ignore-failure --export-json "$BENCH_OUT/index.json" \
  "$index --update" \
  "rg -F -c Zxqvwzzy $corpus" \
  "find $corpus -type f -print0 | xargs -0 cat >/dev/null" \
  "$floor" >/dev/null
report_hyperfine "$BENCH_OUT/index.json" "$size"
python3 - "$BENCH_OUT/index.json" <<'PY'
import json, sys
r = [x["median"] for x in json.load(open(sys.argv[1]))["results"]]
print(f"nimbra index / rg: {r[0] / r[1]:.2f} (goal: at most 2.00)")
print(f"writing the documents alone (dd) / rg: {r[3] / r[1]:.2f}")
print(f"nimbra index less the writing alone / rg: {(r[0] - r[3]) / r[1]:.2f}")
PY
echo "peak RSS of nimbra index: $(eval /usr/bin/time -v "$index --update" 2>&1 >/dev/null | awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}') KiB"
ls -la "$base/Datenbank" | grep -E "Dokument|TitelPositionen"
rm -f "$BENCH_OUT/documents.bin"
