#!/usr/bin/env python3
"""What would make two builds of one commit differ, read from the shipped
files: the PE header is stamped with the commit's date, and every other time
stamp (export table, resource and debug directories) is that date or zero, and neither the build's
folders nor the host's name appear in it, in ASCII or UTF-16.
  check_reproducible.py <source folder> <build folder> <binary>..."""
import os, socket, struct, subprocess, sys

def source_date(source):
    if "SOURCE_DATE_EPOCH" in os.environ:
        return int(os.environ["SOURCE_DATE_EPOCH"])
    run = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"], capture_output=True, text=True)
    return int(run.stdout.strip() or 0)

def time_stamps(data):
    u16, u32 = (lambda at: struct.unpack_from("<H", data, at)[0]), (lambda at: struct.unpack_from("<I", data, at)[0])
    pe = u32(0x3C)
    optional = pe + 24
    directories = optional + (96 if u16(optional) == 0x10B else 112)
    sections = [struct.unpack_from("<IIII", data, optional + u16(pe + 20) + 40 * i + 8) for i in range(u16(pe + 6))]
    def directory(index):
        rva, size = struct.unpack_from("<II", data, directories + 8 * index)
        for virtual_size, address, raw_size, raw in sections:
            if rva and address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address, raw, size
        return None, None, 0
    stamps = [("header", u32(pe + 8))]
    export, _, _ = directory(0)
    if export is not None:
        stamps.append(("export table", u32(export + 4)))
    resources, _, _ = directory(2)
    def walk(at):  # every directory of the resource tree
        stamps.append(("resource directory", u32(at + 4)))
        for entry in range(u16(at + 12) + u16(at + 14)):
            target = u32(at + 16 + 8 * entry + 4)
            if target & 0x80000000:
                walk(resources + (target & 0x7FFFFFFF))
    if resources is not None:
        walk(resources)
    debug, _, size = directory(6)
    for entry in range(size // 28 if debug is not None else 0):
        stamps.append(("debug directory", u32(debug + 28 * entry + 4)))
    return stamps

source, build, binaries = sys.argv[1], sys.argv[2], sys.argv[3:]
epoch, status = source_date(source), 0
needles = {os.path.realpath(source), os.path.realpath(build), socket.gethostname()}
for binary in binaries:
    data, name = open(binary, "rb").read(), os.path.basename(binary)
    wrong = sorted({f"{what} {stamp}" for what, stamp in time_stamps(data) if stamp != epoch and (stamp or what == "header")})
    found = [n for n in needles if n.encode() in data or n.encode("utf-16-le") in data]
    if wrong: print(f"{name}: stamped otherwise than with the source date {epoch}: {', '.join(wrong)}")
    if found: print(f"{name}: holds {', '.join(sorted(found))}")
    if not wrong and not found:
        print(f"{name}: stamped {epoch} (the source date), no build folder or host name inside")
    status |= bool(wrong or found)
sys.exit(status)
