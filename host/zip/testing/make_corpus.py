#!/usr/bin/python3
"""The archive corpus that host_zip_extract_test extracts, written at test time
by tools other than the extractor: Info-ZIP zip, Python's zipfile and the
payload packer.

  make_corpus.py setup CORPUS SANDBOX DRIVE-LINK PACKER
  make_corpus.py cleanup CORPUS SANDBOX DRIVE-LINK

setup writes
  CORPUS/archives/<case>.zip  the archive (none for the missing-archive case);
  CORPUS/expected/<case>/     what the destination must hold afterwards (none
                              when the destination must not be created), with
                              the expected last-write and last-access times;
  CORPUS/cases.txt            one case a line, tab-separated, GBK: name,
                              expected result, times to compare ("w" last-write,
                              "a" last-access, "-" none), destination below the
                              case's folder.
It also empties SANDBOX and points DRIVE-LINK, an entry of the Wine prefix's
dosdevices, at it: the test extracts on that drive with its current directory
there, so a rooted, drive-relative or parent-relative name can only ever reach
the sandbox. cleanup removes the drive and the sandbox.
"""

import calendar
import io
import os
import random
import shutil
import struct
import subprocess
import sys
import time
import zipfile

DESTINATION = b"a\\b\\dest"
# GBK's "乗" is 81 5C: its trail byte is the backslash byte.
TRAIL_5C = "乗".encode("gbk")
DOS_TIME = (2014, 12, 4, 15, 2, 4)
FOLDER_ATTRIBUTE = 0x10
MADE_ON_MSDOS = 0


def utc(date_time):
    return calendar.timegm(tuple(date_time) + (0, 0, 0))


def sample_text(lines, seed):
    rng = random.Random(seed)
    words = ["server", "client", "reply", "聊天", "词库", "message", "room", "nickname"]
    return "".join(" ".join(rng.choice(words) for _ in range(8)) + "\r\n" for _ in range(lines)).encode("gbk")


def sample_random(size, seed):
    return random.Random(seed).randbytes(size)


def on_disk(name):
    """The Linux name that a GBK name has once Wine has stored it (UTF-8)."""
    return name.decode("gbk").encode("utf-8")


class RawName(zipfile.ZipInfo):
    """An entry whose name is stored as the given bytes, without the UTF-8 flag."""

    def __init__(self, raw, date_time=DOS_TIME, attributes=0x20):
        super().__init__(raw.decode("latin-1"), date_time)
        self.raw = raw
        self.create_system = MADE_ON_MSDOS
        self.external_attr = attributes

    def _encodeFilenameFlags(self):
        return self.raw, self.flag_bits


def ut_block(modified=None, accessed=None, created=None):
    """An extended-timestamp extra block ("UT") holding the times given."""
    times = [modified, accessed, created]
    flags = sum(1 << i for i, t in enumerate(times) if t is not None)
    data = bytes([flags]) + b"".join(struct.pack("<i", t) for t in times if t is not None)
    return struct.pack("<HH", 0x5455, len(data)) + data


class Corpus:
    def __init__(self, root, drive, packer):
        self.root = root
        self.drive = drive
        self.packer = packer
        self.lines = []
        for part in ("archives", "expected", "sources"):
            os.makedirs(os.path.join(root, part))

    def archive(self, case):
        return os.path.join(self.root, "archives", case + ".zip")

    def expected(self, case):
        return os.path.join(os.fsencode(self.root), b"expected", case.encode())

    def add(self, case, result, times="-", destination=DESTINATION):
        self.lines.append(b"\t".join([case.encode(), str(result).encode(), times.encode(), destination]) + b"\n")

    def expect_file(self, case, name, data, modified=None, accessed=None):
        path = os.path.join(self.expected(case), on_disk(name))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        if modified is not None:
            os.utime(path, (accessed if accessed is not None else modified, modified))

    def expect_folder(self, case, name=b""):
        os.makedirs(os.path.join(self.expected(case), on_disk(name)), exist_ok=True)

    def write_python(self, case, entries, compression=zipfile.ZIP_DEFLATED, unseekable=False):
        """entries: (ZipInfo, data); data None for a folder entry."""
        target = Unseekable() if unseekable else open(self.archive(case), "wb")
        with zipfile.ZipFile(target, "w", compression) as z:
            for info, data in entries:
                info.compress_type = compression if data else zipfile.ZIP_STORED
                z.writestr(info, data or b"")
        if unseekable:
            with open(self.archive(case), "wb") as f:
                f.write(target.getvalue())

    def finish(self):
        with open(os.path.join(self.root, "cases.txt"), "wb") as f:
            f.writelines(self.lines)


