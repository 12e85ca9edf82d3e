#!/usr/bin/env bash
# The stream search over a 1 GB German Windows-1252 text, for texts that do not occur:
# rare letters (Zxqvw) and a word whose first part occurs all the time (Hausarbeit in a
# text full of Haus), with and without case. Compared in the same run with rg, grep and
# ugrep counting matches; prints each ratio and the peak memory of the search.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 ripgrep ugrep
bench_build

file="$BENCH_DATA/text1g.cp1252.txt"
[ -f "$file" ] || python3 "$NIMBRA_ROOT/bench/gen_text.py" "$file" 1024 cp1252
size=$(stat -c %s "$file")
cat "$file" >/dev/null # warm cache

for text in Zxqvw Hausarbeit; do
  for mode in sensitive insensitive; do
    if [ "$mode" = sensitive ]; then ours="--case-sensitive"; theirs=""; else ours=""; theirs="-i"; fi
    json="$BENCH_OUT/search_${text}_${mode}.json"
    echo "== $text, case-$mode"
    hyperfine --warmup 2 --runs 7 --ignore-failure --export-json "$json" \
      "$BENCH_BIN/nimbra find $file $text $ours" \
      "rg -F -c $theirs $text $file" \
      "grep -F -c $theirs $text $file" \
      "ugrep -F -c $theirs $text $file" >/dev/null
    report_hyperfine "$json" "$size"
    echo "peak RSS of nimbra find: $(peak_rss_kib "$BENCH_BIN/nimbra" find "$file" "$text" $ours) KiB"
    echo
  done
done
