#!/usr/bin/env python3
"""Helpers of sortlist_bench.sh.

gen OUT SIZE_MB ENCODING: writes a document as the indexer lays it out (blank lines, a
title line "#K:\\...", then text) in cp1252 or utf-8, with a fixed seed. The text is drawn
word by word from a vocabulary of 3,000 German-like words in three letter cases, so most
sentence pieces occur once: a list of phrases grows with the document, as with real text.

tokens DOC ENCODING MODE OUT: the entries the list builder takes from the document (words
or phrases, one per line, UTF-8), for `sort -u` to sort the same tokens. Follows the
builder's rules: trimmed lines, no rule lines, no title lines; words split at blank, tab,
comma, semicolon and colon, at least 3 characters; phrases split at comma and full stop,
with a blank and at least 4 characters."""
import random
import re
import sys

SYLLABLES = ("ge ver be ent zer ab an auf aus ein mit nach vor zu haus tür straße grü bäu "
             "köln öff üb groß schön müss hör mäd bröt käs würz fuß zeit ar beit wet ter mor "
             "gen be richt stadt land fluss was ser son ne ges tern heu te im mer wie der "
             "früh ling herbst ge müse bü cher lö sung prü fung ge bäu de").split()


def vocabulary(rng):
    words = set()
    while len(words) < 3000:
        words.add("".join(rng.choice(SYLLABLES) for _ in range(rng.randint(1, 4))))
    words = sorted(words)
    return [w for w in words] + [w.capitalize() for w in words] + [w.upper() for w in words[:300]]


def gen(out, size_mb, encoding):
    rng = random.Random(20260412)
    vocab = vocabulary(rng)
    target = size_mb * 1000 * 1000
    written = 0
    files = 0
    with open(out, "wb") as f:
        while written < target:
            files += 1
            path = f"K:\\Texte\\Ordner{files % 97}\\Datei{files}.txt"
            parts = [" \r\n \r\n \r\n#", path, "\r\n", "=" * max(0, len(path) - 10), "\r\n"]
            for _ in range(rng.randint(20, 400)):
                words = rng.choices(vocab, k=rng.randint(5, 16))
                cut = rng.randint(2, len(words) - 2)
                parts.append(" ".join(words[:cut]) + ", " + " ".join(words[cut:]) + ".\r\n")
            data = "".join(parts).encode(encoding)
            f.write(data)
            written += len(data)


WORD_SEPARATORS = re.compile(r"[ \t,;:]+")
PHRASE_SEPARATORS = re.compile(r"[,.]+")


def trimmed(text):
    return text.strip("".join(chr(c) for c in range(33)))


def tokens(doc, encoding, mode, out):
    with open(doc, "rb") as f, open(out, "w", encoding="utf-8", newline="\n") as o:
        for raw in f:
            line = trimmed(raw.decode(encoding))
            if not line or "==========" in line:
                continue
            if line.startswith("#") and line[2:4] == ":\\":
                continue
            if "----" in line or "____" in line or "****" in line:
                continue
            if mode == "words":
                if "??" in line:
                    continue
                for token in WORD_SEPARATORS.split(line):
                    token = trimmed(token)
                    if len(token) >= 3 and (len(token) <= 100 or "<" in token):
                        o.write(token + "\n")
            else:
                for token in PHRASE_SEPARATORS.split(line):
                    token = trimmed(token)
                    if " " in token and len(token) >= 4:
                        o.write(token + "\n")


if __name__ == "__main__":
    if sys.argv[1] == "gen":
        gen(sys.argv[2], int(sys.argv[3]), sys.argv[4])
    else:
        tokens(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5])
