#!/usr/bin/python3
"""Writes the test data for finding album covers beside and inside songs.

    /usr/bin/python3 tools/make_tagged_covers.py OUTDIR

OUTDIR/library/   one album folder per way a cover can be placed: image files
                  named and ranked in many ways, in sub-folders and disc parents,
                  and pictures stored in the tags of every song format we read.
                  Each right cover is a flat colour used by nothing else, so a
                  test only has to compare the centre pixel of what it found
                  with placements.tsv (folder, expected RRGGBB or "none", album
                  title, songs).
OUTDIR/broken/    damaged copies of small valid tagged files (cut short, sizes
                  that lie, pictures that are empty, garbage or huge) for the
                  tag reader's robustness tests; manifest.tsv says what was done.
OUTDIR/seeds/     one small valid tagged file per format, fuzzing seeds.

Only ffmpeg (audio clips and flat images) and mutagen (tags) are used, plus a
hand-made ID3v2.2 tag, which no packaged tool writes. The output is the same
on every run: ffmpeg runs bit-exact and the garbage comes from seeded
generators.
"""

import base64
import io
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid
from concurrent.futures import ThreadPoolExecutor
from dataclasses import dataclass, field
from functools import partial
from pathlib import Path

from mutagen.asf import ASF, ASFByteArrayAttribute
from mutagen.flac import FLAC, Picture as FlacPicture
from mutagen.id3 import APIC, ID3, TALB, TIT2, TPE1, TRCK, Encoding
from mutagen.mp4 import MP4, MP4Cover
from mutagen.ogg import OggPage
from mutagen.oggopus import OggOpus
from mutagen.oggvorbis import OggVorbis

FRONT, BACK = 3, 4  # picture types shared by ID3, FLAC and WM/Picture
MIB = 1 << 20
ASF_EXTENDED_CONTENT = uuid.UUID("D2D0A440-E307-11D2-97F0-00A0C95EA850").bytes_le


# ---------------------------------------------------------------- placements

@dataclass(frozen=True)
class Image:
    """A flat-colour square picture."""
    colour: int
    side: int
    kind: str = "jpg"  # or "png"


def jpg(colour, side):
    return Image(colour, side)


def png(colour, side):
    return Image(colour, side, "png")


@dataclass
class Placement:
    folder: str
    fmt: str                              # tag style, a key of WRITERS
    expected: int | None                  # colour of the right cover
    files: dict = field(default_factory=dict)   # path under folder -> Image
    tagged: tuple = ()                    # (picture type, Image) in song tags,
    carriers: tuple | None = None         # ...of these song numbers (None: all)
    albums: tuple = ("",)                 # album folders under folder
    songs: int = 2
    album: str | None = None              # album tag; default from the folder


