#!/usr/bin/env python3
"""Renders Varnholt's images from the vector sources in this folder.

    python3 resources/art/make-art.py [--preview DIR]

Writes, next to varnholt.rc:
  banner.bmp    bitmap 130, 633 x 60, 24-bit (from banner.mvg)
  footer.bmp    bitmap 129, 634 x 51, 24-bit (from footer.mvg)
  varnholt.ico  icon 128: 48, 32 and 16 pixels at 24, 8 and 4 bits per
                pixel each (48 and 32 from icon-48.mvg, 16 from icon-16.mvg)
With --preview, also writes PNG copies of everything into DIR for viewing.

ImageMagick's `convert` (with the DejaVu fonts) draws the sources; this
script writes the exact Windows formats itself. The generated files are
committed, so building the program needs neither tool.
"""

import argparse
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)

SUPERSAMPLE = 8  # icons are drawn this many times larger, then averaged down


def mvg_source(name):
    """The drawing commands of a source file, without its comment lines."""
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        return "\n".join(l for l in f.read().splitlines() if not l.lstrip().startswith("#"))


def run_convert(args, stdin=None):
    return subprocess.run(["convert"] + args, input=stdin, stdout=subprocess.PIPE,
                          check=True).stdout


def render(name, width, height, units=None):
    """Draws an MVG source; returns rows of (r, g, b, a) tuples.

    With `units`, the source is drawn in a square of that many units,
    supersampled and averaged down to width x height (used for the icons).
    """
    draw = mvg_source(name)
    if units is None:
        size, extra = f"{width}x{height}", []
    else:
        big = width * SUPERSAMPLE
        draw = f"scale {big / units},{big / units}\n" + draw
        size, extra = f"{big}x{big}", ["-filter", "box", "-resize", f"{width}x{height}!"]
    raw = run_convert(["-size", size, "xc:none", "-draw", draw] + extra + ["-depth", "8", "rgba:-"])
    if len(raw) != width * height * 4:
        sys.exit(f"{name}: unexpected image size")
    px = [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]
    return [px[y * width:(y + 1) * width] for y in range(height)]


# --- Windows bitmap formats -------------------------------------------------

def row_padded(data):
    return data + b"\0" * (-len(data) % 4)


def dib_24(rows):
    """24-bit pixel rows, bottom-up, each padded to four bytes."""
    return b"".join(row_padded(b"".join(bytes((b, g, r)) for r, g, b, *_ in row))
                    for row in reversed(rows))


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    bits = dib_24(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(bits), 0, 0, offset))
        f.write(header + bits)


def quantise(rows, colours):
    """Reduces the opaque pixels to at most `colours` colours (no dithering,
    which keeps small icons clean); returns a palette and index rows, with
    transparent pixels at index 0 (black, as the icon format expects)."""
    opaque = [(r, g, b) for row in rows for r, g, b, a in row if a >= 128]
    ppm = b"P6 %d 1 255\n" % len(opaque) + b"".join(bytes(p) for p in opaque)
    raw = run_convert(["ppm:-", "+dither", "-colors", str(colours), "-depth", "8", "rgb:-"], ppm)
    reduced = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
    palette = [(0, 0, 0)] + sorted(set(reduced) - {(0, 0, 0)})
    index = {c: i for i, c in enumerate(palette)}
    it = iter(reduced)
    out = [[index[next(it)] if a >= 128 else 0 for r, g, b, a in row] for row in rows]
    return palette, out


def icon_entry(rows, bpp):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    size = len(rows)
    mask = b"".join(row_padded(bytes(
        sum(0x80 >> (x % 8) for x in range(x0, min(x0 + 8, size)) if row[x][3] < 128)
        for x0 in range(0, size, 8))) for row in reversed(rows))
    if bpp == 24:
        palette = b""
        bits = dib_24([[(r, g, b) if a >= 128 else (0, 0, 0) for r, g, b, a in row] for row in rows])
    else:
        colours, idx = quantise(rows, 15 if bpp == 4 else 255)
        colours += [(0, 0, 0)] * ((1 << bpp) - len(colours))
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        per_byte = 8 // bpp
        bits = b"".join(row_padded(bytes(
            sum(v << (8 - bpp * (k + 1)) for k, v in enumerate(row[x0:x0 + per_byte]))
            for x0 in range(0, size, per_byte))) for row in reversed(idx))
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0, len(bits) + len(mask),
                         0, 0, 0, 0)
    return header + palette + bits + mask


def write_ico(path, images):
    """images: list of (rows, bpp)."""
    blobs = [icon_entry(rows, bpp) for rows, bpp in images]
    offset = 6 + 16 * len(images)
    directory = b""
    for (rows, bpp), blob in zip(images, blobs):
        size = len(rows)
        directory += struct.pack("<BBBBHHII", size, size, 16 if bpp == 4 else 0, 0, 1, bpp,
                                 len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + directory + b"".join(blobs))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write PNG previews into DIR")
    args = parser.parse_args()

    write_bmp(os.path.join(OUT, "banner.bmp"), render("banner.mvg", 633, 60))
    write_bmp(os.path.join(OUT, "footer.bmp"), render("footer.mvg", 634, 51))
    icons = {48: render("icon-48.mvg", 48, 48, 48), 32: render("icon-48.mvg", 32, 32, 48),
             16: render("icon-16.mvg", 16, 16, 16)}
    write_ico(os.path.join(OUT, "varnholt.ico"),
              [(icons[size], bpp) for size in (48, 32, 16) for bpp in (24, 8, 4)])

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name in ("banner.bmp", "footer.bmp"):
            run_convert([os.path.join(OUT, name), os.path.join(args.preview, name[:-4] + ".png")])
        # Every icon image side by side, eight times enlarged, on a light
        # and on a dark background (how Windows combines colour and mask).
        ico = os.path.join(OUT, "varnholt.ico")
        for bg in ("#f0f0f0", "#202020"):
            run_convert([ico, "-background", bg, "-alpha", "remove", "-filter", "point",
                         "-resize", "384x384", "-gravity", "south", "-extent", "384x384",
                         "+append", os.path.join(args.preview, f"icon-on-{bg[1:]}.png")])


if __name__ == "__main__":
    main()
