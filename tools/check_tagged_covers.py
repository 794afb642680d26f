#!/usr/bin/python3
"""Checks the output of make_tagged_covers.py from the files alone.

    /usr/bin/python3 tools/check_tagged_covers.py OUTDIR

Every listed song reads back with mutagen; every picture beside or inside the
songs is the image it claims to be; each album's expected colour is among the
pictures a cover search could reach (the album folder, its sub-folders, a
disc folder's parent) and is reachable from no album expecting another; the
broken files match their manifest; the seeds stay small enough to fuzz.
"""

import base64
import subprocess
import sys
import tempfile
from pathlib import Path

import mutagen
from mutagen.asf import ASF
from mutagen.flac import FLAC, Picture as FlacPicture
from mutagen.mp4 import MP4
from mutagen.oggopus import OggOpus
from mutagen.oggvorbis import OggVorbis

MAGIC = (b"\xff\xd8\xff", b"\x89PNG\r\n\x1a\n")
IMAGE_SUFFIXES = {".jpg", ".jpeg", ".jpe", ".png"}
TOLERANCE = 12
SEED_LIMIT = 6 * 1024


def wm_picture_data(value):
    """Skips the type, length and two UTF-16 strings of a WM/Picture value."""
    at = 5
    for _ in range(2):
        while value[at:at + 2] != b"\0\0":
            at += 2
        at += 2
    return value[at:]


def embedded_pictures(path):
    tags = mutagen.File(path)
    if tags is None or not tags.tags:
        raise ValueError(f"{path}: no tags")
    if isinstance(tags, FLAC):
        return [picture.data for picture in tags.pictures]
    if isinstance(tags, MP4):
        return [bytes(cover) for cover in tags.get("covr", [])]
    if isinstance(tags, (OggVorbis, OggOpus)):
        return [FlacPicture(base64.b64decode(value)).data
                for value in tags.get("metadata_block_picture", [])]
    if isinstance(tags, ASF):
        return [wm_picture_data(attribute.value) for attribute in tags.get("WM/Picture", [])]
    return [frame.data for frame in tags.tags.getall("APIC")]


def centre_colours(pictures):
    """Centre pixel of each picture, decoded in one ffmpeg run."""
    with tempfile.TemporaryDirectory() as scratch:
        args, graph = [], []
        for index, data in enumerate(pictures):
            (Path(scratch) / f"{index}.img").write_bytes(data)
            args += ["-i", f"{scratch}/{index}.img"]
            graph.append(f"[{index}:v]format=rgb24,crop=1:1[o{index}]")
        outputs = []
        for index in range(len(pictures)):
            outputs += ["-map", f"[o{index}]", "-f", "rawvideo", f"{scratch}/{index}.rgb"]
        subprocess.run(["ffmpeg", "-v", "error", "-nostdin", *args,
                        "-filter_complex", ";".join(graph), *outputs], check=True)
        return [int.from_bytes((Path(scratch) / f"{index}.rgb").read_bytes(), "big")
                for index in range(len(pictures))]


def near(a, b):
    return all(abs((a >> shift & 0xFF) - (b >> shift & 0xFF)) <= TOLERANCE for shift in (16, 8, 0))


def reachable_images(library, folder):
    """Image files a cover search of the album folder may look at."""
    places = [folder] + [sub for sub in folder.iterdir() if sub.is_dir()]
    if folder.parent != library:
        places += [folder.parent] + [sub for sub in folder.parent.iterdir()
                                     if sub.is_dir() and sub != folder]
    return [path for place in places for path in place.iterdir()
            if path.suffix.lower() in IMAGE_SUFFIXES]


def check_library(library, problems):
    rows = [line.split("\t") for line in (library / "placements.tsv").read_text().splitlines()
            if not line.startswith("#")]
    candidates = {}
    for folder, _, _, songs in rows:
        pictures = [path.read_bytes() for path in reachable_images(library, library / folder)]
        for song in songs.split("|"):
            pictures += embedded_pictures(library / folder / song)
        candidates[folder] = pictures
    every = list(dict.fromkeys(data for pictures in candidates.values() for data in pictures))
    for data in every:
        if not data.startswith(MAGIC):
            problems.append(f"picture starting {data[:8].hex()} is neither JPEG nor PNG")
    colour_of = dict(zip(every, centre_colours(every)))
    for folder, expected, _, _ in rows:
        if expected == "none":
            continue
        wanted = int(expected, 16)
        if not any(near(colour_of[data], wanted) for data in candidates[folder]):
            problems.append(f"{folder}: no picture of colour {expected}")
        for other, other_expected, _, _ in rows:
            if other_expected != expected and any(near(colour_of[data], wanted)
                                                  for data in candidates[other]):
                problems.append(f"{other} can reach {folder}'s colour {expected}")
    return len(rows)


def check_broken(broken, problems):
    listed = {line.split("\t")[0] for line in (broken / "manifest.tsv").read_text().splitlines()
              if not line.startswith("#")}
    present = {path.name for path in broken.iterdir()} - {"manifest.tsv"}
    if listed != present:
        problems.append(f"broken/ and its manifest differ: {sorted(listed ^ present)}")
    if len(present) < 120:
        problems.append(f"only {len(present)} broken files")
    return len(present)


def check_seeds(seeds, problems):
    for path in sorted(seeds.iterdir()):
        if path.stat().st_size > SEED_LIMIT:
            problems.append(f"{path.name}: {path.stat().st_size} bytes")
        if not all(data.startswith(MAGIC) for data in embedded_pictures(path) or [b""]):
            problems.append(f"{path.name}: missing or bad picture")


def main(argv):
    if len(argv) != 2:
        sys.exit("usage: check_tagged_covers.py OUTDIR")
    out, problems = Path(argv[1]), []
    albums = check_library(out / "library", problems)
    broken = check_broken(out / "broken", problems)
    check_seeds(out / "seeds", problems)
    print("\n".join(problems) or f"ok: {albums} albums, {broken} broken files")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main(sys.argv)
