#!/usr/bin/env bash
# Shared set-up of the benchmarks: packages, a release build in build-bench/, data folder.
set -euo pipefail
NIMBRA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$NIMBRA_ROOT/scripts/packages.sh"
BENCH_BIN="$NIMBRA_ROOT/build-bench/bin"
BENCH_DATA="$NIMBRA_ROOT/bench/data"
BENCH_OUT="$NIMBRA_ROOT/bench/out"
mkdir -p "$BENCH_DATA" "$BENCH_OUT"

bench_build() {
  configure_and_build build-bench -DCMAKE_BUILD_TYPE=Release -DNIMBRA_TESTS=OFF
}

# ensure_marked_corpus: generates the 40,000-file, 1 GB corpus with its marked words once
# and sets `corpus` to its folder.
ensure_marked_corpus() {
  corpus="$BENCH_DATA/corpus1g"
  if [ ! -f "$corpus.done" ]; then
    rm -rf "$corpus"
    python3 "$NIMBRA_ROOT/bench/gen_corpus.py" "$corpus" 40000 1000 --marked
    touch "$corpus.done"
  fi
}

# peak_rss_kib COMMAND...: the peak resident set of one run, in KiB.
peak_rss_kib() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}'
}

# report_hyperfine JSON BYTES: median time per command, throughput, ratio to the first.
report_hyperfine() {
  python3 - "$1" "$2" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
size = int(sys.argv[2])
first = results[0]["median"]
print(f"{'command':70} {'median':>10} {'GB/s':>8} {'x first':>8}")
for r in results:
    m = r["median"]
    print(f"{r['command'][:70]:70} {m*1000:8.1f}ms {size/m/1e9:8.2f} {m/first:8.2f}")
PY
}
