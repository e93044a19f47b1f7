#!/usr/bin/env python3
"""Draws lumo's traffic-light icon: one 32 x 32 image in 16 colours, written
as an .ico icon group to the path given (resources/Semaforo.ico)."""
import struct
import sys

SIZE = 32
# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GRAY, GRAY, RED, GREEN, YELLOW = 0, 8, 7, 9, 10, 11
TRANSPARENT = None


def draw():
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    # The housing: a dark rounded box on a pole.
    for y in range(1, 29):
        for x in range(9, 23):
            corner = (y in (1, 28)) and (x in (9, 22))
            if not corner:
                pixels[y][x] = BLACK if x in (9, 22) or y in (1, 28) else DARK_GRAY
    for y in range(29, 32):
        for x in range(15, 17):
            pixels[y][x] = GRAY
    # Three lamps: red, yellow, green, top to bottom.
    for centre_y, colour in ((6, RED), (14, YELLOW), (22, GREEN)):
        for y in range(centre_y - 3, centre_y + 4):
            for x in range(12, 20):
                if (x - 15.5) ** 2 + (y - centre_y) ** 2 <= 12.5:
                    pixels[y][x] = colour
    return pixels


def ico(pixels):
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bottom-up
        nibbles = [0 if p is None else p for p in row]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        mask = 0
        for x, p in enumerate(row):
            if p is None:
                mask |= 1 << (31 - x)
        and_rows.append(struct.pack(">I", mask))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(b"".join(xor_rows)) + len(b"".join(and_rows)), 0, 0, 16, 0)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(ico(draw()))
