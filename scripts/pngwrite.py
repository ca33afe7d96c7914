"""A minimal PNG writer for the scripts that make the project's small pictures."""
import struct
import zlib


def write_png(path, width, height, rows, channels):
    """rows: top row first, each a list of pixels with at least `channels` (3 or 4) values."""
    raw = b"".join(b"\0" + bytes(v for px in row for v in px[:channels]) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    colour_type = 6 if channels == 4 else 2
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
