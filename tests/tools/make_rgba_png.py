#!/usr/bin/python3
"""make_rgba_png.py FILE WIDTH HEIGHT

Writes a true-colour PNG with an alpha channel: a translucent gradient from
left to right, the same on every row. It decodes to WIDTH x HEIGHT x 4 bytes
(8000 x 8000: 244 MiB) and takes a few hundred KB on disk, so tests can give
a program pictures that press on its memory."""
import struct
import sys
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    first = bytearray([0])  # filter None
    for x in range(width):
        shade = x * 255 // max(width - 1, 1)
        first += bytes((shade, 90, 255 - shade, 200))
    # Filter Up on every later row: each is the row above, all zeros to store.
    later = bytes([2]) + bytes(width * 4)
    packer = zlib.compressobj(1)
    data = [packer.compress(bytes(first))]
    for _ in range(height - 1):
        data.append(packer.compress(later))
    data.append(packer.flush())
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", b"".join(data)))
        out.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    main()
