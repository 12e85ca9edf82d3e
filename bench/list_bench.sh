#!/usr/bin/env bash
# The drive list program over a generated tree of 300,000 files in 20,000 folders, warm
# cache, against find and fdfind listing the same files. Prints the ratios and the peak
# memory of each command.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 fd-find
bench_build

tree="$BENCH_DATA/tree300k"
if [ ! -f "$tree.done" ]; then
  rm -rf "$tree"
  python3 "$NIMBRA_ROOT/bench/gen_tree.py" "$tree" 300000 20000
  touch "$tree.done"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export NIMBRA_DRIVES="T=$tree"
ours="$BENCH_BIN/DeduridoZidirivovi open T"

$ours # warm cache; its list for the check below
list="$work/Datenbank/Haupt_Dateinamen_Liste_Laufwerk_T.txt"
echo "files: find $(find "$tree" -type f | wc -l), list $(wc -l <"$list");" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo

hyperfine --warmup 3 --runs 15 --export-json "$BENCH_OUT/list.json" \
  "$ours" \
  "find $tree -type f >/dev/null" \
  "fdfind -t f -u . $tree >/dev/null" >/dev/null
echo "(GB/s: bytes of the list, $(stat -c %s "$list"), per second)"
report_hyperfine "$BENCH_OUT/list.json" "$(stat -c %s "$list")"
echo
echo "peak RSS (KiB): DeduridoZidirivovi $(peak_rss_kib $ours)," \
  "find $(peak_rss_kib find "$tree" -type f)," \
  "fdfind $(peak_rss_kib fdfind -t f -u . "$tree")"
