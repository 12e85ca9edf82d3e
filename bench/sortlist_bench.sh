#!/usr/bin/env bash
# Sorted lists of generated ANSI and UTF8 documents (100 and 500 MB; SORTLIST_SIZES="100"
# for the smaller only): `nimbra sortlist` for words and for phrases against `sort -u` on
# the same tokens, dumped one per line, under LC_ALL=C and LC_ALL=de_DE.UTF-8 (also with
# -f, which ignores case as the lists do). Warm cache, one run; prints the medians, the
# ratios to `nimbra sortlist` and the peak memory of each command.
# Goals: words faster than `LC_ALL=C sort -u`; phrases no slower than
# `LC_ALL=de_DE.UTF-8 sort -f -u`; the peak memory of nimbra does not grow with the size.
# SORTLIST_BIN=DIR takes the programs from DIR instead of building build-bench.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages hyperfine time python3 locales
if [ -n "${SORTLIST_BIN:-}" ]; then
  BENCH_BIN="$SORTLIST_BIN"
else
  bench_build
fi
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

base="$BENCH_OUT/sortlist-base"
db="$base/Datenbank"
mkdir -p "$db/Temp"
export NIMBRA_DRIVES="K=$BENCH_DATA" XDG_CONFIG_HOME="$BENCH_OUT/config"
runs="${SORTLIST_RUNS:-3}"
# The documents and tokens are read into the cache above; SORTLIST_WARMUP=0 saves the long
# warm-up runs of the 500 MB sorts.
warmup="${SORTLIST_WARMUP:-1}"

for size in ${SORTLIST_SIZES:-100 500}; do
  for family in Ansi UTF8; do
    encoding=$([ "$family" = Ansi ] && echo cp1252 || echo utf-8)
    name="Sort${family}${size}"
    document="$db/${name}_${family}Dokument.txt"
    if [ ! -f "$document" ]; then
      python3 "$NIMBRA_ROOT/bench/sortlist_gen.py" gen "$document" "$size" "$encoding"
    fi
    printf 'PFAD_UND_ENDUNGEN= K:\\Texte *.txt    \r\n' >"$db/$name.dat"
    cat "$document" >/dev/null # warm cache
    for mode in words phrases; do
      tokens="$BENCH_DATA/${name}_$mode.tokens"
      [ -f "$tokens" ] || python3 "$NIMBRA_ROOT/bench/sortlist_gen.py" tokens "$document" "$encoding" "$mode" "$tokens"
      cat "$tokens" >/dev/null
      echo "== $family document, $size MB, $mode: $(wc -l <"$tokens") tokens ($(($(wc -c <"$tokens") / 1000000)) MB)"
      ours="$BENCH_BIN/nimbra --base $base sortlist $name --mode $mode"
      commands=("$ours"
        "env LC_ALL=C sort -u -o /dev/null $tokens"
        "env LC_ALL=de_DE.UTF-8 sort -u -o /dev/null $tokens"
        "env LC_ALL=de_DE.UTF-8 sort -f -u -o /dev/null $tokens")
      json="$BENCH_OUT/sortlist_${name}_$mode.json"
      hyperfine --warmup "$warmup" --runs "$runs" --export-json "$json" "${commands[@]}" >/dev/null
      report_hyperfine "$json" "$(wc -c <"$document")"
      list="$db/${name}_Phrasen_Woerter_$([ "$family" = Ansi ] && echo Ansi || echo Utf8)Liste.txt"
      echo "list: $(wc -l <"$list") lines; distinct in sort -f -u: $(LC_ALL=de_DE.UTF-8 sort -f -u "$tokens" | wc -l)"
      for command in "${commands[@]}"; do
        # shellcheck disable=SC2086 # the commands are word lists
        echo "peak RSS $(peak_rss_kib $command) KiB: ${command:0:60}"
      done
      echo
    done
  done
done
