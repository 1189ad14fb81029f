#!/usr/bin/env python3
"""Writes config.ico: a page with a folded corner and a settings slider, 16 and 32 pixels."""
import struct
import sys


def pixel(x, y, size):
    """RGBA of one pixel, drawn on a 32-pixel grid scaled to `size`."""
    gx, gy = x * 32 // size, y * 32 // size
    if not (5 <= gx <= 26 and 2 <= gy <= 29):
        return (0, 0, 0, 0)
    if gx - 26 > gy - 9:  # cut-away corner
        return (0, 0, 0, 0)
    if gx == 5 or gy == 29 or gy == 2 or gx == 26 or gx - 26 == gy - 9:
        return (60, 60, 70, 255)  # outline
    if gx >= 19 and gy <= 9 and gx - 19 >= gy - 2:
        return (200, 200, 210, 255)  # folded corner
    for row, knob in ((12, 10), (18, 20), (24, 14)):
        if gy == row and 8 <= gx <= 23:
            return (90, 90, 100, 255)  # slider rail
        if abs(gy - row) <= 2 and abs(gx - knob) <= 1:
            return (200, 40, 40, 255)  # slider knob
    return (250, 250, 250, 255)


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):  # bottom-up
        rows.append(b"".join(bytes((b, g, r, a)) for r, g, b, a in (pixel(x, y, size) for x in range(size))))
    mask_row = b"\0" * ((size + 31) // 32 * 4)  # the alpha channel decides; mask all opaque
    return header + b"".join(rows) + mask_row * size


def icon(sizes):
    images = [image(s) for s in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, body in zip(sizes, images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    return data + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "config.ico", "wb") as out:
        out.write(icon([16, 32]))