class Unseekable(io.RawIOBase):
    """An output that cannot seek, so zipfile writes data descriptors."""

    def __init__(self):
        self.buffer = io.BytesIO()

    def writable(self):
        return True

    def write(self, data):
        return self.buffer.write(data)

    def getvalue(self):
        return self.buffer.getvalue()


def info_zip(args, cwd, stdout=None):
    env = dict(os.environ, LC_ALL="C")  # names are passed as the bytes they are
    return subprocess.run(["zip", "-q"] + args, cwd=cwd, env=env, check=True, stdout=stdout).stdout


def source_tree(root, files, folders=()):
    """files: name -> (data, mtime, mode); written below root."""
    for name in folders:
        os.makedirs(os.path.join(root, name), exist_ok=True)
    for name, (data, mtime, mode) in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        os.chmod(path, mode)
        os.utime(path, (mtime, mtime))


def flags_of(path):
    with zipfile.ZipFile(path) as z:
        return [(info.orig_filename.encode("cp437") if not info.flag_bits & 0x800 else info.filename.encode(),
                 info.flag_bits) for info in z.infolist()]


def info_zip_cases(corpus):
    source = os.path.join(corpus.root, "sources", "plain")
    files = {
        b"top.txt": (sample_text(3000, 1), 1300000000, 0o644),
        b"random.bin": (sample_random(200000, 2), 1300001000, 0o644),
        b"readonly.txt": (sample_text(50, 3), 1300002000, 0o444),
        b"empty.txt": (b"", 1300003000, 0o644),
        b"sub/deeper/nested.txt": (sample_text(200, 4), 1300004000, 0o644),
    }
    source_tree(os.fsencode(source), files, folders=[b"emptydir"])
    names = sorted(os.listdir(source))

    def expect(case, with_empty_folder=True):
        for name, (data, mtime, _) in files.items():
            corpus.expect_file(case, name, data, mtime)
        if with_empty_folder:
            corpus.expect_folder(case, b"emptydir")

    # Deflate, folder entries, "UT" times, a read-only file (owner-write clear).
    info_zip(["-r", corpus.archive("infozip-deflate")] + names, source)
    expect("infozip-deflate")
    corpus.add("infozip-deflate", 1, "w")

    # Stored, and no folder entries: the folders of nested files are made anyway.
    info_zip(["-r", "-0", "-D", corpus.archive("infozip-stored-no-folders")] + names, source)
    expect("infozip-stored-no-folders", with_empty_folder=False)
    corpus.add("infozip-stored-no-folders", 1, "w")

    # Written to a pipe, so every entry has a data descriptor.
    streamed = info_zip(["-r", "-"] + names, source, stdout=subprocess.PIPE)
    with open(corpus.archive("infozip-streamed"), "wb") as f:
        f.write(streamed)
    assert all(flags & 0x08 for name, flags in flags_of(corpus.archive("infozip-streamed")) if name[-1:] != b"/")
    expect("infozip-streamed")
    corpus.add("infozip-streamed", 1, "w")

    # GBK names, one with a trail byte 0x5C in a file name and one in a folder name.
    source = os.path.join(corpus.root, "sources", "gbk")
    gbk_files = {
        "聊天室服务器.exe".encode("gbk"): (sample_random(5000, 5), 1400000000, 0o644),
        b"a" + TRAIL_5C + b"b.txt": (sample_text(10, 6), 1400001000, 0o644),
        b"d" + TRAIL_5C + b"/f.txt": (sample_text(10, 7), 1400002000, 0o644),
    }
    source_tree(os.fsencode(source), gbk_files)
    info_zip(["-r", corpus.archive("infozip-gbk-names")] + sorted(os.listdir(os.fsencode(source))), source)
    stored = dict(flags_of(corpus.archive("infozip-gbk-names")))
    assert all(name in stored and not stored[name] & 0x800 for name in gbk_files), stored
    for name, (data, mtime, _) in gbk_files.items():
        corpus.expect_file("infozip-gbk-names", name, data, mtime)
    corpus.add("infozip-gbk-names", 1, "w")


