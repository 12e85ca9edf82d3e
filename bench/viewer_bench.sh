#!/usr/bin/env bash
# The viewer on generated 2 GB ANSI and UTF-16 documents against `less +G` and
# `less -n +G` showing the last line, and the first "Suchen" for a text that occurs about
# ten million times ("tür": "Tür" and "Haustür"). VIEWER_BENCH_MB sets another size.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages less python3
bench_build
SIZE_MB="${VIEWER_BENCH_MB:-2048}"
ANSI="$BENCH_DATA/viewer${SIZE_MB}.cp1252.txt"
UNICODE="$BENCH_DATA/viewer${SIZE_MB}.utf16.txt"
[ -f "$ANSI" ] || python3 "$NIMBRA_ROOT/bench/gen_text.py" "$ANSI" "$SIZE_MB" cp1252
if [ ! -f "$UNICODE" ]; then
  python3 - "$ANSI" "$UNICODE" <<'PY'
import sys
with open(sys.argv[1], "rb") as src, open(sys.argv[2], "wb") as out:
    out.write(b"\xff\xfe")
    while chunk := src.read(1 << 24):
        out.write(chunk.decode("cp1252").encode("utf-16-le"))
PY
fi
export NIMBRA_DRIVES="B=$BENCH_DATA"
for doc in "$ANSI:text" "$UNICODE:unicode"; do
  file="${doc%:*}"
  echo "== $(basename "$file") ($(du -h "$file" | cut -f1))"
  /usr/bin/time -f "peak RSS of the whole run: %M KiB" \
    "$BENCH_BIN/viewerbench" "$file" "${doc##*:}" "tür"
done
# less shows the ANSI document's last line; its last word marks that it got there.
last_word=$(tail -c 200 "$ANSI" | tr -s ' \r\n' '\n' | grep -av '^$' | tail -n 1)
echo "less -n +G until the last line: $(TERM=xterm python3 "$NIMBRA_ROOT/bench/lessuntil.py" "$last_word" -n +G "$ANSI") s"
echo "less +G    until the last line: $(TERM=xterm python3 "$NIMBRA_ROOT/bench/lessuntil.py" "$last_word" +G "$ANSI") s"
