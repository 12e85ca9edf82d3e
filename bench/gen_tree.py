#!/usr/bin/env python3
"""Makes a folder tree for the drive list benchmark with a fixed seed: FOLDERS folders below
OUT, each hung under a folder made before it (so depths vary as on a real disk), and FILES
empty files spread over them unevenly (most folders hold a few, some hold thousands).
Names are German words with umlauts, a number and an extension.
Usage: gen_tree.py OUT FILES FOLDERS"""
import os
import random
import sys

WORDS = ("Bericht Rechnung Brief Übersicht Änderungen Protokoll Notizen Angebot Straße Köln "
         "Grüße Lösung Prüfung Gebäude Äpfel Bücher Fotos Musik Daten Projekt Entwurf Archiv "
         "Vorlage Tabelle Liste Steuer Urlaub Familie Schule Arbeit Verträge Handbuch").split()
EXTENSIONS = (".txt", ".txt", ".csv", ".pdf", ".docx", ".jpg", ".html", ".log")


def main():
    out, file_count, folder_count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(20261208)
    os.makedirs(out)
    folders = [out]
    for i in range(folder_count):
        parent = folders[rng.randrange(len(folders))]
        folders.append(os.path.join(parent, f"{rng.choice(WORDS)}_{i}"))
        os.mkdir(folders[-1])
    weights = [min(rng.paretovariate(1.2), 400.0) for _ in folders]
    for i, folder in enumerate(rng.choices(folders, weights=weights, k=file_count)):
        name = f"{rng.choice(WORDS)} {i}{rng.choice(EXTENSIONS)}"
        os.close(os.open(os.path.join(folder, name), os.O_CREAT | os.O_WRONLY, 0o644))


if __name__ == "__main__":
    main()
