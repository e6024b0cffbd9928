#!/usr/bin/env python3
"""Draws the program icon: a parcel on a radar screen, with a sweep and a blip.

Writes assets/parcel_radar.ico with five 32-bit images (128, 64, 48, 32, 16 pixels), each a
BMP image with alpha and an AND mask, as Windows expects for 32-bit icons. Only the Python
standard library is used; edges are smoothed by 4x4 supersampling.
    python3 tools/make_icon.py
"""
import math
import os
import struct

SIZES = [128, 64, 48, 32, 16]
SAMPLES = 4


def blend(dst, src):
    """Source-over of two straight-alpha RGBA colours (floats 0..1)."""
    sr, sg, sb, sa = src
    dr, dg, db, da = dst
    a = sa + da * (1 - sa)
    if a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = lambda s, d: (s * sa + d * da * (1 - sa)) / a
    return (mix(sr, dr), mix(sg, dg), mix(sb, db), a)


def colour(hex_rgb, alpha=1.0):
    return ((hex_rgb >> 16 & 255) / 255, (hex_rgb >> 8 & 255) / 255, (hex_rgb & 255) / 255, alpha)


def sample(x, y, size):
    """Colour of the icon at (x, y) in a unit square (0..1), for the given pixel size."""
    cx, cy = x - 0.5, y - 0.5
    r = math.hypot(cx, cy)
    angle = math.degrees(math.atan2(-cy, cx)) % 360  # counter-clockwise from east
    small = size <= 16
    px = 1.0 / size  # one pixel in unit coordinates
    c = (0.0, 0.0, 0.0, 0.0)
    if r > 0.48:
        return c
    # Screen: dark blue disk with a lighter rim.
    c = blend(c, colour(0x0B3D6B))
    if r > 0.48 - max(0.035, 1.2 * px):
        c = blend(c, colour(0x5CC8FF))
    # Range rings and cross hairs (left out at 16 px, where they would be noise).
    if not small:
        for ring in (0.16, 0.32):
            if abs(r - ring) < max(0.008, 0.5 * px):
                c = blend(c, colour(0x3FA9E0, 0.8))
        if (abs(cx) < max(0.006, 0.4 * px) or abs(cy) < max(0.006, 0.4 * px)) and r < 0.45:
            c = blend(c, colour(0x3FA9E0, 0.5))
    # Sweep: a green wedge trailing from 45 degrees, fading with the angle behind the beam.
    beam = 45.0
    behind = (beam - angle) % 360
    if behind < 70 and r < 0.45:
        c = blend(c, colour(0x3DFF8A, 0.55 * (1 - behind / 70)))
    if behind < 3 and r < 0.45:
        c = blend(c, colour(0xB8FFD2, 0.9))
    # Blip on the beam: the parcel that was found.
    bx, by = 0.5 + 0.30 * math.cos(math.radians(beam)), 0.5 - 0.30 * math.sin(math.radians(beam))
    if math.hypot(x - bx, y - by) < max(0.05, 1.2 * px):
        c = blend(c, colour(0xFF4040))
    # Parcel: a kraft-brown box in the middle, with a tape band and a darker edge.
    half = 0.17 if not small else 0.2
    if abs(cx) < half and abs(cy + 0.02) < half * 0.9:
        edge = max(0.02, px)
        if abs(cx) > half - edge or abs(cy + 0.02) > half * 0.9 - edge:
            c = blend(c, colour(0x6B4423))
        else:
            c = blend(c, colour(0xC8925A))
            if abs(cx) < max(0.025, 0.6 * px):
                c = blend(c, colour(0xF2D7A6))
            if abs(cy + 0.02 + half * 0.35) < max(0.02, 0.5 * px) and not small:
                c = blend(c, colour(0xF2D7A6))
    return c


def render(size):
    pixels = []
    n = SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size, size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3] / (n * n)
            if a > 0:
                rgb = [min(255, round(255 * acc[i] / acc[3])) for i in range(3)]
            else:
                rgb = [0, 0, 0]
            row.append((rgb[0], rgb[1], rgb[2], round(255 * a)))
        pixels.append(row)
    return pixels


def dib(size, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(pixels):  # bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def main():
    images = [dib(s, render(s)) for s in SIZES]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for s, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    path = os.path.join(os.path.dirname(__file__), '..', 'assets', 'parcel_radar.ico')
    with open(path, 'wb') as f:
        f.write(out)
    print(path, len(out), 'bytes')


if __name__ == '__main__':
    main()
