#!/usr/bin/env bash
# The search over a database without documents whose list holds three million paths (of
# files that are gone, so only the list itself is read): `nimbra search` against
# `nimbra files` over the same list, which streams it; warm cache, same run. Prints the
# times and the peak memory of each; the search must stay under 64 MB whatever the list.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3
bench_build

base="$BENCH_OUT/pathlist-base"
paths="${PATHLIST_COUNT:-3000000}"
mkdir -p "$base/Datenbank" "$base/Texte"
export NIMBRA_DRIVES="P=$base" XDG_CONFIG_HOME="$BENCH_OUT/config"
python3 - "$base/Datenbank/Liste.dat" "$paths" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    f.write(b"PFAD_UND_ENDUNGEN= P:\\Texte *.txt    \r\n")
    for i in range(int(sys.argv[2])):
        f.write(b"P:\\Texte\\Ordner%04d\\Datei%07d.txt\r\n" % (i // 1000, i))
PY
search=("$BENCH_BIN/nimbra" --base "$base" search Liste Suchwort)
files=("$BENCH_BIN/nimbra" --base "$base" files Liste Datei2999999)
hyperfine --warmup 1 --runs "${PATHLIST_RUNS:-5}" -i \
  --export-json "$BENCH_OUT/pathlist.json" "${search[*]}" "${files[*]}"
report_hyperfine "$BENCH_OUT/pathlist.json" "$(stat -c %s "$base/Datenbank/Liste.dat")"
echo "peak RSS: search $(peak_rss_kib "${search[@]}") KiB, files $(peak_rss_kib "${files[@]}") KiB"