# Colours take channel values 0x20/0x60/0xA0/0xE0, far enough apart that JPEG
# rounding never turns one into another. Decoys are larger where the rule that
# rejects them is not file size, so a size-only ranking fails the test.
PLACEMENTS = [
    Placement("folder-jpg", "mp3v24", 0xE02020, {"folder.jpg": jpg(0xE02020, 200)}),
    Placement("upper-folder", "flac", 0x20E020, {"Folder.JPG": jpg(0x20E020, 160)}),
    Placement("upper-cover", "ogg", 0x2020E0, {"COVER.JPG": jpg(0x2020E0, 128)}),
    Placement("cover-jpeg", "m4a", 0xE0E020, {"cover.jpeg": jpg(0xE0E020, 96)}),
    Placement("front-jpe", "opus", 0xE020E0, {"front.jpe": jpg(0xE020E0, 64)}),
    Placement("front-and-back", "mp3v23", 0x20E0E0,
              {"back.jpg": jpg(0x602020, 300), "front.jpg": jpg(0x20E0E0, 120)}, songs=3),
    Placement("albumart", "wma", 0xE06020, {
        "AlbumArtSmall.jpg": jpg(0x206020, 64),
        "AlbumArt_{00000000-0000-0000-0000-000000000000}_Large.jpg": jpg(0xE06020, 300)}),
    Placement("cover-back", "mp3v24", 0x2060E0,
              {"cover_back.jpg": jpg(0x202060, 300), "scan001.jpg": jpg(0x2060E0, 100)}),
    Placement("album-title", "flac", 0xA0E020,
              {"booklet.jpg": jpg(0x606020, 300), "Harbour Lights.png": png(0xA0E020, 150)},
              album="Harbour Lights"),
    Placement("scans-subfolder", "mp3v24", 0x20A0E0,
              {"Scans/back.jpg": jpg(0xE06060, 300), "Scans/front.jpg": jpg(0x20A0E0, 140)}),
    Placement("artwork-subfolder", "ogg", 0xE020A0, {"Artwork/cover.png": png(0xE020A0, 90)}),
    Placement("multi-disc", "mp3v24", 0xA020E0, {"cover.jpg": jpg(0xA020E0, 180)},
              albums=("CD1", "CD2")),
    Placement("multi-disc-scans", "flac", 0x20E0A0, {"Scans/front.jpg": jpg(0x20E0A0, 110)},
              albums=("Disc 1",)),
    Placement("folder-over-tag", "mp3v24", 0xE0A020, {"folder.jpg": jpg(0xE0A020, 80)},
              tagged=((FRONT, jpg(0x602060, 300)),)),
    Placement("mp3-id3v24", "mp3v24", 0x60E020, tagged=((FRONT, jpg(0x60E020, 200)),)),
    # mutagen writes smaller ID3 frames first: the back cover is the smaller.
    Placement("mp3-id3v23", "mp3v23", 0xA02020,
              tagged=((BACK, jpg(0x206060, 64)), (FRONT, jpg(0xA02020, 200)))),
    Placement("mp3-id3v22", "mp3v22", 0x20A020, tagged=((FRONT, jpg(0x20A020, 100)),)),
    Placement("flac", "flac", 0x2020A0,
              tagged=((BACK, png(0x60A060, 300)), (FRONT, png(0x2020A0, 120)))),
    Placement("m4a", "m4a", 0xA0A020, tagged=((FRONT, jpg(0xA0A020, 150)),)),
    Placement("ogg-vorbis", "ogg", 0xA020A0, tagged=((FRONT, jpg(0xA020A0, 130)),)),
    Placement("opus", "opus", 0x20A0A0, tagged=((FRONT, jpg(0x20A0A0, 70)),)),
    Placement("wma", "wma", 0xE0E0A0, tagged=((FRONT, jpg(0xE0E0A0, 160)),)),
    Placement("embedded-third-song", "mp3v24", 0xA0E0E0,
              tagged=((FRONT, jpg(0xA0E0E0, 100)),), carriers=(3,), songs=3),
    Placement("embedded-fourth-song", "mp3v24", None,
              tagged=((FRONT, jpg(0x6060E0, 100)),), carriers=(4,), songs=4),
    Placement("no-cover", "mp3v24", None, songs=3),
]


def placement_images(placement):
    return list(placement.files.values()) + [image for _, image in placement.tagged]


def check_palette():
    """Every colour belongs to one placement, and each expected one is there."""
    owners = {}
    for placement in PLACEMENTS:
        colours = {image.colour for image in placement_images(placement)}
        assert placement.expected is None or placement.expected in colours, placement.folder
        for colour in colours:
            assert owners.setdefault(colour, placement.folder) == placement.folder, hex(colour)


# ------------------------------------------------------------------ ffmpeg

# ffmpeg output options per file extension. The MP3s leave ffmpeg untagged:
# mutagen, or our own ID3v2.2 writer, adds the tag.
CONTAINERS = {
    "mp3": ["-c:a", "libmp3lame", "-b:a", "16k", "-id3v2_version", "0", "-write_xing", "0"],
    "flac": ["-c:a", "flac"],
    "m4a": ["-c:a", "aac", "-b:a", "16k"],
    "ogg": ["-c:a", "libvorbis", "-q:a", "0"],
    "opus": ["-c:a", "libopus", "-b:a", "8k"],
    "wma": ["-c:a", "wmav2", "-b:a", "24k"],  # its lowest rate at 16 kHz
}
EXTENSION_OF = {"mp3v24": "mp3", "mp3v23": "mp3", "mp3v22": "mp3", "flac": "flac",
                "m4a": "m4a", "ogg": "ogg", "opus": "opus", "wma": "wma"}  # per tag style
CLIPS = {  # lavfi audio sources: songs get a tone, seeds the shortest silence
    "song": "sine=frequency=440:sample_rate=16000:duration=0.3",
    "seed": "anullsrc=r=16000:cl=mono:d=0.05",
}
BITEXACT = ["-fflags", "+bitexact", "-flags", "+bitexact", "-map_metadata", "-1"]


