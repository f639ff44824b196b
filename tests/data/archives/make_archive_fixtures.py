#!/usr/bin/env python3
"""Writes the small RAR fixtures of the archive tests: stored (uncompressed) entries,
so the archives can be built byte by byte here, with their header and data CRCs computed.

Each archive holds pacman.6e ("ROM-6E"), sub\\pacman.6f ("ROM-6F", a Windows-style path) and
a directory entry "sub". Run from anywhere; writes rar4_stored.rar and rar5_stored.rar beside
this script."""
import os
import struct
import zlib

FILES = [("pacman.6e", b"ROM-6E"), ("sub\\pacman.6f", b"ROM-6F")]
DOS_TIME = (2000 - 1980) << 25 | 1 << 21 | 1 << 16  # 2000-01-01 00:00


def crc32(data):
    return zlib.crc32(data) & 0xFFFFFFFF


def rar4():
    def block(body):  # body starts at HEAD_TYPE; HEAD_SIZE is patched in
        size = 2 + len(body) + 2
        raw = body[:3] + struct.pack("<H", size) + body[3:]
        return struct.pack("<H", crc32(raw) & 0xFFFF) + raw

    out = b"Rar!\x1a\x07\x00"
    out += block(struct.pack("<BH", 0x73, 0) + struct.pack("<HI", 0, 0))
    entries = [("sub", b"", 0x10, 0xE0)] + [(n, d, 0x20, 0) for n, d in FILES]
    for name, data, attr, dir_flags in entries:
        name_bytes = name.encode()
        fields = struct.pack("<IIBIIBBHI", len(data), len(data), 0, crc32(data), DOS_TIME, 20,
                             0x30, len(name_bytes), attr) + name_bytes
        out += block(struct.pack("<BH", 0x74, 0x8000 | dir_flags) + fields) + data
    out += block(struct.pack("<BH", 0x7B, 0x4000))
    return out


def vint(value):
    out = b""
    while True:
        byte = value & 0x7F
        value >>= 7
        if value:
            out += bytes([byte | 0x80])
        else:
            return out + bytes([byte])


def rar5():
    def header(fields):
        size = vint(len(fields))
        return struct.pack("<I", crc32(size + fields)) + size + fields

    out = b"Rar!\x1a\x07\x01\x00"
    out += header(vint(1) + vint(0) + vint(0))  # main header, no archive flags
    entries = [("sub", b"", True)] + [(n.replace("\\", "/"), d, False) for n, d in FILES]
    for name, data, is_dir in entries:
        name_bytes = name.encode()
        file_flags = 0x0001 if is_dir else 0x0004  # directory / CRC32 present
        fields = vint(2) + vint(0x0002) + vint(len(data)) + vint(file_flags) + vint(len(data))
        fields += vint(0x10 if is_dir else 0x20)  # Windows attributes
        if not is_dir:
            fields += struct.pack("<I", crc32(data))
        fields += vint(0) + vint(0) + vint(len(name_bytes)) + name_bytes  # stored, Windows
        out += header(fields) + data
    out += header(vint(5) + vint(0) + vint(0))  # end of archive
    return out


here = os.path.dirname(os.path.abspath(__file__))
for file_name, data in (("rar4_stored.rar", rar4()), ("rar5_stored.rar", rar5())):
    with open(os.path.join(here, file_name), "wb") as f:
        f.write(data)
