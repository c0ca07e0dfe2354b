#!/usr/bin/env python3
"""An independent reader and writer of the resource-pack layout, for testing respack.

    packtool.py write OUT little|big   writes a pack of two entries in the given byte order
    packtool.py check PACK DIR         parses a little-endian pack and compares it with DIR
    packtool.py damage PACK            replaces the pack's index by bytes that are not zlib

Layout: "GRF", 05, Int32 0x01465247, Int32 index offset, one zlib stream per entry, then the
index as one zlib stream: 05 00 14 varint(N), and per entry 00, Int32 id, Int32 0x01454952,
12 varint(len) name, Int32 offset, Int32 size, 01.
"""
import os
import struct
import sys
import zlib

ENTRIES = [
    ("Docs/ReadMe.TXT", b"Howdy, partner!\n"),
    ("bin/All.Bytes", bytes(range(256)) * 3 + b"\x00"),
]


def varint(n):
    out = bytearray()
    while n >= 0x80:
        out.append((n & 0x7F) | 0x80)
        n >>= 7
    out.append(n)
    return bytes(out)


def write_pack(path, order):
    fmt = "<i" if order == "little" else ">i"
    data = bytearray(b"GRF\x05" + struct.pack(fmt, 0x01465247) + struct.pack(fmt, 0))
    index = bytearray(b"\x05\x00\x14" + varint(len(ENTRIES)))
    for number, (name, content) in enumerate(ENTRIES):
        offset = len(data)
        data += zlib.compress(content, 9)
        raw = name.encode()
        index += b"\x00" + struct.pack(fmt, number) + struct.pack(fmt, 0x01454952)
        index += b"\x12" + varint(len(raw)) + raw
        index += struct.pack(fmt, offset) + struct.pack(fmt, len(content)) + b"\x01"
    data[8:12] = struct.pack(fmt, len(data))
    data += zlib.compress(bytes(index), 9)
    with open(path, "wb") as f:
        f.write(data)


class Reader:
    def __init__(self, data):
        self.data = data
        self.pos = 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise ValueError("index cut short at %d" % self.pos)
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def byte(self):
        return self.take(1)[0]

    def int32(self):
        return struct.unpack("<i", self.take(4))[0]

    def varint(self):
        value, shift = 0, 0
        while True:
            b = self.byte()
            value |= (b & 0x7F) << shift
            shift += 7
            if not b & 0x80:
                return value


def fail(text):
    print("packtool check: " + text, file=sys.stderr)
    sys.exit(1)


def check_pack(path, folder):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"GRF\x05" or struct.unpack("<I", data[4:8])[0] != 0x01465247:
        fail("bad header %r" % data[:8])
    index_offset = struct.unpack("<i", data[8:12])[0]
    inflater = zlib.decompressobj()
    index = inflater.decompress(data[index_offset:])
    if not inflater.eof or inflater.unused_data:
        fail("the index is not one zlib stream running to the end of the file")
    r = Reader(index)
    if r.take(3) != b"\x05\x00\x14":
        fail("bad index head")
    count = r.varint()
    names = []
    expected_offset = 12
    for number in range(count):
        if r.byte() != 0 or r.int32() != number or r.int32() != 0x01454952:
            fail("bad record head %d" % number)
        if r.byte() != 0x12:
            fail("bad name tag %d" % number)
        name = r.take(r.varint()).decode()
        offset, size, flag = r.int32(), r.int32(), r.byte()
        if offset != expected_offset or flag != 1:
            fail("%s: offset %d (expected %d), flag %d" % (name, offset, expected_offset, flag))
        inflater = zlib.decompressobj()
        content = inflater.decompress(data[offset:index_offset])
        if not inflater.eof:
            fail("%s: not a complete zlib stream" % name)
        expected_offset = index_offset - len(inflater.unused_data)
        with open(os.path.join(folder, name), "rb") as f:
            if content != f.read() or size != len(content):
                fail("%s: content differs" % name)
        names.append(name)
    if r.pos != len(index):
        fail("bytes after the last record")
    if expected_offset != index_offset:
        fail("gap before the index")
    on_disk = sorted(
        os.path.relpath(os.path.join(top, f), folder).replace(os.sep, "/")
        for top, _, files in os.walk(folder) for f in files)
    if names != on_disk:
        fail("names %r, files %r" % (names, on_disk))


def damage_pack(path):
    with open(path, "rb") as f:
        data = f.read()
    index_offset = struct.unpack("<i", data[8:12])[0]
    with open(path, "wb") as f:
        f.write(data[:index_offset] + b"\xff" * 16)


def main(argv):
    if len(argv) == 3 and argv[0] == "write" and argv[2] in ("little", "big"):
        write_pack(argv[1], argv[2])
    elif len(argv) == 3 and argv[0] == "check":
        check_pack(argv[1], argv[2])
    elif len(argv) == 2 and argv[0] == "damage":
        damage_pack(argv[1])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