def ffmpeg(args):
    subprocess.run(["ffmpeg", "-v", "error", "-nostdin", "-y", *args], check=True)


def render_media(work, images):
    """Encodes every clip and image once, in two concurrent ffmpeg runs (a run
    per file would spend most of the time starting ffmpeg).
    Returns {(clip, extension) or Image: bytes}."""
    paths, audio, video, graph = {}, [], [], []
    for index, (clip, source) in enumerate(CLIPS.items()):
        audio += ["-f", "lavfi", "-i", source]
        for ext, options in CONTAINERS.items():
            path = paths[(clip, ext)] = work / f"{clip}.{ext}"
            audio += ["-map", f"{index}:a", *BITEXACT, *options, str(path)]
    for index, image in enumerate(dict.fromkeys(images)):
        path = paths[image] = work / f"{image.colour:06X}-{image.side}.{image.kind}"
        # PNGs stay RGB throughout, no round trip through YUV.
        rgb = ",format=rgb24" if image.kind == "png" else ""
        graph.append(f"color=c=0x{image.colour:06X}:s={image.side}x{image.side}{rgb}[v{index}]")
        video += ["-map", f"[v{index}]", "-frames:v", "1", *BITEXACT, str(path)]
    with ThreadPoolExecutor() as pool:
        list(pool.map(ffmpeg, (audio, ["-filter_complex", ";".join(graph), *video])))
    return {key: path.read_bytes() for key, path in paths.items()}


# -------------------------------------------------------------------- tags

@dataclass
class Song:
    artist: str
    album: str
    title: str
    track: int
    total: int


@dataclass
class Pic:
    type: int
    desc: str
    mime: str
    data: bytes
    side: int = 0


def pic_of(picture_type, image, media):
    desc = "Front cover" if picture_type == FRONT else "Back cover"
    return Pic(picture_type, desc, f"image/{'png' if image.kind == 'png' else 'jpeg'}",
               media[image], image.side)


def no_padding(_info):
    return 0


def synchsafe(value):
    return bytes((value >> shift) & 0x7F for shift in (21, 14, 7, 0))


def write_id3(path, song, pics, version):
    tags = ID3()
    for frame, text in ((TIT2, song.title), (TPE1, song.artist), (TALB, song.album),
                        (TRCK, f"{song.track}/{song.total}")):
        tags.add(frame(encoding=Encoding.LATIN1, text=text))
    for pic in pics:
        tags.add(APIC(encoding=Encoding.UTF16, mime=pic.mime, type=pic.type, desc=pic.desc,
                      data=pic.data))
    tags.save(path, v2_version=version, padding=no_padding)


def id3v22_tag(song, pics):
    def frame(frame_id, body):
        return frame_id + len(body).to_bytes(3, "big") + body

    def text(frame_id, value):
        return frame(frame_id, b"\0" + value.encode("latin-1"))

    body = b"".join([text(b"TT2", song.title), text(b"TP1", song.artist),
                     text(b"TAL", song.album), text(b"TRK", f"{song.track}/{song.total}")] +
                    [frame(b"PIC", b"\0" + (b"PNG" if pic.mime == "image/png" else b"JPG") +
                           bytes([pic.type]) + pic.desc.encode("latin-1") + b"\0" + pic.data)
                     for pic in pics])
    return b"ID3\x02\x00\x00" + synchsafe(len(body)) + body


def write_id3v22(path, song, pics):
    path.write_bytes(id3v22_tag(song, pics) + path.read_bytes())


def flac_picture(pic):
    picture = FlacPicture()
    picture.type, picture.desc, picture.mime, picture.data = pic.type, pic.desc, pic.mime, pic.data
    picture.width = picture.height = pic.side
    picture.depth = 24
    return picture


def vorbis_fields(song):
    return {"artist": song.artist, "album": song.album, "title": song.title,
            "tracknumber": str(song.track), "tracktotal": str(song.total)}


def write_flac(path, song, pics):
    tags = FLAC(path)
    tags.update(vorbis_fields(song))
    for pic in pics:
        tags.add_picture(flac_picture(pic))
    tags.save(padding=no_padding)


def picture_value(pic):
    return base64.b64encode(flac_picture(pic).write()).decode("ascii")