def python_cases(corpus):
    dos = utc(DOS_TIME)

    # MS-DOS attributes, folder entries, a folder entry known only by its name,
    # no "UT" block: every time is the DOS time as it stands.
    entries = [
        (RawName(b"plain.txt"), sample_text(100, 10)),
        (RawName(b"readonly.txt", attributes=0x21), sample_text(20, 11)),
        (RawName(b"hidden.txt", attributes=0x22), sample_text(20, 12)),
        (RawName(b"system.txt", attributes=0x24), sample_text(20, 13)),
        (RawName(b"folder/", attributes=FOLDER_ATTRIBUTE), None),
        (RawName(b"folder/inner.bin"), sample_random(70000, 14)),
        (RawName(b"bare/", attributes=0), None),
        (RawName(b"bare/inside.txt"), sample_text(5, 15)),
    ]
    corpus.write_python("python-dos-times", entries)
    for info, data in entries:
        if data is None:
            corpus.expect_folder("python-dos-times", info.raw)
        else:
            corpus.expect_file("python-dos-times", info.raw, data, dos)
    corpus.add("python-dos-times", 1, "wa")

    # Names flagged as UTF-8 are still taken as bytes of the system code page.
    utf8_names = ["聊天/文件.txt", "ascii.txt"]
    entries = [(zipfile.ZipInfo(name, DOS_TIME), sample_text(30, 20 + i)) for i, name in enumerate(utf8_names)]
    corpus.write_python("python-utf8-flag", entries, zipfile.ZIP_STORED)
    assert any(flags & 0x800 for _, flags in flags_of(corpus.archive("python-utf8-flag")))
    for info, data in entries:
        corpus.expect_file("python-utf8-flag", info.filename.encode("utf-8"), data, dos)
    corpus.add("python-utf8-flag", 1, "wa")

    # "UT" blocks replace only the times their flags name.
    modified, accessed, created = 1500000000, 1500003600, 1400000000
    ut_entries = [
        (b"all-three.txt", ut_block(modified, accessed, created), modified, accessed),
        (b"modified-only.txt", ut_block(modified), modified, dos),
        (b"modified-accessed.txt", ut_block(modified + 2, accessed + 2), modified + 2, accessed + 2),
    ]
    entries = []
    for i, (name, extra, expect_modified, expect_accessed) in enumerate(ut_entries):
        info = RawName(name)
        info.extra = extra
        data = sample_text(40, 30 + i)
        entries.append((info, data))
        corpus.expect_file("python-ut-times", name, data, expect_modified, expect_accessed)
    corpus.write_python("python-ut-times", entries)
    corpus.add("python-ut-times", 1, "wa")

    # Written to an output that cannot seek: data descriptors.
    entries = [(RawName(b"streamed.txt"), sample_text(500, 40)), (RawName(b"streamed.bin"), sample_random(30000, 41))]
    corpus.write_python("python-streamed", entries, unseekable=True)
    assert all(flags & 0x08 for _, flags in flags_of(corpus.archive("python-streamed")))
    for info, data in entries:
        corpus.expect_file("python-streamed", info.raw, data, dos)
    corpus.add("python-streamed", 1, "wa")

    entries = [(RawName(b"first.txt"), sample_text(60, 50)), (RawName(b"second.txt"), sample_text(60, 51))]
    corpus.write_python("two-files", entries)
    for info, data in entries:
        corpus.expect_file("two-files", info.raw, data, dos)
    corpus.add("two-files", 1, "wa")


def damaged_cases(corpus):
    # A stored entry with one data byte changed: only the CRC-32 can tell.
    corpus.write_python("crc-mismatch", [(RawName(b"data.txt"), sample_text(40, 60))], zipfile.ZIP_STORED)
    damage(corpus.archive("crc-mismatch"), 5, lambda b: b ^ 0x01)
    corpus.expect_folder("crc-mismatch")
    corpus.add("crc-mismatch", 0)

    # Deflate data opening with a block of the reserved type 3.
    corpus.write_python("corrupt-deflate", [(RawName(b"data.txt"), sample_text(40, 61))])
    damage(corpus.archive("corrupt-deflate"), 0, lambda b: 0x07)
    corpus.expect_folder("corrupt-deflate")
    corpus.add("corrupt-deflate", 0)

    with open(corpus.archive("not-zip"), "wb") as f:
        f.write(b"This file is plain text and no ZIP archive at all.\r\n" * 4)
    corpus.expect_folder("not-zip")
    corpus.add("not-zip", 0)

    # The signature is there, but not the 32 bytes a local header needs.
    corpus.write_python("too-short", [(RawName(b"data.txt"), b"x")])
    with open(corpus.archive("too-short"), "r+b") as f:
        f.truncate(31)
    corpus.expect_folder("too-short")
    corpus.add("too-short", 0)

    # Nothing at the archive path: the destination is not created.
    corpus.add("missing-archive", -1)


