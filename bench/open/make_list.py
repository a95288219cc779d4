#!/usr/bin/env python3
"""Writes a deterministic disc list for the open benchmark: FILES lines "folder","name" with
CR LF, breadth first like a walk, then the summary line. About 100 bytes a line, so 100,000
lines make about 10 MB. Names have blanks and accents. With --1252 the file is written in
windows-1252, as a list made on Windows would be.

Usage: make_list.py OUTPUT [FILES] [--1252]
"""
import random
import sys

SEED = 4711
PLACES = ["Bergen", "Åre", "Zürich", "São Paulo", "Kraków", "Reykjavík", "Málaga", "Tromsø",
          "New York", "Paris", "Göteborg", "Côte d'Azur", "Lofoten", "Rome", "Praha"]
EVENTS = ["Holiday in", "Wedding of Anna and Björn", "Birthday party", "Trip to",
          "Christmas at home", "Summer house", "Hiking weekend", "Concert", "Skiing in"]
ARTISTS = ["Sigur Rós", "Björk", "Motörhead", "Mötley Crüe", "The Beatles", "Queen",
           "Édith Piaf", "Daft Punk", "Röyksopp", "Kings of Convenience", "Mari Boine",
           "Jean-Michel Jarre", "Amália Rodrigues", "Buena Vista Social Club"]
WORDS = ["Love", "Night", "Summer", "Road", "Dance", "Rain", "Heart", "Blue", "River", "Song",
         "Light", "Dream", "Fire", "Home", "Café", "Señorita", "Über", "Déjà Vu", "Naïve",
         "Smörgåsbord", "Ocean", "Winter", "Gold", "Garden", "Moon", "Train", "Letter"]
DOCS = ["Annual report", "Invoice", "Budget proposal", "Letter to the board", "Minutes",
        "Résumé", "Contract draft", "Tax return", "Säljrapport", "Årsredovisning", "Übersicht"]
DOC_EXT = ["doc", "docx", "pdf", "xls", "xlsx", "txt", "rtf", "odt"]


def folder(rng):
    kind = rng.randrange(3)
    if kind == 0:
        parts = ["Photos", str(rng.randrange(1998, 2024)),
                 "%02d %s %s" % (rng.randrange(1, 13), rng.choice(EVENTS), rng.choice(PLACES)),
                 rng.choice(["Edited originals", "Raw camera files", "Selected for album"])]
    elif kind == 1:
        parts = ["Music collection", rng.choice(ARTISTS),
                 "%s and %s (%d)" % (rng.choice(WORDS), rng.choice(WORDS),
                                     rng.randrange(1965, 2024)),
                 rng.choice(["CD1", "CD2", "Bonus tracks", "Live recordings"])]
    else:
        parts = ["Documents and settings", rng.choice(["Work", "Private", "Förening"]),
                 "%s %d" % (rng.choice(DOCS), rng.randrange(2000, 2024)),
                 rng.choice(PLACES + WORDS)]
    parts.insert(0, rng.choice(["Backup 2015-03-14", "Old laptop (Dell)", "Family NAS copy"]))
    return "E:\\" + "\\".join(parts) + "\\", kind


def name(rng, kind, index):
    if kind == 0:
        if rng.random() < 0.7:
            return "IMG_%04d.JPG" % (index + 1)
        return "%s %s %03d.jpg" % (rng.choice(EVENTS), rng.choice(PLACES), index + 1)
    if kind == 1:
        return "%02d %s %s.mp3" % (index + 1, rng.choice(WORDS), rng.choice(WORDS))
    return "%s %s %d.%s" % (rng.choice(DOCS), rng.choice(PLACES), index + 1,
                            rng.choice(DOC_EXT))


def main():
    args = [a for a in sys.argv[1:] if a != "--1252"]
    if not args:
        sys.exit(__doc__)
    encoding = "cp1252" if "--1252" in sys.argv else "utf-8"
    files = int(args[1]) if len(args) > 1 else 100000
    rng = random.Random(SEED)
    lines = []
    folders = set()
    while len(lines) < files:
        where, kind = folder(rng)
        folders.add(where)
        for i in range(min(rng.randrange(1, 40), files - len(lines))):
            lines.append('"%s","%s"' % (where, name(rng, kind, i)))
    # The count of folders is not exact (parents are not counted); the view does not read it.
    lines.append("{:,} files : {:,} folders".format(files, len(folders)))
    with open(args[0], "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode(encoding))


if __name__ == "__main__":
    main()
