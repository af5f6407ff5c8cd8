#!/usr/bin/env python3
"""Writes the hostile images the corpus test feeds the game into the folder given.

Usage: stress/hostile-images.py FOLDER

Every file is made here, at test time, so the repository holds none of them: PNGs written
chunk by chunk with zlib (the bombs row by row, so a 16383 x 16383 picture is about a
megabyte), a PNG of each colour type the cursor sheet has shown trouble with, truncated
and lying PNGs, and a file of every other format SDL_image knows, each named as a .png.
"""
import os
import struct
import sys
import zlib

ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def ihdr(width, height, depth, colour, interlace=0):
    return chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace))


def png(width, height, depth, colour, pixel, interlace=0, extra=b""):
    """A PNG whose pixel (x, y) is the bytes pixel(x, y) gives, filter 0 on every row."""
    rows = []
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        for y in range(y0, height, dy):
            row = b"".join(pixel(x, y) for x in range(x0, width, dx))
            if row:
                rows.append(b"\0" + row)
    return (b"\x89PNG\r\n\x1a\n" + ihdr(width, height, depth, colour, interlace) + extra +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def bomb(width, height, colour):
    """A valid PNG of one colour that inflates to width x height: zero rows, one at a time."""
    packer = zlib.compressobj(9)
    row = bytes(1 + width * CHANNELS[colour])
    data = b"".join(packer.compress(row) for _ in range(height)) + packer.flush()
    return (b"\x89PNG\r\n\x1a\n" + ihdr(width, height, 8, colour) + chunk(b"IDAT", data) +
            chunk(b"IEND", b""))


def cursor_grey16(x, y):
    """The cursor sheet's shape in 16-bit grey: a light disc in every 96 x 96 frame."""
    inside = (x % 96 - 48) ** 2 + (y - 48) ** 2 < 900
    return struct.pack(">H", 0xE000 if inside else 0x2000)


def cursor_grey_alpha(x, y):
    """The same disc in 8-bit grey with alpha, clear round it."""
    inside = (x % 96 - 48) ** 2 + (y - 48) ** 2 < 900
    return bytes([224, 255]) if inside else bytes([32, 0])


# One of each other format SDL_image decodes, as its first bytes and enough after them for
# its detector to take it; none of them is a PNG.
OTHERS = {
    "bmp": b"BM" + struct.pack("<IHHI", 70, 0, 0, 54) +
           struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, 16, 2835, 2835, 0, 0) +
           b"\xff\x00\x00\x00\xff\x00\x00\x00" * 2,
    "gif": b"GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00"
           b"\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;",
    "jpeg": b"\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xd9",
    "lbm": b"FORM\x00\x00\x00\x04ILBM",
    "pcx": b"\x0a\x05\x01\x08" + bytes(124),
    "pnm": b"P6\n2 2\n255\n" + bytes(12),
    "tga": b"\x00\x00\x02" + bytes(9) + b"\x02\x00\x02\x00\x18\x00" + bytes(12),
    "tiff": b"II*\x00\x08\x00\x00\x00\x00\x00",
    "webp": b"RIFF\x1a\x00\x00\x00WEBPVP8 " + bytes(14),
    "xcf": b"gimp xcf file\x00" + bytes(12),
    "xpm": b"/* XPM */\nstatic char *x[] = {\n\"2 2 1 1\",\n\"a c #ff0000\",\n\"aa\",\n\"aa\"};\n",
    "xv": b"P7 332\n#END_OF_COMMENTS\n2 2 255\n" + bytes(4),
}


def corpus():
    grey = png(64, 64, 8, 0, lambda x, y: bytes([(x * 4) & 255]))
    yield "bomb-rgb-16383.png", bomb(16383, 16383, 2)
    yield "cursor-grey16.png", png(1536, 96, 16, 0, cursor_grey16)
    yield "cursor-grey16-interlaced.png", png(1536, 96, 16, 0, cursor_grey16, 1)
    yield "cursor-grey-alpha.png", png(1536, 96, 8, 4, cursor_grey_alpha)
    yield "cursor-grey-alpha-interlaced.png", png(1536, 96, 8, 4, cursor_grey_alpha, 1)
    yield "truncated-signature.png", grey[:5]
    yield "truncated-ihdr.png", grey[:20]
    yield "truncated-idat.png", grey[:len(grey) // 2]
    lying = bytearray(grey)
    lying[33:37] = struct.pack(">I", 0x7FFFFFF0)  # the first chunk after IHDR claims 2 GB
    yield "lying-length.png", bytes(lying)
    yield "lying-size.png", grey[:8] + ihdr(64, 400, 8, 0) + grey[33:]  # more rows than sent
    yield "zero-size.png", grey[:8] + ihdr(0, 0, 8, 0) + grey[33:]
    for name, data in OTHERS.items():
        yield "format-" + name + ".png", data


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in corpus():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
