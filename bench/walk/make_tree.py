#!/usr/bin/env python3
"""Makes a deterministic folder tree of empty files for the walk benchmark.

About 500,000 files in 40,000 folders, at most 5 levels deep, with names like a real disc:
photos, music, documents, video and software, some with blanks and accents. The tree is made
once: when ROOT already holds the marker for these settings, nothing is done.

Usage: make_tree.py [ROOT] [FILES] [FOLDERS]
"""
import os
import random
import shutil
import sys
import time

SEED = 20091
MARKER = ".dravik-walk-tree"
# Share of the folders on each level below the root; the last level takes what is left.
LEVEL_SHARE = [0.0002, 0.004, 0.04, 0.24]

CATEGORIES = ["Photos", "Music", "Documents", "Videos", "Software", "Backup", "Projects",
              "Downloads"]
PLACES = ["Bergen", "Åre", "Zürich", "São Paulo", "Kraków", "Reykjavík", "Málaga", "Tromsø",
          "New York", "Paris", "Göteborg", "Côte d'Azur", "Lofoten", "Rome", "Praha"]
EVENTS = ["Holiday in", "Wedding", "Birthday", "Trip to", "Christmas", "Summer", "Hiking",
          "Concert", "Skiing in", "Weekend"]
ARTISTS = ["Sigur Rós", "Björk", "Motörhead", "Mötley Crüe", "The Beatles", "Queen",
           "Édith Piaf", "Daft Punk", "a-ha", "ABBA", "Röyksopp", "Kings of Convenience",
           "Mari Boine", "Jean-Michel Jarre", "Amália Rodrigues", "Buena Vista Social Club"]
WORDS = ["Love", "Night", "Summer", "Road", "Dance", "Rain", "Heart", "Blue", "River", "Song",
         "Light", "Dream", "Fire", "Home", "Café", "Señorita", "Über", "Déjà Vu", "Naïve",
         "Smörgåsbord", "Sky", "Ocean", "Winter", "Gold", "Garden", "Moon", "Train", "Letter"]
DOC_STEMS = ["Report", "Invoice", "Budget", "Letter to", "Minutes", "Résumé", "Contract",
             "Notes", "Tax return", "Meeting agenda", "Offer", "Manual", "Säljrapport",
             "Årsredovisning", "Übersicht", "Presentation", "Plan"]
DOC_EXT = ["doc", "docx", "pdf", "xls", "xlsx", "txt", "rtf", "ppt", "odt"]
SOFT_NAMES = ["setup", "readme", "install", "license", "data", "config", "update", "patch",
              "driver", "helper", "library", "module", "resource", "Uninstall"]
SOFT_EXT = ["exe", "dll", "ini", "txt", "cab", "msi", "dat", "sys", "inf", "chm"]
VIDEO_EXT = ["avi", "mp4", "MOV", "mkv", "mpg", "wmv"]


class Namer:
    """Picks folder and file names by category, unique within their folder."""

    def __init__(self, rng):
        self.rng = rng

    def folder(self, category, depth, index):
        r = self.rng
        if category == "Photos":
            if depth == 2:
                return str(1998 + index % 26)
            if depth == 3:
                return "%02d %s %s" % (index % 12 + 1, r.choice(EVENTS), r.choice(PLACES))
            return r.choice(["Raw", "Edited", "Selected", "Panorama", "Prints", "Day %d"
                             % (index + 1), r.choice(PLACES)])
        if category == "Music":
            if depth == 2:
                return r.choice(ARTISTS)
            if depth == 3:
                return "%s %s (%d)" % (r.choice(WORDS), r.choice(WORDS), 1965 + index % 60)
            return r.choice(["CD%d" % (index % 3 + 1), "Bonus", "Live", "Disc %d" % (index + 1)])
        if category == "Documents":
            return r.choice(["Work", "Private", "Tax %d" % (2000 + index % 25), "Letters",
                             "Förening", "Bank", "School", "Old", "Scans", "Contracts"])
        if category == "Software":
            return r.choice(["bin", "lib", "doc", "Drivers", "Tools", "Games", "Install",
                             "res", "plugins", "lang"])
        return r.choice(WORDS + PLACES + ["New Folder", "Misc", "Archive", "Temp", "Old"])

    def file(self, category, index):
        r = self.rng
        if category == "Photos":
            style = r.random()
            if style < 0.5:
                return "IMG_%04d.JPG" % (index + 1)
            if style < 0.75:
                return "DSC%05d.JPG" % (index + 1)
            if style < 0.9:
                return "P%07d.JPG" % (1010000 + index)
            return "%s %s %03d.jpg" % (r.choice(EVENTS), r.choice(PLACES), index + 1)
        if category == "Music":
            if r.random() < 0.9:
                return "%02d %s %s.mp3" % (index + 1, r.choice(WORDS), r.choice(WORDS))
            return r.choice(["folder.jpg", "cover %d.jpg" % index, "playlist %d.m3u" % index])
        if category == "Documents":
            return "%s %s %d.%s" % (r.choice(DOC_STEMS), r.choice(PLACES + WORDS),
                                    index + 1, r.choice(DOC_EXT))
        if category == "Videos":
            return "%s %s %02d.%s" % (r.choice(EVENTS), r.choice(PLACES), index + 1,
                                      r.choice(VIDEO_EXT))
        if category == "Software":
            return "%s%d.%s" % (r.choice(SOFT_NAMES), index, r.choice(SOFT_EXT))
        kind = r.random()
        if kind < 0.3:
            return "IMG_%04d.JPG" % (index + 1)
        if kind < 0.6:
            return "%02d %s.mp3" % (index + 1, r.choice(WORDS))
        return "%s %d.%s" % (r.choice(DOC_STEMS), index + 1, r.choice(DOC_EXT + SOFT_EXT))


