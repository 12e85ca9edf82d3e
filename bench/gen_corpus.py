#!/usr/bin/env python3
"""Writes a corpus of text files with a fixed seed: German-like text in Windows-1252,
UTF-8 and UTF-16 LE (with byte-order mark), mostly small files, a few above 10 MB.
With --marked, every tenth file holds the word "Zehntelwort" once and three files the
word "Seltenwort", so that searches with a known number of hit files can be timed.
Usage: gen_corpus.py OUT_DIR FILES TOTAL_MB [--marked]"""
import os
import random
import sys

WORDS = ("der die das und ist nicht ein eine mit auf für von zu den im Haus Haustür Straße "
         "Grüße Bäume Köln Öffnung Übung groß schön über müssen hören Mädchen Brötchen Käse "
         "Tür Würze Fuß Zeitung Arbeit Wetter morgen Bericht Stadt Land Fluss Wasser Sonne "
         "gestern heute immer wieder Frühling Herbst Gemüse Bücher Lösung Prüfung Gebäude").split()


def main():
    out, files, total_mb = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    marked = "--marked" in sys.argv[4:]
    rare = {files // 4, files // 2, files - 1}
    rng = random.Random(4711)
    lines = []
    for _ in range(5000):
        words = [rng.choice(WORDS) for _ in range(rng.randint(4, 14))]
        lines.append(" ".join(words).capitalize() + ".\r\n")
    large = max(1, files // 2000)
    large_size = 12 * 1024 * 1024
    small_budget = total_mb * 1024 * 1024 - large * large_size
    mean_small = max(1024, small_budget // max(1, files - large))
    for i in range(files):
        folder = os.path.join(out, f"ordner{i % 400:03d}", f"unter{i % 7}")
        os.makedirs(folder, exist_ok=True)
        size = large_size if i < large else int(rng.uniform(0.2, 1.8) * mean_small)
        kind = rng.random()
        encoding = "cp1252" if kind < 0.6 else ("utf-8" if kind < 0.9 else "utf-16-le")
        text = []
        length = 0
        while length < size:
            line = rng.choice(lines)
            text.append(line)
            length += len(line) * (2 if encoding == "utf-16-le" else 1)
        if marked and (i % 10 == 5 or i in rare):
            word = "Seltenwort" if i in rare else "Zehntelwort"
            at = rng.randrange(len(text))
            text[at] = text[at].replace(" ", f" {word} ", 1)
        data = "".join(text).encode(encoding)
        if encoding == "utf-16-le":
            data = b"\xff\xfe" + data
        with open(os.path.join(folder, f"datei{i:05d}.txt"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
