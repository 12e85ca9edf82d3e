#!/usr/bin/env bash
# Indexing the generated corpus (20,000 files, about 500 MB) from the main window under
# Xvfb, against `nimbra index` of the same database and `rg -F -c` for a text that does not
# occur, warm cache, same run. Prints the ratios and the longest time the window went
# without handling its events (the close button and the timers wait that long at most).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine python3 ripgrep xvfb x11-utils
bench_build

corpus="$BENCH_DATA/corpus"
[ -d "$corpus" ] || python3 "$NIMBRA_ROOT/bench/gen_corpus.py" "$corpus" 20000 500
size=$(du -sbL "$corpus" | cut -f1)
base="$BENCH_OUT/window-base"
mkdir -p "$base"
export NIMBRA_DRIVES="K=$corpus" XDG_CONFIG_HOME="$BENCH_OUT/config"
# The first runs create the database and the drive list; the timed ones index it again.
rm -rf "$base/Datenbank"
"$BENCH_BIN/nimbra" --base "$base" index Korpus "$corpus" '*.txt' --new-list >/dev/null
find "$corpus" -type f -print0 | xargs -0 cat >/dev/null

# One X server for the whole run, as on a desktop: its start is not the window's work.
display=":$((100 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid"' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

window="$BENCH_BIN/windowindex $base Korpus $corpus '*.txt'"
# Each run writes and syncs about 500 MB: `sync` before each run lets none of them pay for
# the write-back of the one before.
hyperfine --warmup 1 --runs 5 --prepare sync --export-json "$BENCH_OUT/window_index.json" \
  "$window" \
  "$BENCH_BIN/nimbra --base $base index Korpus $corpus '*.txt' --update" \
  "rg -F -c Zxqvwzzy $corpus || true" >/dev/null
report_hyperfine "$BENCH_OUT/window_index.json" "$size"
eval "$window"
