#!/usr/bin/env python3
"""Builds the made-up collections of verify_worlds.sh from the emulator's -listxml records.

    verify_worlds.py LISTXML WORK_DIR

LISTXML holds the records of every machine of the worlds, their parents, BIOS sets and devices.
Writes WORK_DIR/worlds/{nonmerged,split,merged}/ (the collections), WORK_DIR/worlds/names.txt
(the machines of a world, one a line) and WORK_DIR/worlds/cases.txt (the planted cases). The ROM
contents are forged once into WORK_DIR/pool/ (random bytes of the listed size whose CRC-32 is
the listed one, seeded by size and CRC, so the same on every run) and shared by the three
layouts. Archives get fixed dates, so a world is the same byte for byte on every run.
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET
import zipfile
import zlib

POLY = 0xEDB88320
DATE = (2023, 1, 1, 0, 0, 0)

# The machines of every world. Families are listed parent first; the cases below pick from them.
FAMILIES = [
    "puckman pacman puckmod pacmod hangly hangly2 newpuc2 pacmanf puckmanb piranha pacheart crockman",
    "galaga galagao galagamw galagamk gallag nebulbee",
    "digdug",
    "xevious xeviousa xeviousb xeviousc sxevious",
    "bosco bosco1 boscomd",
    "dkong dkongo dkongj dkongjo",
    "dkongjr dkongjrj",
    "1942 1942a 1942b 1942w",
    "galaxian galaxiana galaxianm galaxianmo galaxiant superg galap1 galap4 swarm zerotime moonaln starfght",
    "invaders sisv sisv1 sitv sicv invadrmr spcewars invaderl superinv tst_invd",
    "mspacman mspacmnf mspacmat mspacmab mspacpls pacgal",
    "asteroid asteroid1",
    "pengo pengo2",
    "kicker shaolins",
    "neogeo nam1975 joyjoy tpgolf cyberlip maglord maglordh bstars bstarsh ridhero ridheroh ncombat ncombath ng_mv1",
    "playch10 pc_smb",
    "kinst kinst2",
    "pong frogger rallyx mappy scramble 1943",
    "phoenix phoenixha",
    "galaxia galaxiaa galaxiab galaxiac",
    "schaser schasera",
    "centiped milliped astdelux tempest defender robotron joust stargate qix zaxxon amidar",
    "timeplt gyruss jungler ladybug mrdo btime digdug2 pooyan rocnrope circusc junofrst tutankhm",
    "gberet yiear hyperspt trackfld roadf sbasketb mikie commando",
    "gunsmoke sonson exedexes vulgus higemaru bombjack docastle kungfum ldrun mpatrol 10yard",
]

# The planted cases, the same in every layout: (set, kind, what it shows).
CASES = [
    ("frogger", "missing", "one ROM missing"),
    ("rallyx", "crc", "one ROM with a wrong CRC"),
    ("mappy", "size", "one ROM with a wrong size (half, CRC kept)"),
    ("scramble", "rename", "one ROM under another name (same CRC)"),
    ("dkongjrj", "orphan", "clone without its parent (dkongjr absent)"),
    ("galaga", "sharedcrc", "parent's ROM with a wrong CRC that its clones share (galagao...)"),
    ("digdug", "nodevice", "device set namco53 absent (its ROM not in digdug's own archive either)"),
    ("pc_smb", "nobios", "BIOS set playch10 absent (its ROMs not in pc_smb's own archive either)"),
    ("kinst", "nochd", "CHD kinst absent, ROMs present"),
    ("kinst2", "chd", "CHD present: kinst2/kinst2.chd, a v5 header carrying the listed SHA-1"),
    ("ng_mv1", "biosonly", "machine made only of BIOS ROMs (no archive of its own when split or merged)"),
    ("puckmod", "absentclone", "clone absent, parent puckman present"),
    ("mspacman", "damaged", "stored member whose data is changed behind a right CRC in the ZIP header"),
    ("invaders", "7z", "7z set (merged: the clones' files in it too)"),
    ("galaxian", "dir", "directory set (merged: the clones' files in it too)"),
    ("phoenixha", "clonename", "clone with files named as its parent's: CLONE/NAME in the merged set"),
]


class Rom:
    def __init__(self, e):
        self.name = e.get("name")
        self.size = int(e.get("size", "0"))
        self.crc = e.get("crc")
        self.merge = e.get("merge")
        self.nodump = e.get("status") == "nodump" or self.crc is None


class Machine:
    def __init__(self, e):
        self.name = e.get("name")
        self.cloneof = e.get("cloneof")
        self.romof = e.get("romof")
        self.isbios = e.get("isbios") == "yes"
        self.isdevice = e.get("isdevice") == "yes"
        self.roms = [Rom(r) for r in e.findall("rom")]
        self.disks = [(d.get("name"), d.get("sha1")) for d in e.findall("disk") if d.get("sha1")]
        self.devices = []
        for d in e.findall("device_ref"):
            if d.get("name") not in self.devices:
                self.devices.append(d.get("name"))


def forge_tail(have, want):
    reg = ~want & 0xFFFFFFFF
    for _ in range(32):
        reg = (((reg ^ POLY) << 1) | 1) & 0xFFFFFFFF if reg & 0x80000000 else (reg << 1) & 0xFFFFFFFF
    return reg ^ (~have & 0xFFFFFFFF)


class Pool:
    """Forged ROM contents by (size, CRC), each made once and kept across runs."""

    def __init__(self, directory):
        self.directory = directory
        os.makedirs(directory, exist_ok=True)
        self.made = 0

    def path(self, size, crc):
        crc = crc.lower()
        path = os.path.join(self.directory, f"{size}_{crc}.bin")
        if not os.path.exists(path):
            want = int(crc, 16)
            data = bytearray(random.Random(size * 0x100000000 + want).randbytes(size))
            if size >= 4:
                tail = forge_tail(zlib.crc32(data[:-4]), want)
                data[-4:] = struct.pack("<I", tail)
                assert zlib.crc32(data) == want
            with open(path + ".tmp", "wb") as out:
                out.write(data)
            os.replace(path + ".tmp", path)
            self.made += 1
        return path


def chd_bytes(sha1):
    """An uncompressed CHD v5 of one 4096-byte hunk whose header carries SHA1 as its data's
    (combined) SHA-1: the emulator's audit reads that field and no more."""
    hunk = 4096
    header = bytearray(124)
    header[0:8] = b"MComprHD"
    struct.pack_into(">II", header, 8, 124, 5)  # length, version; compressors[4] stay 0
    struct.pack_into(">QQQII", header, 32, hunk, 124, 0, hunk, 512)  # logical, map, meta, hunk, unit
    digest = bytes.fromhex(sha1)
    header[64:84] = digest  # raw SHA-1 (no metadata, so the same)
    header[84:104] = digest
    mapped = struct.pack(">I", 1)  # the hunk at offset 1 * hunk
    body = bytes(header) + mapped
    return body + bytes(hunk - len(body)) + random.Random(int(sha1[:8], 16)).randbytes(hunk)