def write_ogg(path, song, pics, kind=OggVorbis, values=None):
    """Vorbis comments with METADATA_BLOCK_PICTURE; values replace the encoded pictures."""
    tags = kind(path)
    tags.update(vorbis_fields(song))
    values = values if values is not None else [picture_value(pic) for pic in pics]
    if values:
        tags["metadata_block_picture"] = values
    tags.save(padding=no_padding)


def write_m4a(path, song, pics):
    tags = MP4(path)
    tags.update({"\xa9ART": [song.artist], "\xa9alb": [song.album], "\xa9nam": [song.title],
                 "trkn": [(song.track, song.total)]})
    if pics:
        tags["covr"] = [MP4Cover(pic.data, MP4Cover.FORMAT_PNG if pic.mime == "image/png"
                                 else MP4Cover.FORMAT_JPEG) for pic in pics]
    tags.save(padding=no_padding)


def utf16z(text):
    return (text + "\0").encode("utf-16-le")


def wm_picture(pic):
    return (struct.pack("<BI", pic.type, len(pic.data)) + utf16z(pic.mime) + utf16z(pic.desc)
            + pic.data)


def write_wma(path, song, pics, values=None):
    """WM/Picture attributes; values replace the encoded pictures."""
    tags = ASF(path)
    tags.update({"Title": song.title, "Author": song.artist, "WM/AlbumTitle": song.album,
                 "WM/TrackNumber": str(song.track)})
    values = values if values is not None else [wm_picture(pic) for pic in pics]
    if values:
        tags["WM/Picture"] = [ASFByteArrayAttribute(value) for value in values]
    tags.save(padding=no_padding)


WRITERS = {
    "mp3v24": partial(write_id3, version=4),
    "mp3v23": partial(write_id3, version=3),
    "mp3v22": write_id3v22,
    "flac": write_flac,
    "m4a": write_m4a,
    "ogg": write_ogg,
    "opus": partial(write_ogg, kind=OggOpus),
    "wma": write_wma,
}


def write_song(path, fmt, clip, song, pics, media, **options):
    path.write_bytes(media[(clip, EXTENSION_OF[fmt])])
    WRITERS[fmt](path, song, pics, **options)


# ----------------------------------------------------------------- library

def album_title(placement, album):
    if placement.album:
        return placement.album
    words = " ".join(part for part in (placement.folder, album) if part).replace("-", " ").split()
    return " ".join(word[:1].upper() + word[1:] for word in words)


def write_album(folder, placement, album, media):
    """Writes the songs of one album; returns their file names in track order."""
    folder.mkdir(parents=True, exist_ok=True)
    names = []
    for track in range(1, placement.songs + 1):
        name = f"{track:02d} Song.{EXTENSION_OF[placement.fmt]}"
        song = Song("Coverhall Tests", album_title(placement, album), f"Song {track}", track,
                    placement.songs)
        carries = placement.carriers is None or track in placement.carriers
        pics = [pic_of(kind, image, media) for kind, image in placement.tagged] if carries else []
        write_song(folder / name, placement.fmt, "song", song, pics, media)
        names.append(name)
    return names


def write_library(root, media):
    rows = ["# folder\texpected\ttitle\tsongs"]
    for placement in PLACEMENTS:
        base = root / placement.folder
        for relative, image in placement.files.items():
            (base / relative).parent.mkdir(parents=True, exist_ok=True)
            (base / relative).write_bytes(media[image])
        for album in placement.albums:
            names = write_album(base / album, placement, album, media)
            expected = "none" if placement.expected is None else f"{placement.expected:06X}"
            folder = "/".join(part for part in (placement.folder, album) if part)
            title = album_title(placement, album)
            rows.append(f"{folder}\t{expected}\t{title}\t{'|'.join(names)}")
    (root / "placements.tsv").write_text("\n".join(rows) + "\n")


# ------------------------------------------------------------ seeds, broken

SPECIMEN_IMAGE = jpg(0xE0A0E0, 8)
SPECIMEN_SONG = Song("Seed Artist", "Seed Album", "Seed", 1, 1)
SEED_FORMATS = ("mp3v24", "mp3v22", "flac", "m4a", "ogg", "opus", "wma")


def specimen(work, fmt, media, pics=None, **options):
    """A small valid tagged file of fmt, returned as bytes."""
    path = work / f"specimen.{EXTENSION_OF[fmt]}"
    if pics is None:
        pics = [pic_of(FRONT, SPECIMEN_IMAGE, media)]
    write_song(path, fmt, "seed", SPECIMEN_SONG, pics, media, **options)
    return path.read_bytes()