def damage(path, offset_in_data, change):
    """Changes one byte of the first entry's data."""
    with open(path, "r+b") as f:
        header = f.read(30)
        name_length, extra_length = struct.unpack("<HH", header[26:30])
        f.seek(30 + name_length + extra_length + offset_in_data)
        byte = f.read(1)[0]
        f.seek(-1, os.SEEK_CUR)
        f.write(bytes([change(byte)]))


def hostile_cases(corpus):
    """Names that lead outside the destination: each is refused (result 0) and
    the entry after it is not extracted."""
    drive = corpus.drive.encode()
    names = {
        "parent": b"../../escaped.txt",
        "parent-backslash": b"..\\..\\escaped.txt",
        "parent-inside": b"sub/../../../escaped.txt",
        "parent-mixed": b"..\\../escaped.txt",
        "rooted-slash": b"/escaped.txt",
        "rooted-backslash": b"\\escaped.txt",
        "unc": b"\\\\server\\share\\escaped.txt",
        "unc-slash": b"//server/share/escaped.txt",
        "device-path": b"\\\\?\\" + drive + b":\\escaped.txt",
        "drive-absolute": drive + b":\\escaped.txt",
        "drive-slash": drive + b":/escaped.txt",
        "drive-relative": drive + b":escaped.txt",
        "parent-after-gbk": b"sub/" + TRAIL_5C + b"/../../../escaped.txt",
    }
    for label, name in names.items():
        case = "hostile-" + label
        corpus.write_python(case, [(RawName(name), b"must not be written\r\n"),
                                   (RawName(b"after.txt"), b"must not be written either\r\n")])
        corpus.expect_folder(case)
        corpus.add(case, 0)


def packer_cases(corpus):
    source = os.path.join(corpus.root, "sources", "packed.txt")
    data = sample_text(2000, 70)
    with open(source, "wb") as f:
        f.write(data)
    modified = 1418000000  # even: DOS times count in two seconds
    os.utime(source, (modified, modified))
    name = "词库说明.txt"
    subprocess.run([corpus.packer, source, name, corpus.archive("packer")], check=True)
    # The packer records local time; the extraction takes it as it stands.
    dos = utc(time.localtime(modified)[:6])
    corpus.expect_file("packer", name.encode("gbk"), data, dos)
    corpus.add("packer", 1, "wa")

    # A destination with a trail byte 0x5C inside and at its very end.
    shutil.copy(corpus.archive("packer"), corpus.archive("gbk-destination"))
    corpus.expect_file("gbk-destination", name.encode("gbk"), data, dos)
    corpus.add("gbk-destination", 1, "wa", b"a\\" + TRAIL_5C + b"\\dest" + TRAIL_5C)


def setup(corpus_dir, sandbox, drive_link, packer):
    cleanup(corpus_dir, sandbox, drive_link)
    os.makedirs(sandbox)
    os.makedirs(os.path.dirname(drive_link), exist_ok=True)
    os.symlink(os.path.abspath(sandbox), drive_link)
    corpus = Corpus(corpus_dir, os.path.basename(drive_link)[0].upper(), packer)
    info_zip_cases(corpus)
    python_cases(corpus)
    damaged_cases(corpus)
    hostile_cases(corpus)
    packer_cases(corpus)
    corpus.finish()


def cleanup(corpus_dir, sandbox, drive_link):
    if os.path.islink(drive_link):
        os.remove(drive_link)
    for folder in (corpus_dir, sandbox):
        if os.path.exists(folder):
            for root, dirs, _ in os.walk(folder):
                for d in dirs:
                    os.chmod(os.path.join(root, d), 0o755)
            shutil.rmtree(folder)


if __name__ == "__main__":
    command, arguments = sys.argv[1], sys.argv[2:]
    if command == "setup" and len(arguments) == 4:
        setup(*arguments)
    elif command == "cleanup" and len(arguments) == 3:
        cleanup(*arguments)
    else:
        sys.exit(__doc__)