def main():
    listxml, work = sys.argv[1], sys.argv[2]
    machines = {}
    for _, e in ET.iterparse(listxml):
        if e.tag == "machine":
            machines[e.get("name")] = Machine(e)
            e.clear()
    world = [n for f in FAMILIES for n in f.split()]
    missing = [n for n in world if n not in machines]
    if missing:
        sys.exit("not in the list: " + " ".join(missing))
    kinds = {c[0]: c[1] for c in CASES}
    pool = Pool(os.path.join(work, "pool"))
    root = os.path.join(work, "worlds")
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(root)

    def device_sets(m):
        # The devices with ROMs a machine uses (namco51...), each once.
        return [d for d in m.devices if d in machines and machines[d].roms]

    # The whole world's names: its machines and the devices with ROMs they use.
    names = list(world)
    for n in world:
        for d in device_sets(machines[n]):
            if d not in names:
                names.append(d)

    absent = {"puckmod", "dkongjr", "namco53", "playch10"}
    bad_rom = {}  # set -> (rom name, kind) of the fault planted in it

    def pick(setname):
        # The first ROM of the set that is its own (not merged, dumped): the one a fault goes to.
        for r in machines[setname].roms:
            if not r.merge and not r.nodump:
                return r.name
        raise SystemExit(f"{setname} has no ROM of its own")

    for s, kind, _ in CASES:
        if kind in ("missing", "crc", "size", "rename", "sharedcrc", "damaged"):
            bad_rom[s] = (pick(s), kind)
    # galaga's fault must be in a ROM its clones share: the first ROM that a clone merges.
    shared = [r.merge for c in world if machines[c].cloneof == "galaga" for r in machines[c].roms if r.merge]
    galaga_rom = next(r.name for r in machines["galaga"].roms if r.name in shared and not r.merge)
    bad_rom["galaga"] = (galaga_rom, "crc")

    def content(setname, rom):
        """(source path or None, name in the set) of one ROM as the collection holds it."""
        name, size, crc = rom.name, rom.size, rom.crc
        owner = setname
        # A merged ROM's content comes from where it is merged from, with that set's fault.
        m = machines[setname]
        while rom.merge and m.romof and m.romof in machines:
            parent = machines[m.romof]
            match = next((r for r in parent.roms if r.name == rom.merge and r.crc == rom.crc), None)
            if match is None:
                break
            owner, m, rom = parent.name, parent, match
        fault = bad_rom.get(owner)
        if fault and fault[0] == rom.name:
            kind = fault[1]
            if kind == "missing":
                return None, name
            if kind == "crc":
                crc = f"{int(crc, 16) ^ 1:08x}"
            elif kind == "size":
                size //= 2
            elif kind == "rename" and owner == setname:
                name = "renamed.bin"
        return pool.path(size, crc), name

    def files_of(setname, with_merged, with_devices):
        """{name in archive: source} of one set: its own ROMs, those it merges from its parent
        or BIOS when asked, and its devices' ROMs when asked."""
        m = machines[setname]
        out = {}
        for r in m.roms:
            if r.nodump or (r.merge and not with_merged):
                continue
            if kinds.get(setname) == "nobios" and r.merge and machines[m.romof].isbios:
                continue
            src, name = content(setname, r)
            if src:
                out.setdefault(name, src)
        if with_devices:
            for d in device_sets(m):
                if d in absent:
                    continue
                out.update({k: v for k, v in files_of(d, True, False).items() if k not in out})
        return out

    def write_set(directory, setname, files, damaged=None):
        form = {"invaders": "7z", "galaxian": "dir"}.get(setname, "zip")
        if not files:
            return
        if form == "dir":
            for name, src in sorted(files.items()):
                dest = os.path.join(directory, setname, name)
                os.makedirs(os.path.dirname(dest), exist_ok=True)
                shutil.copyfile(src, dest)
            return
        if form == "7z":
            stage = os.path.join(work, "stage7z")
            shutil.rmtree(stage, ignore_errors=True)
            for name, src in files.items():
                dest = os.path.join(stage, name)
                os.makedirs(os.path.dirname(dest), exist_ok=True)
                shutil.copyfile(src, dest)
                os.utime(dest, (1672531200, 1672531200))
            subprocess.run(["7z", "a", "-bd", "-bso0", "-bsp0", "-mx=1", "-mtm=off",
                            os.path.join(directory, setname + ".7z")] + sorted(files),
                           cwd=stage, check=True)
            shutil.rmtree(stage)
            return
        path = os.path.join(directory, setname + ".zip")
        with zipfile.ZipFile(path, "w") as z:
            for name in sorted(files):
                info = zipfile.ZipInfo(name, DATE)
                info.external_attr = 0o644 << 16
                # Random data does not shrink: large members are stored as zip itself would,
                # small ones deflated so both kinds of member are read.
                stored = name == damaged or os.path.getsize(files[name]) > 65536
                info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
                with open(files[name], "rb") as f:
                    z.writestr(info, f.read(), compresslevel=None if stored else 1)
        if damaged:
            # Change a data byte of the stored member: the headers keep the right CRC.
            with zipfile.ZipFile(path) as z:
                info = z.getinfo(damaged)
            with open(path, "r+b") as f:
                f.seek(info.header_offset)
                local = f.read(30)
                name_len, extra_len = struct.unpack("<HH", local[26:30])
                at = info.header_offset + 30 + name_len + extra_len + 16
                f.seek(at)
                byte = f.read(1)
                f.seek(at)
                f.write(bytes([byte[0] ^ 0xFF]))

    report = []

    def build(layout):
        directory = os.path.join(root, layout)
        os.makedirs(directory)
        merged_into = {}  # merged: parent -> {name: src}
        for n in names:
            m = machines[n]
            if n in absent:
                continue
            damaged = bad_rom[n][0] if kinds.get(n) == "damaged" else None
            if layout == "nonmerged":
                if m.isbios or m.isdevice:
                    files = files_of(n, True, False)
                else:
                    files = files_of(n, True, True)
                write_set(directory, n, files, damaged)
            elif layout == "split":
                write_set(directory, n, files_of(n, False, False), damaged)
            else:
                if m.cloneof and m.cloneof in machines:
                    if m.cloneof in absent:  # its own files under its absent parent's name
                        write_set(directory, m.cloneof, files_of(n, False, False))
                    continue  # written with its parent
                files = files_of(n, False, False)
                for c in names:
                    if machines[c].cloneof != n or c in absent:
                        continue
                    for name, src in files_of(c, False, False).items():
                        if name in files and files[name] != src:  # the pool shares equal contents
                            files[f"{c}/{name}"] = src
                            report.append(f"merged: {n}: {c}/{name}")
                        else:
                            files.setdefault(name, src)
                write_set(directory, n, files, damaged)
            # The CHDs: kinst2's present, kinst's left out.
            if m.disks and kinds.get(n) == "chd":
                for disk, sha1 in m.disks:
                    dest = os.path.join(directory, n, disk + ".chd")
                    os.makedirs(os.path.dirname(dest), exist_ok=True)
                    with open(dest, "wb") as f:
                        f.write(chd_bytes(sha1))

    for layout in ("nonmerged", "split", "merged"):
        build(layout)

    with open(os.path.join(root, "names.txt"), "w") as f:
        f.write("\n".join(sorted(names)) + "\n")
    with open(os.path.join(root, "cases.txt"), "w") as f:
        for s, kind, what in CASES:
            rom = f" ({bad_rom[s][0]})" if s in bad_rom else ""
            f.write(f"{s}\t{kind}\t{what}{rom}\n")
        for line in sorted(set(report)):
            f.write(f"{line.split(': ', 2)[2].split('/')[0]}\tclonename\tmerged {line[8:]}\n")
    print(f"{len(names)} machines a world, {pool.made} ROM files forged now", file=sys.stderr)


if __name__ == "__main__":
    main()
