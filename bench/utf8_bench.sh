#!/usr/bin/env bash
# The whole-file UTF-8 test and the class decision over a 200 MB German UTF-8 text,
# against iconv validating the same file. Prints throughput and ratios, and peak memory.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3
bench_build

file="$BENCH_DATA/text200.utf8.txt"
[ -f "$file" ] || python3 "$NIMBRA_ROOT/bench/gen_text.py" "$file" 200 utf-8
size=$(stat -c %s "$file")
cat "$file" >/dev/null # warm cache

hyperfine --warmup 3 --runs 15 --export-json "$BENCH_OUT/utf8.json" \
  "$BENCH_BIN/utf8check $file" \
  "$BENCH_BIN/nimbra classify $file" \
  "iconv -f UTF-8 -t UTF-8 $file >/dev/null" >/dev/null
report_hyperfine "$BENCH_OUT/utf8.json" "$size"
echo
echo "peak RSS (KiB): utf8check $(peak_rss_kib "$BENCH_BIN/utf8check" "$file")," \
  "classify $(peak_rss_kib "$BENCH_BIN/nimbra" classify "$file")," \
  "iconv $(peak_rss_kib iconv -f UTF-8 -t UTF-8 "$file")"
