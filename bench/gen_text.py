#!/usr/bin/env python3
"""Writes German-like text of a given size with a fixed seed: words with umlauts and ß,
sentences, CR LF line ends. Full of "Haus" and its compounds, but never "Hausarbeit" nor
"Zxqvw", so that searches for those read everything.
Usage: gen_text.py OUT SIZE_MB [utf-8|cp1252]"""
import random
import sys

WORDS = ("der die das und ist nicht ein eine mit auf für von zu den im Haus Hausaufgabe "
         "Haustür Hausarzt Hausmeister Straße Grüße Bäume Köln Öffnung Übung groß schön über müssen hören Mädchen "
         "Fräulein Brötchen Käse Tür Würze außen Fuß heißen Zeitung Arbeit Wetter morgen "
         "Bericht Stadt Land Fluss Wasser Sonne gestern heute immer wieder Frühling Herbst "
         "Gemüse Bücher Kühlschrank Rücken Lösung Prüfung Gebäude Äpfel Ärger Ölfarbe").split()


def main():
    out, size_mb = sys.argv[1], int(sys.argv[2])
    encoding = sys.argv[3] if len(sys.argv) > 3 else "utf-8"
    rng = random.Random(20261207)
    target = size_mb * 1024 * 1024
    # A pool of lines, sampled repeatedly, keeps generation fast and the text varied.
    pool = []
    for _ in range(20000):
        words = [rng.choice(WORDS) for _ in range(rng.randint(4, 16))]
        words[0] = words[0].capitalize()
        pool.append((" ".join(words) + ".\r\n").encode(encoding))
    written = 0
    with open(out, "wb") as f:
        while written < target:
            chunk = b"".join(rng.choice(pool) for _ in range(4096))
            if len(chunk) > target - written:
                # Cut at a character boundary and pad, so the file stays valid text.
                chunk = chunk[: target - written]
                while chunk and chunk[-1] >= 0x80:
                    chunk = chunk[:-1]
                chunk += b" " * (target - written - len(chunk))
            f.write(chunk)
            written += len(chunk)


if __name__ == "__main__":
    main()