def be(data, at, width):
    return int.from_bytes(data[at:at + width], "big")


def patch(data, at, replacement):
    return data[:at] + replacement + data[at + len(replacement):]


# A size field's encoding: "synchsafe" or (byte order, width in bytes).
SYNCHSAFE = "synchsafe"


def encode(value, kind):
    """Values wider than the field keep their top bits (0x7FFFFFFF -> 0x7FFF)."""
    if kind == SYNCHSAFE:
        return synchsafe(value) if value < 1 << 28 else value.to_bytes(4, "big")
    order, width = kind
    if value >> (8 * width):
        value >>= 32 - 8 * width
    return value.to_bytes(width, order)


def size_claims(data, what, desc, at, kind, counted_from):
    """The size field at `at`, counting from `counted_from`, declaring 0, 1,
    one byte past the end of data, and the largest sizes."""
    for label, value in (("0", 0), ("1", 1), ("past-end", len(data) - counted_from + 1),
                         ("max-signed", 0x7FFFFFFF), ("max", 0xFFFFFFFF)):
        field_bytes = encode(value, kind)
        yield f"{what}-{label}", patch(data, at, field_bytes), \
            f"{desc} set to {field_bytes.hex()} ({label})"


def cuts(data, points):
    for where, at in points.items():
        yield f"cut-{where}", data[:at], \
            f"cut to {at} of {len(data)} bytes, {where.replace('-', ' ')}"


