#!/usr/bin/env bash
# Indexing the generated corpus (20,000 files, about 500 MB) from the main window under
# Xvfb, against `nimbra index` of the same database and `rg -F -c` for a text that does not
# occur, warm cache, same run. Prints the ratios and the longest time the window went
# without handling its events (the close button and the timers wait that long at most).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine python3 ripgrep xvfb xauth
bench_build

corpus="$BENCH_DATA/corpus"
[ -d "$corpus" ] || python3 "$NIMBRA_ROOT/bench/gen_corpus.py" "$corpus" 20000 500
size=$(du -sb "$corpus" | cut -f1)
base="$BENCH_OUT/window-base"
mkdir -p "$base"
export NIMBRA_DRIVES="K=$corpus" XDG_CONFIG_HOME="$BENCH_OUT/config"
# The first runs create the database and the drive list; the timed ones index it again.
rm -rf "$base/Datenbank"
"$BENCH_BIN/nimbra" --base "$base" index Korpus "$corpus" '*.txt' --new-list >/dev/null
find "$corpus" -type f -print0 | xargs -0 cat >/dev/null

window="xvfb-run -a $BENCH_BIN/windowindex $base Korpus $corpus '*.txt'"
hyperfine --warmup 1 --runs 5 --export-json "$BENCH_OUT/window_index.json" \
  "$window" \
  "$BENCH_BIN/nimbra --base $base index Korpus $corpus '*.txt' --update" \
  "rg -F -c Zxqvwzzy $corpus || true" >/dev/null
report_hyperfine "$BENCH_OUT/window_index.json" "$size"
eval "$window"
echo "(xvfb-run starts an X server, about 0.1-0.2 s of the first line: see 'xvfb-run -a true')"
hyperfine --runs 3 "xvfb-run -a true" 2>/dev/null | grep -E "Time"
