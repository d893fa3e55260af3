#!/usr/bin/env python3
"""Writes the three colour bars of the rollout page (bitmaps/*.bmp).

Each bar is a 65 x 4 pixel, 4-bit, bottom-up DIB with the standard 16-colour
palette, every pixel the one palette entry of its colour; in the green bar,
entry 10 is (0, 189, 0) in place of pure green. The resource compiler strips
the 14-byte file header and keeps the 248 bytes behind it.

Usage: make_bars.py [output directory]   (default: bitmaps/ beside this file)
"""
import pathlib
import struct
import sys

WIDTH = 65
HEIGHT = 4
BITS_PER_PIXEL = 4
ROW_BYTES = (WIDTH * BITS_PER_PIXEL + 31) // 32 * 4  # rows are padded to 32 bits
INFO_HEADER_SIZE = 40
FILE_HEADER_SIZE = 14

# The standard 16-colour palette as (red, green, blue).
STANDARD_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# file name, palette entry of every pixel, palette entries replaced
BARS = [
    ("red_bar.bmp", 9, {}),
    ("green_bar.bmp", 10, {10: (0, 189, 0)}),
    ("blue_bar.bmp", 12, {}),
]


def info_header():
    return struct.pack("<IiiHHIIiiII", INFO_HEADER_SIZE, WIDTH, HEIGHT, 1, BITS_PER_PIXEL,
                       0, ROW_BYTES * HEIGHT, 0, 0, len(STANDARD_PALETTE), len(STANDARD_PALETTE))


def colour_table(replaced):
    colours = [replaced.get(i, rgb) for i, rgb in enumerate(STANDARD_PALETTE)]
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def pixel_row(entry):
    # Two pixels per byte, the left one in the high nibble; the odd last
    # pixel leaves the low nibble of its byte at 0.
    packed = bytes([entry << 4 | entry]) * (WIDTH // 2) + bytes([entry << 4]) * (WIDTH % 2)
    return packed + bytes(ROW_BYTES - len(packed))


def bitmap_file(entry, replaced):
    dib = info_header() + colour_table(replaced) + pixel_row(entry) * HEIGHT
    pixels_offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + 4 * len(STANDARD_PALETTE)
    file_header = struct.pack("<2sIHHI", b"BM", FILE_HEADER_SIZE + len(dib), 0, 0, pixels_offset)
    return file_header + dib


def main():
    out_dir = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).parent / "bitmaps"
    out_dir.mkdir(parents=True, exist_ok=True)
    for name, entry, replaced in BARS:
        (out_dir / name).write_bytes(bitmap_file(entry, replaced))


if __name__ == "__main__":
    main()