def id3_cases(data, version, picture):
    frame_id, head, kind = {2: (b"PIC", 6, ("big", 3)), 3: (b"APIC", 10, ("big", 4)),
                            4: (b"APIC", 10, SYNCHSAFE)}[version]
    tag_end = 10 + sum(b << shift for b, shift in zip(data[6:10], (21, 14, 7, 0)))
    frame = data.index(frame_id, 10)
    start = data.index(picture, frame)
    yield from cuts(data, {"in-tag-header": 6, "in-frame-header": frame + head // 2,
                           "in-picture": start + len(picture) // 2, "after-tag": tag_end})
    yield from size_claims(data, "tag-size", "ID3v2 tag size", 6, SYNCHSAFE, 10)
    yield from size_claims(data, "frame-size", f"{frame_id.decode()} frame size",
                           frame + len(frame_id), kind, frame + head)
    claim = 0xFFFFFF if version == 2 else 20 * MIB  # three size bytes stop short of 20 MiB
    huge = patch(data, frame + len(frame_id), encode(claim, kind))
    yield "picture-20mb", patch(huge, 6, synchsafe(frame + head + claim - 10)), \
        f"{frame_id.decode()} frame size {claim:#x}, tag size grown to hold it"
    if version > 2:
        yield "extended-header-flag", patch(data, 5, b"\x40"), \
            "extended header flag set, no extended header present"


def flac_picture_fields(block, at):
    """Offsets of the length fields of a PICTURE block body starting at `at`."""
    mime = be(block, at + 4, 4)
    desc_at = at + 8 + mime
    return {"mime": at + 4, "desc": desc_at, "data": desc_at + 4 + be(block, desc_at, 4) + 16}


def flac_cases(data, picture):
    at = 4
    while data[at] & 0x7F != 6:  # walk the metadata blocks to the PICTURE
        at += 4 + be(data, at + 1, 3)
    end = at + 4 + be(data, at + 1, 3)
    fields = flac_picture_fields(data, at + 4)
    start = data.index(picture, at)
    yield from cuts(data, {"in-stream-header": 6, "in-block-header": at + 2,
                           "in-picture": start + len(picture) // 2, "after-tag": end})
    yield from size_claims(data, "block-size", "PICTURE block length", at + 1, ("big", 3), at + 4)
    yield from size_claims(data, "data-size", "PICTURE data length", fields["data"], ("big", 4),
                           fields["data"] + 4)
    yield from size_claims(data, "mime-size", "PICTURE MIME length", fields["mime"], ("big", 4),
                           fields["mime"] + 4)
    yield "desc-size-max", patch(data, fields["desc"], b"\xff" * 4), \
        "PICTURE description length ffffffff"
    yield "picture-20mb", patch(data, fields["data"], (20 * MIB).to_bytes(4, "big")), \
        "PICTURE data length 20 MiB"


MP4_PATH = (b"moov", b"udta", b"meta", b"ilst", b"covr", b"data")


def mp4_atom(name, body):
    return (8 + len(body)).to_bytes(4, "big") + name + body


def mp4_path(data):
    """Offsets of the atoms leading to the cover's data atom."""
    offsets, at, end = [], 0, len(data)
    for name in MP4_PATH:
        while data[at + 4:at + 8] != name:
            at += be(data, at, 4)
            if at >= end:
                raise ValueError(f"no {name} atom")
        offsets.append(at)
        end = at + be(data, at, 4)
        at += 12 if name == b"meta" else 8  # meta is a full atom: version and flags first
    return offsets


def mp4_resize(data, path, depth, delta):
    """Grows the atoms path[:depth] by delta bytes."""
    for at in path[:depth]:
        data = patch(data, at, (be(data, at, 4) + delta).to_bytes(4, "big"))
    return data


def mp4_replace_covr(data, path, new_atoms):
    covr = path[4]
    size = be(data, covr, 4)
    data = mp4_resize(data, path, 4, len(new_atoms) - size)
    return data[:covr] + new_atoms + data[covr + size:]


def mp4_cases(data, picture):
    path = mp4_path(data)
    start = data.index(picture, path[5])
    ilst_end = path[3] + be(data, path[3], 4)
    yield from cuts(data, {"in-moov-header": path[0] + 4, "in-picture": start + len(picture) // 2,
                           "after-tag": ilst_end})
    for name, at in zip(MP4_PATH, path):
        yield from size_claims(data, f"{name.decode()}-size", f"{name.decode()} atom size", at,
                               ("big", 4), at)
    yield "data-size-12", patch(data, path[5], (12).to_bytes(4, "big")), \
        "covr data atom size 12, shorter than its header"
    yield "covr-type-text", patch(data, path[5] + 8, (1).to_bytes(4, "big")), \
        "covr data atom typed as UTF-8 text"
    yield "picture-20mb", mp4_resize(data, path, 6, 20 * MIB - len(picture)), \
        "covr data atom and its parents claim 20 MiB more"
    data_atom = data[path[5]:path[5] + be(data, path[5], 4)]
    nested = data_atom
    for _ in range(50):
        nested = mp4_atom(b"covr", nested)
    yield "covr-nested-50", mp4_replace_covr(data, path, nested), "covr atoms nested 50 deep"
    yield "covr-repeated-50", mp4_replace_covr(data, path, mp4_atom(b"covr", data_atom) * 50), \
        "50 covr atoms in ilst"
    yield "data-repeated-50", mp4_replace_covr(data, path, mp4_atom(b"covr", data_atom * 50)), \
        "50 data atoms in one covr"


def ogg_pages(data):
    """(offset, size) of every page."""
    at = 0
    while at < len(data):
        segments = data[at + 26]
        size = 27 + segments + sum(data[at + 27:at + 27 + segments])
        yield at, size
        at += size


def ogg_fix_crcs(data):
    """Recomputes the checksums, so only the patched field is wrong."""
    source = io.BytesIO(data)
    return b"".join(OggPage(source).write() for _ in ogg_pages(data))


def ogg_cases(work, fmt, data, media):
    pic = pic_of(FRONT, SPECIMEN_IMAGE, media)
    text = picture_value(pic).encode("ascii")
    start = data.index(text)
    page, size = next((at, size) for at, size in ogg_pages(data) if at <= start < at + size)
    yield from cuts(data, {"in-page-header": page + 10, "in-picture": start + len(text) // 2,
                           "after-comment-page": page + size})
    field_at = data.lower().index(b"metadata_block_picture=") - 4
    for name, patched, note in size_claims(data, "comment-size", "picture comment length",
                                           field_at, ("little", 4), field_at + 4):
        yield name, ogg_fix_crcs(patched), note
    block = flac_picture(pic).write()
    fields = flac_picture_fields(block, 0)
    values = [(name, base64.b64encode(patched).decode("ascii"), note)
              for name, patched, note in size_claims(
                  block, "data-size", "PICTURE data length", fields["data"], ("big", 4),
                  fields["data"] + 4)]
    values += [
        ("mime-size-max", base64.b64encode(patch(block, fields["mime"], b"\xff" * 4)).decode(),
         "PICTURE MIME length ffffffff"),
        ("picture-20mb", base64.b64encode(patch(block, fields["data"],
                                                (20 * MIB).to_bytes(4, "big"))).decode(),
         "PICTURE data length 20 MiB"),
        ("picture-cut-block", base64.b64encode(block[:len(block) // 2]).decode(),
         "base64 of the first half of a PICTURE block"),
        ("not-base64", "*** not base64: ~!@#$%^&() ***", "picture text is not base64"),
        ("base64-cut", text.decode()[:-3], "base64 text missing its last characters"),
    ]
    for name, value, note in values:
        yield name, specimen(work, fmt, media, [], values=[value]), note


def asf_cases(work, data, media):
    name_at = data.index(utf16z("WM/Picture"))
    length_at = name_at + len(utf16z("WM/Picture")) + 2  # after the value type
    value_at = length_at + 2
    pic = pic_of(FRONT, SPECIMEN_IMAGE, media)
    start = data.index(pic.data, value_at)
    header_end = int.from_bytes(data[16:24], "little")
    ecd = data.index(ASF_EXTENDED_CONTENT)
    yield from cuts(data, {"in-header-object": 20, "in-picture": start + len(pic.data) // 2,
                           "after-tag": header_end})
    yield from size_claims(data, "header-size", "header object size", 16, ("little", 8), 0)
    yield from size_claims(data, "ecd-size", "extended content description size", ecd + 16,
                           ("little", 8), ecd)
    yield from size_claims(data, "attribute-size", "WM/Picture value length", length_at,
                           ("little", 2), value_at)
    yield from size_claims(data, "data-size", "WM/Picture data length", value_at + 1,
                           ("little", 4), start)
    yield "picture-20mb", patch(data, value_at + 1, (20 * MIB).to_bytes(4, "little")), \
        "WM/Picture data length 20 MiB"
    unterminated = struct.pack("<BI", FRONT, 0) + "image/jpeg".encode("utf-16-le")
    yield "mime-unterminated", specimen(work, "wma", media, [], values=[unterminated]), \
        "WM/Picture MIME type without its terminator, nothing after it"


def picture_cases(work, fmt, media):
    """Well-formed tags around pictures that are empty or not images."""
    garbage = random.Random(fmt).randbytes(512)
    for what, payload in (("picture-empty", b""), ("picture-garbage", garbage)):
        pic = Pic(FRONT, "Front cover", "image/jpeg", payload)
        yield what, specimen(work, fmt, media, [pic]), f"front picture of {len(payload)} bytes"


def broken_cases(work, fmt, data, media):
    picture = media[SPECIMEN_IMAGE]
    yield from picture_cases(work, fmt, media)
    if fmt.startswith("mp3"):
        yield from id3_cases(data, int(fmt[-1]), picture)
    elif fmt == "flac":
        yield from flac_cases(data, picture)
    elif fmt == "m4a":
        yield from mp4_cases(data, picture)
    elif fmt in ("ogg", "opus"):
        yield from ogg_cases(work, fmt, data, media)
    else:
        yield from asf_cases(work, data, media)


def write_broken_and_seeds(out, work, media):
    broken, seeds = out / "broken", out / "seeds"
    broken.mkdir(parents=True)
    seeds.mkdir(parents=True)
    rows = ["# file\twhat was done"]
    for fmt in WRITERS:
        ext = EXTENSION_OF[fmt]
        data = specimen(work, fmt, media)
        if fmt in SEED_FORMATS:
            (seeds / f"{fmt}.{ext}").write_bytes(data)
        for what, damaged, note in broken_cases(work, fmt, data, media):
            name = f"{fmt}-{what}.{ext}"
            (broken / name).write_bytes(damaged)
            rows.append(f"{name}\t{note}")
    for ext in CONTAINERS:
        (broken / f"{ext}-empty.{ext}").write_bytes(b"")
        rows.append(f"{ext}-empty.{ext}\tempty file")
    (broken / "manifest.tsv").write_text("\n".join(rows) + "\n")


# -------------------------------------------------------------------- main

def main(argv):
    if len(argv) != 2:
        sys.exit("usage: make_tagged_covers.py OUTDIR")
    check_palette()
    out = Path(argv[1])
    for part in ("library", "broken", "seeds"):
        shutil.rmtree(out / part, ignore_errors=True)
    with tempfile.TemporaryDirectory() as scratch:
        work = Path(scratch)
        images = [image for placement in PLACEMENTS for image in placement_images(placement)]
        media = render_media(work, images + [SPECIMEN_IMAGE])
        write_library(out / "library", media)
        write_broken_and_seeds(out, work, media)


if __name__ == "__main__":
    main(sys.argv)
