#!/usr/bin/env python3
"""Writes the seed corpus fuzz/corpus/<target>/ from a few real files.

The targets split their input with libFuzzer's FuzzedDataProvider: texts are taken from the
front (a backslash followed by another character ends one, a doubled backslash is one
backslash), numbers and flags from the back, one byte each here. The real file sits in the
middle, so each seed is that file with its framing around it."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def text(s):
    """A text as the provider reads it from the front."""
    b = s.encode("utf-8") if isinstance(s, str) else s
    return b.replace(b"\\", b"\\\\") + b"\\;"


def tail(*values):
    """Bytes for values consumed from the back, in the order they are consumed."""
    return bytes(reversed(values))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


CRLF = "\r\n"

# --- descriptor: search text, stored selection, new name; the file; update-mode flag.
umlaut_descriptor = CRLF.join([
    "PFAD_UND_ENDUNGEN= D:\\Texte\\Übersicht *.txt *.csv   ",
    "D:\\Texte\\Übersicht\\Grüße an Jörg.txt",
    "D:\\Texte\\Übersicht\\Maße und Größen.csv",
    "D:\\Texte\\Übersicht\\Sub\\Brief #2.txt",
    "",
]).encode("utf-8")
write("descriptor", "umlauts.dat", text("größen") + text("1") + text("Texte") + umlaut_descriptor + tail(0))
write("descriptor", "ansi_update.dat",
      text("brief") + text("0") + text("") + umlaut_descriptor.decode("utf-8").encode("cp1252") + tail(1))
write("descriptor", "no_header.dat",
      text("a") + text("x") + text("Ba") + b"D:\\a.txt\nD:\\b_mht.dat\nBriefe.dat\nbriefe.DAT\n" + tail(1))

# --- drivelist: folder field, extension field; the list; entry-limit flag, remember choice.
drive_list = CRLF.join([
    "C:\\Daten\\a.txt",
    "\" B.TXT",
    "\" c.csv",
    "\" Notiz ohne Endung",
    "C:\\Daten\\Sub\\Grüße.txt",
    "C:\\Datenbank\\f.txt",
    "\" g.txt",
    "",
    "\" waise.txt",
    "C:\\Daten\\Alt\\Brief.txt",
    "\" Brief.final.TXT",
]).encode("utf-8")
write("drivelist", "quote_entries.txt", text("C:\\Daten") + text("*.TXT *.csv") + drive_list + tail(0, 0))
write("drivelist", "drive_root.txt", text("C:\\") + text("*.txt") + drive_list + tail(1, 3, 1))
write("drivelist", "trailing_backslash.txt",
      text("C:\\Daten\\") + text("txt csv") + drive_list.replace(b"\r\n", b"\n") + tail(0, 5))

# --- titlepositions: the list; count of extra offsets, from-file choice, family.
positions = CRLF.join([
    "0 #D:\\Texte\\a.txt",
    "1234 #D:\\Texte\\Grüße.txt",
    "1234 #D:\\Texte\\leer.txt",
    "99999 #D:\\Texte\\Sub\\c.txt",
    "",
]).encode("utf-8")
write("titlepositions", "ansi.txt", positions + tail(0, 1, 0))
write("titlepositions", "utf8_twice.txt",
      positions.decode("utf-8").encode("utf-8").decode("latin-1").encode("utf-8") + tail(0, 1, 1))
write("titlepositions", "odd_lines.txt",
      b"12\rx #D:\\a\n-5 #b\r\n9223372036854775807 #c\n #d\n7" + tail(0, 0, 2))

# --- encoding: the content; capacity (two bytes), piece seed (four), Asia-path flag, on-disk.
frame = tail(7, 0, 1, 2, 3, 4, 0, 0)
letter = "Grüße aus Köln – Maße: 3 €\r\nZweite Zeile mit Ähre.\r\n"
write("encoding", "ansi.txt", letter.encode("cp1252") + frame)
write("encoding", "utf8.txt", letter.encode("utf-8") + frame)
write("encoding", "utf8_bom.txt", b"\xEF\xBB\xBF" + letter.encode("utf-8") + frame)
write("encoding", "utf16le.txt", b"\xFF\xFE" + letter.encode("utf-16-le") + frame)
write("encoding", "utf16le_unmarked.txt", letter.encode("utf-16-le") + frame)
write("encoding", "rtf.txt", b"{\\rtf1\\ansi Gr\\'fc\\'dfe}" + frame)

# --- streamsearch: search text; the stream; choice, options, raw text, raw stream, real
# blocks, from file, extra block size, start choice, start value (two bytes).
write("streamsearch", "ansi_raw.txt",
      text("\x00\x01\x02") + letter.encode("cp1252") + tail(5, 0, 1, 0, 1, 1, 3, 0, 0, 0))
write("streamsearch", "utf16_raw.txt",
      text("H\x00a\x00") + letter.encode("utf-16-le") + tail(0, 3, 0, 0, 1, 1, 5, 3, 10, 0))
write("streamsearch", "alphabet.txt", text("\x00\x05") + bytes(range(60)) + tail(3, 6, 1, 1, 1, 1, 2, 2, 0, 0))

# --- hitcounter: pattern; the content; windows, cross edge, before edge, filler, kind.
write("hitcounter", "ansi_letter.txt", text("grüße") + letter.encode("cp1252") + tail(0, 1, 3, ord("x"), 0))
write("hitcounter", "overlapping.txt", text("aa") + b"aAaAaaA\xC4\xE4a" + tail(1, 1, 2, ord("a"), 3))
write("hitcounter", "utf16.txt", text("Köln") + letter.encode("utf-16-le") + tail(0, 0, 0, 0, 2))

# --- settings: mode, colour value (four bytes); text, other text; the file.
ini = CRLF.join([
    "[General]",
    "Ausgewaehlte_Datenbank=3",
    "Farbe=clSkyBlue",
    "HinweistextFarbe=$00FF8000",
    "Hoehe=abc",
    "Weite=1024, 768",
    "SHoehe=\"500\"",
    "Lesezeichen_Utf8_Briefe=12",
    "",
]).encode("utf-8")
write("settings", "settings.ini", text("clHighlight") + text("Briefe") + ini + tail(1, 0, 0, 0x80, 0xFF))
term_list = CRLF.join(["Grüße", "Sie_haben_keinen_Suchtext_eingegeben!", "", "Haus", "grüße", ""]).encode("utf-8")
write("settings", "search_terms.txt", text("Haus") + text("") + term_list + tail(2, 1, 2, 3, 4))
write("settings", "search_terms_ansi.txt", text("Maß") + text("") + b"Ma\xDF\r\nK\xF6ln\r\n" + tail(3, 0, 0, 0, 0))
write("settings", "colours.txt", text("$FF00000D") + text("") + b"0x1F" + tail(0, 13, 0, 0, 0xFF))

# --- resultpage: flags, page number (two bytes), term, database, entry count, per entry a
# shape flag with its texts.
write("resultpage", "hits.txt",
      text("Grüße") + text("Briefe") + text("D:\\Texte\\Grüße an Jörg.txt") +
      text("Viele Grüße aus Köln<br>") + text("Grüße ohne Pfad <b>fett</b>") +
      tail(0, 1, 1, 0, 1, 2, 1, 1, 0))
write("resultpage", "markup_in_hit.txt",
      text("<script>") + text("\"><img src=x>") + text("D:\\a\"b<c>.txt") +
      text("<script>alert(1)</script>&amp;") + tail(1, 0, 0, 0, 0, 1, 1, 0))
