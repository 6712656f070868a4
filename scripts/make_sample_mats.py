#!/usr/bin/env python3
"""Writes the sample model's materials (samples/Mat/*.mat): small textures of our own
making, two at 8 bits (palette indices) and two at 16 bits (5-6-5 colours)."""
import os
import struct
import sys

HEADER = 76
RECORD = 40


def mat(width, height, depth, pixels):
    header = bytearray(HEADER)
    header[0:4] = b"MAT "
    struct.pack_into("<i", header, 4, 0x32)        # version
    struct.pack_into("<i", header, 8, 2)           # texture material
    struct.pack_into("<i", header, 12, 1)          # one texture record
    struct.pack_into("<i", header, 16, 1)          # one texture
    struct.pack_into("<i", header, 24, depth)
    record = bytearray(RECORD)
    struct.pack_into("<i", record, 0, 8)           # record kind: texture
    texture = bytearray(24)
    struct.pack_into("<ii", texture, 0, width, height)
    struct.pack_into("<i", texture, 20, 1)         # one mipmap level
    return bytes(header + record + texture + pixels)


def rgb565(r, g, b):
    return struct.pack("<H", ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))


def dflt():
    # grey checker board from the palette's grey ramp (32 light, 48 dark)
    return mat(32, 32, 8, bytes(32 if ((x // 8) + (y // 8)) % 2 == 0 else 48
                                for y in range(32) for x in range(32)))


def glass():
    # blue-grey panes (64..79) with dark frame lines (95)
    return mat(32, 32, 8, bytes(95 if x % 16 == 0 or y % 16 == 0 else 64 + (x + y) // 8 % 16
                                for y in range(32) for x in range(32)))


def hull():
    out = bytearray()
    for y in range(64):
        for x in range(64):
            seam = x % 16 == 0 or y % 16 == 0
            rivet = x % 16 == 3 and y % 16 == 3
            shade = 150 + ((x // 16 + y // 16) % 2) * 30
            if seam:
                out += rgb565(70, 75, 85)
            elif rivet:
                out += rgb565(230, 230, 235)
            else:
                out += rgb565(shade, shade + 5, shade + 15)
    return mat(64, 64, 16, bytes(out))


def engine():
    out = bytearray()
    for y in range(32):
        for x in range(32):
            d = abs(x - 15.5) + abs(y - 15.5)
            heat = max(0, 255 - int(d * 8))
            out += rgb565(255, 80 + heat * 175 // 255, heat // 2)
    return mat(32, 32, 16, bytes(out))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "samples", "Mat")
    os.makedirs(folder, exist_ok=True)
    for name, data in (("dflt.mat", dflt()), ("hull.mat", hull()), ("glass.mat", glass()), ("engine.mat", engine())):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