def plan_folders(rng, folders):
    """Returns (relative path, category) for every folder below the root, level by level."""
    sizes = [max(1, round(folders * share)) for share in LEVEL_SHARE]
    sizes.append(max(0, folders - sum(sizes)))
    namer = Namer(rng)
    out = []
    parents = [("", None)]
    for depth, size in enumerate(sizes, start=1):
        # Every parent gets at least one child where possible; the rest go by chance.
        counts = [1 if i < size else 0 for i in range(len(parents))]
        for _ in range(size - sum(counts)):
            counts[rng.randrange(len(parents))] += 1
        level = []
        for (parent, category), count in zip(parents, counts):
            used = set()
            for i in range(count):
                if depth == 1:
                    cat = CATEGORIES[i % len(CATEGORIES)]
                    name = cat if i < len(CATEGORIES) else "%s %d" % (cat, i)
                else:
                    cat = category
                    name = namer.folder(cat, depth, i)
                    base, n = name, 2
                    while name.lower() in used:
                        name = "%s (%d)" % (base, n)
                        n += 1
                used.add(name.lower())
                level.append((os.path.join(parent, name) if parent else name, cat))
        out.extend(level)
        parents = level
    return out


def spread(rng, total, slots):
    """Splits `total` over `slots` unevenly (some folders full, some empty), summing exactly."""
    weights = [rng.expovariate(1.0) if rng.random() > 0.1 else 0.0 for _ in range(slots)]
    scale = total / sum(weights)
    counts = [int(w * scale) for w in weights]
    for i in sorted(range(slots), key=lambda i: weights[i] * scale - counts[i],
                    reverse=True)[:total - sum(counts)]:
        counts[i] += 1
    return counts


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "/tmp/dravik-walk-tree"
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 500000
    folders = int(sys.argv[3]) if len(sys.argv) > 3 else 40000
    stamp = "seed %d files %d folders %d\n" % (SEED, files, folders)
    marker = os.path.join(root, MARKER)
    try:
        with open(marker) as f:
            if f.read() == stamp:
                print("tree ready: %s" % root)
                return
    except OSError:
        pass
    if os.path.exists(root):
        shutil.rmtree(root)
    start = time.monotonic()
    rng = random.Random(SEED)
    plan = plan_folders(rng, folders)
    namer = Namer(rng)
    os.mkdir(root)
    # The marker is one of the tree's files; the root holds no others.
    counts = spread(rng, files - 1, len(plan))
    flags = os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_CLOEXEC
    for (path, category), count in zip(plan, counts):
        full = os.path.join(root, path)
        os.mkdir(full)
        fd = os.open(full, os.O_RDONLY | os.O_DIRECTORY)
        used = set()
        for i in range(count):
            name = namer.file(category, i)
            while name.lower() in used:
                stem, dot, ext = name.rpartition(".")
                name = "%s_%d.%s" % (stem, i, ext) if dot else name + "_"
            used.add(name.lower())
            os.close(os.open(name, flags, 0o644, dir_fd=fd))
        os.close(fd)
    with open(marker, "w") as f:
        f.write(stamp)
    print("tree made: %s, %d files in %d folders, %.1f s" % (root, files, len(plan),
                                                            time.monotonic() - start))


if __name__ == "__main__":
    main()
