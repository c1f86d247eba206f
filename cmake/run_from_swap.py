#!/usr/bin/python3
"""Marks a linked Windows program or library to be run from the page file
when it is started from removable or network media: the loader then copies
the image there first, so taking the disc out while the menu is open cannot
leave a page of it unreadable. Sets the file header's flags
IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP and IMAGE_FILE_NET_RUN_FROM_SWAP (the GNU
linker has no switch for them) and changes nothing else, but the checksum if
the file carries one.

Usage: run_from_swap.py FILE
"""

import struct
import sys

REMOVABLE_RUN_FROM_SWAP = 0x0400
NET_RUN_FROM_SWAP = 0x0800


def pe_checksum(data, field):
    """The image checksum: 16-bit words summed with carries folded in, the
    checksum field counted as zero, plus the file's length."""
    length = len(data)
    data = data[:field] + b"\0\0\0\0" + data[field + 4:] + b"\0" * (length % 2)
    total = sum(struct.unpack("<%dH" % (len(data) // 2), data))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + length


def main(path):
    data = bytearray(open(path, "rb").read())
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
        sys.stderr.write("%s is not a Windows program or library\n" % path)
        return 1
    flags_at = pe + 4 + 18
    checksum_at = pe + 4 + 20 + 64
    flags = struct.unpack_from("<H", data, flags_at)[0]
    struct.pack_into("<H", data, flags_at, flags | REMOVABLE_RUN_FROM_SWAP | NET_RUN_FROM_SWAP)
    if struct.unpack_from("<I", data, checksum_at)[0]:
        struct.pack_into("<I", data, checksum_at, pe_checksum(bytes(data), checksum_at))
    with open(path, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.stderr.write("usage: run_from_swap.py FILE\n")
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
