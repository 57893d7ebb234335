#!/usr/bin/env python3
"""Rewrites 8-bit RGBA PNG images with their pixels stored, neither filtered
nor deflated: the same pixels, read at start-up without inflating them (the
build compresses the program's resources as a whole). Usage: store-images.py
FILE..."""
import struct
import sys
import zlib


def chunks(data):
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfiltered_rows(raw, width, height, bpp=4):
    stride = width * bpp
    previous = bytearray(stride)
    rows = []
    pos = 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            upper_left = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, upper_left)) & 0xFF
            elif kind != 0:
                raise ValueError("unknown filter %d" % kind)
        rows.append(bytes(line))
        previous = line
    return rows


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def store(path):
    data = open(path, "rb").read()
    header = dict(chunks(data))[b"IHDR"]
    width, height, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", header)
    if (depth, color, interlace) != (8, 6, 0):
        raise ValueError("%s: not 8-bit RGBA without interlacing" % path)
    raw = zlib.decompress(b"".join(body for kind, body in chunks(data) if kind == b"IDAT"))
    pixels = b"".join(b"\0" + row for row in unfiltered_rows(raw, width, height))
    out = data[:8] + chunk(b"IHDR", header)
    out += b"".join(chunk(kind, body) for kind, body in chunks(data)
                    if kind not in (b"IHDR", b"IDAT", b"IEND"))
    out += chunk(b"IDAT", zlib.compress(pixels, 0)) + chunk(b"IEND", b"")
    open(path, "wb").write(out)


for name in sys.argv[1:]:
    store(name)
