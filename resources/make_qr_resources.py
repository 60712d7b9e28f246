#!/usr/bin/env python3
"""Draws the QR reader's images and its beep, all our own, into this folder.

    python3 resources/make_qr_resources.py

qr_top_left.png, qr_top_right.png, qr_bottom_left.png, qr_bottom_right.png:
the corner marks of the scan square; qr_scan_line.png: the sweeping line;
flash_on.png, flash_off.png: the torch button (it shows the torch's next
state); Beep.wav: the short tone played when a code has been read.
Only the standard library is used, so the files come out the same everywhere.
"""

import math
import os
import struct
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
GREEN = (0, 210, 106)
WHITE = (255, 255, 255)
SUPERSAMPLE = 4


def write_png(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a) with 0..255 components."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(png)


def coverage(inside, x, y):
    """Share of the pixel (x, y) for which inside(px, py) holds."""
    hits = 0
    for i in range(SUPERSAMPLE):
        for j in range(SUPERSAMPLE):
            if inside(x + (i + 0.5) / SUPERSAMPLE, y + (j + 0.5) / SUPERSAMPLE):
                hits += 1
    return hits / (SUPERSAMPLE * SUPERSAMPLE)


def in_polygon(points, px, py):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def corners():
    size, thickness = 96, 12

    def top_left(px, py):
        return (px < size and py < thickness) or (px < thickness and py < size)

    mirrors = {
        "qr_top_left.png": lambda x, y: (x, y),
        "qr_top_right.png": lambda x, y: (size - 1 - x, y),
        "qr_bottom_left.png": lambda x, y: (x, size - 1 - y),
        "qr_bottom_right.png": lambda x, y: (size - 1 - x, size - 1 - y),
    }
    for name, mirror in mirrors.items():
        def pixel(x, y, mirror=mirror):
            mx, my = mirror(x, y)
            return (*GREEN, round(255 * coverage(top_left, mx, my)))
        write_png(name, size, size, pixel)


def scan_line():
    width, height = 320, 10

    def pixel(x, y):
        # Brightest along the middle, fading towards its top, bottom and ends.
        across = 1 - abs((y + 0.5) - height / 2) / (height / 2)
        along = min(1.0, min(x + 0.5, width - x - 0.5) / (width * 0.15))
        return (*GREEN, round(255 * across * across * along))

    write_png("qr_scan_line.png", width, height, pixel)


BOLT = [(38, 4), (14, 36), (30, 36), (24, 60), (50, 24), (34, 24), (42, 4)]


def flash(name, slashed):
    size = 64

    def slash(px, py):
        # A bar from the top left to the bottom right, 6 wide.
        return abs((px - py)) / math.sqrt(2) < 3 and 6 < px < 58

    def gap(px, py):
        return abs((px - py)) / math.sqrt(2) < 6 and 6 < px < 58

    def inside(px, py):
        bolt = in_polygon(BOLT, px, py)
        if not slashed:
            return bolt
        return (bolt and not gap(px, py)) or slash(px, py)

    write_png(name, size, size, lambda x, y: (*WHITE, round(255 * coverage(inside, x, y))))


def beep():
    rate, seconds, frequency, fade = 44100, 0.15, 2700.0, 0.005
    frames = bytearray()
    count = int(rate * seconds)
    for i in range(count):
        t = i / rate
        envelope = min(1.0, t / fade, (seconds - t) / fade)
        sample = 0.5 * envelope * math.sin(2 * math.pi * frequency * t)
        frames += struct.pack("<h", round(sample * 32767))
    with wave.open(os.path.join(HERE, "Beep.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


if __name__ == "__main__":
    corners()
    scan_line()
    flash("flash_on.png", slashed=False)
    flash("flash_off.png", slashed=True)
    beep()
