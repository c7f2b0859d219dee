"""The hostile-media corpus: archives and joins as a hostile or broken installation disk
would present them, made at test time (nothing here is stored as a binary), each with
the result the setup must give. check_corpus.py runs them.

A case is a dict:
  name      short identifier (a folder of the sandbox)
  archive   the archive's bytes (an unpacking case), or
  media     {file name: bytes, or DIR for a folder} of the disk (a join case), and
  work      {file name: bytes} in the work folder before the join (stale archives)
  dest      {relative path: bytes, DIR, or ("link", target)} in the destination before
            (a link target is relative to the sandbox)
  fault     the fault of the unpacking ("None" when every entry is written)
  entry     the entry the fault names (optional)
  written   {relative path: bytes} the destination holds afterwards besides what it held
  join      "Joined" or "Failed" (join cases), says: a text the join's message holds
  work_after {file name: bytes or None} the work folder's archives afterwards
Everything else in the sandbox must be as it was, and no temporary file may be left.
"""
import struct
import zlib

DIR = object()


def entry(name, data=b"", method=8, flags=0, **fields):
    """One entry; fields override what is written: crc, size, csize (both headers),
    local_name, disk (its starting disk), raw (the stored bytes as they are)."""
    if isinstance(name, str):
        name = name.encode("utf-8")
        if any(c > 0x7F for c in name):
            flags |= 0x0800
    return dict(name=name, data=data, method=method, flags=flags, **fields)


def deflate(data):
    c = zlib.compressobj(6, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


def make_zip(entries, end_disk=0, end_dir_disk=0, comment=b"", count=None):
    out, central = bytearray(), bytearray()
    for e in entries:
        data = e["data"]
        stored = e.get("raw", deflate(data) if e["method"] == 8 else data)
        crc = e.get("crc", zlib.crc32(data))
        size = e.get("size", len(data))
        csize = e.get("csize", len(stored))
        offset = len(out)
        local_name = e.get("local_name", e["name"])
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, e["flags"], e["method"], 0, 0x21, crc, csize, size,
                           len(local_name), 0) + local_name + stored
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 0x031E, 20, e["flags"], e["method"], 0, 0x21, crc,
                               csize, size, len(e["name"]), 0, 0, e.get("disk", 0), 0, 0,
                               e.get("offset", offset)) + e["name"]
    n = len(entries) if count is None else count
    directory = len(out)
    out += central
    out += struct.pack("<IHHHHIIH", 0x06054B50, end_disk, end_dir_disk, n, n, len(central), directory,
                       len(comment)) + comment
    return bytes(out)


def table(rows):
    return "".join(f"{k:06d};FIRMA {k % 97};{k * 7 % 1000}.{k % 100:02d}\r\n" for k in range(rows)).encode()


def archive_cases(dest_length):
    """Unpacking cases; dest_length: characters of the destination's full path as the
    runner names it, for the cases at the edge of the platform's limits."""
    good = entry("GOOD.TXT", b"good")
    user = {"FIRME.DB": b"the user's database", "~czBEEF.tmp": b"a file of the user's"}
    cases = []

    def refuse(name, entries, fault, named=None, dest=None, **more):
        cases.append(dict(name=name, archive=make_zip(entries), fault=fault, entry=named, dest=dest or dict(user),
                          written={}, **more))

    # Names that leave the destination, in every spelling.
    for i, bad in enumerate(["../evil.txt", "DATA/../../evil.txt", "/tmp/evil.txt", "C:/evil.txt", "C:evil.txt",
                             "\\\\server\\share\\evil.txt", "//server/share/evil.txt", "..\\evil.txt",
                             "DATA\\..\\..\\evil.txt", "\\evil.txt", "a\x01/../../evil.txt"]):
        refuse(f"leaves-{i}", [good, entry(bad, b"evil")], "UnsafeName", bad)
    # Names Windows cannot write: each refused for its own reason.
    for i, bad in enumerate(["CORVAN.EXE:Zone.Identifier", "DATA/NUL.txt", "COM1", "lpt\u00b9.log", "con",
                             "FIRME\x01.DB", "line\nbreak.txt", "tab\there", "evil.", "evil ", "a?b", "a*b", "a<b>",
                             "a|b", "a\"b", "DATA//x", "./x", "bad\x7f"]):
        refuse(f"invalid-{i}", [good, entry(bad, b"bad")], "InvalidName", bad)
    refuse("not-utf8", [good, entry(b"\xc3\x28.txt", b"x", flags=0x0800)], "InvalidName")
    refuse("nul-in-name", [good, entry(b"a\x00b.txt", b"x")], "InvalidName")
    # Paths no folder can hold, and the edge of the limits under this destination.
    refuse("two-long-folders", [entry("A" * 150 + "/" + "B" * 150 + "/x.txt", b"x")], "PathTooLong")
    refuse("nested-32767", [entry("d/" * 32767 + "f", b"x")], "PathTooLong")
    refuse("path-33000", [entry(("p" * 99 + "/") * 330 + "f.txt", b"x")], "PathTooLong")
    fits = 259 - dest_length - 1
    cases.append(dict(name="longest-file", archive=make_zip([entry("f" * fits, b"fits")]), fault="None",
                      dest={}, written={"f" * fits: b"fits"}))
    refuse("one-char-too-long", [good, entry("o" * (fits + 1), b"over")], "PathTooLong", "o" * (fits + 1), dest={})
    folder = 247 - dest_length - 1
    refuse("folder-too-long", [good, entry("d" * (folder + 1) + "/", b"", method=0)], "PathTooLong", dest={})
    # Two entries Windows would write to one file.
    refuse("same-name-twice", [entry("a.txt", b"1"), entry("a.txt", b"2")], "DuplicateName", "a.txt")
    refuse("case-differs", [entry("a.txt", b"small"), entry("A.TXT", b"CAPITAL")], "DuplicateName", "A.TXT")
    refuse("separators-differ", [entry("DATA/FIRME.DB", b"1"), entry("data\\firme.db", b"2")], "DuplicateName")
    refuse("romanian-case", [entry("\u0219coala.txt", b"1"), entry("\u0218COALA.TXT", b"2")], "DuplicateName")
    refuse("file-and-folder", [entry("DATA", b"1"), entry("DATA/FIRME.DB", b"2")], "FileFolderClash",
           "DATA/FIRME.DB")
    # The archive itself: damaged, lying, or not one archive in one file.
    two = [entry("A.TXT", table(300)), entry("FIRME.DB", table(2000), method=0)]
    whole = make_zip(two)
    cases.append(dict(name="second-volume", archive=make_zip(two, end_disk=1, end_dir_disk=1), fault="MultiDisk",
                      dest=dict(user), written={}))
    refuse("entry-on-another-volume", [good, entry("B.TXT", b"b", disk=2)], "MultiDisk", "B.TXT")
    for name, data, fault in [("cut-in-half", whole[: len(whole) // 2], "Truncated"),
                              ("last-byte-missing", whole[:-1], "Truncated"),
                              ("bytes-appended", whole + b"x", "Damaged"),
                              ("not-a-zip", b"MZ" + b"\0" * 200, "NotAnArchive"),
                              ("empty-file", b"", "NotAnArchive")]:
        cases.append(dict(name=name, archive=data, fault=fault, dest=dict(user), written={}))
    refuse("overlapping-entries", [entry("A.TXT", b"aaaa", method=0), entry("B.TXT", b"aaaa", method=0, offset=0)],
           "Damaged")
    refuse("local-name-differs", [entry("A.TXT", b"a", method=0, local_name=b"EVIL.EXE")], "Damaged", "A.TXT")
    refuse("encrypted", [good, entry("SECRET.DB", b"x", flags=1)], "Encrypted", "SECRET.DB")
    refuse("bzip2", [good, entry("B.DB", b"x", method=12)], "UnsupportedMethod", "B.DB")
    refuse("zip64-sizes", [good, entry("BIG.DB", b"x", method=0, size=0xFFFFFFFF, csize=0xFFFFFFFF)], "Zip64",
           "BIG.DB")
    # Lies found while unpacking: the entries before stay written, the user's file of the
    # failing entry's name is left whole, and no temporary file is left.
    lying = [entry("OK.TXT", b"fine"), entry("FIRME.DB", table(5000))]
    cases.append(dict(name="crc-lie", archive=make_zip([lying[0], dict(lying[1], crc=0xDEADBEEF)]),
                      fault="CrcMismatch", entry="FIRME.DB", dest=dict(user), written={"OK.TXT": b"fine"}))
    cases.append(dict(name="size-lie", archive=make_zip([lying[0], dict(lying[1], size=len(table(5000)) - 1)]),
                      fault="SizeMismatch", entry="FIRME.DB", dest=dict(user), written={"OK.TXT": b"fine"}))
    bomb = b"\0" * (4 << 20)
    cases.append(dict(name="bomb-past-its-size", archive=make_zip([lying[0], entry("FIRME.DB", bomb, size=1000)]),
                      fault="SizeMismatch", entry="FIRME.DB", dest=dict(user), written={"OK.TXT": b"fine"}))
    cases.append(dict(name="deflate-garbage", archive=make_zip([lying[0], entry("FIRME.DB", b"abc",
                                                                                raw=b"\xff" * 50)]),
                      fault="Damaged", entry="FIRME.DB", dest=dict(user), written={"OK.TXT": b"fine"}))
    # What lies in the destination: a link is never followed, a file or folder in the way
    # is a write failure, and the user's files are replaced only by whole entries.
    cases.append(dict(name="folder-is-a-link", archive=make_zip([entry("DATA/FIRME.DB", b"evil")]),
                      fault="WriteError", dest={"DATA": ("link", "outside")}, written={}))
    cases.append(dict(name="file-is-a-link", archive=make_zip([entry("LINK.TXT", b"new")]), fault="None",
                      dest={"LINK.TXT": ("link", "outside/secret.txt")}, written={"LINK.TXT": b"new"}))
    cases.append(dict(name="file-in-the-way", archive=make_zip([entry("DATA/FIRME.DB", b"x")]), fault="WriteError",
                      dest={"DATA": b"a file named like the folder"}, written={}))
    cases.append(dict(name="folder-in-the-way", archive=make_zip([entry("X.TXT", b"x")]), fault="WriteError",
                      dest={"X.TXT": DIR}, written={}))
    # Archives that must unpack whole.
    cases.append(dict(name="ordinary", fault="None", dest=dict(user, **{"OLD.TXT": b"old"}),
                      archive=make_zip([entry("CORVAN.EXE", bytes(range(256)) * 800, method=0),
                                        entry("DATA/", b"", method=0), entry("DATA/FIRME.DB", table(3000)),
                                        entry("Data/OPERATOR.DB", b"operators"), entry("FIRME.DB", b"new db"),
                                        entry("EMPTY.TXT", b""), entry("\u0218coala/\u021bar\u0103.txt", b"ro")]),
                      written={"CORVAN.EXE": bytes(range(256)) * 800, "DATA/FIRME.DB": table(3000),
                               "DATA/OPERATOR.DB": b"operators", "FIRME.DB": b"new db", "EMPTY.TXT": b"",
                               "\u0218coala/\u021bar\u0103.txt": b"ro"}))
    return cases


def join_cases():
    """Join cases: the parts of a disk (one disk, its marker present), the work folder.
    After a join, each archive it left is unpacked in the order of the component table
    (EXE before BDE32) into a folder of its name, up to the first that fails."""
    exe = make_zip([entry("CORVAN.EXE", table(4000)), entry("DATA/FIRME.DB", table(1000))])
    half = len(exe) // 2
    p1, p2 = exe[:half], exe[half:]
    engine = make_zip([entry("idapi32.dll", b"engine")])
    disk = {"DISK1": b"", "INSTALL.EXE": b"MZ", "UPGRADE.1": b"PK", "BDE32.1": engine}
    unpacked = {"EXE/CORVAN.EXE": table(4000), "EXE/DATA/FIRME.DB": table(1000), "BDE32/idapi32.dll": b"engine"}
    return [
        dict(name="join-whole", media=dict(disk, **{"EXE.1": p1, "exe.2": p2, "NOTES.1": b"not ours"}), work={},
             join="Joined", fault="None", written=unpacked, work_after={"EXE.ZIP": exe, "BDE32.ZIP": engine}),
        dict(name="join-part-missing", media=dict(disk, **{"EXE.1": p1}), work={}, join="Joined", fault="Truncated",
             base="EXE", written={}, work_after={"EXE.ZIP": p1}),
        dict(name="join-parts-swapped", media=dict(disk, **{"EXE.1": p2, "EXE.2": p1}), work={}, join="Joined",
             fault="Damaged", base="EXE", written={}, work_after={"EXE.ZIP": p2 + p1}),
        dict(name="join-foreign-part", media=dict(disk, **{"EXE.1": p1, "EXE.2": p2, "EXE.3": b"garbage"}), work={},
             join="Joined", fault="Damaged", base="EXE", written={},
             work_after={"EXE.ZIP": exe + b"garbage"}),
        dict(name="join-spanned-set", media=dict(disk, **{"EXE.1": make_zip([entry("A.TXT", b"a")], end_disk=1,
                                                                             end_dir_disk=1)}),
             work={}, join="Joined", fault="MultiDisk", base="EXE", written={}),
        dict(name="join-stale-archive", media=dict(disk, **{"EXE.2": p2}), work={"EXE.ZIP": b"stale archive"},
             join="Failed", says="continua arhiva EXE.ZIP", written={}, work_after={"EXE.ZIP": b"stale archive"}),
        dict(name="join-part-01", media=dict(disk, **{"HELP.01": b"x"}), work={"HELP.ZIP": b"stale"},
             join="Failed", says="inceputul ei (HELP.1)", written={}, work_after={"HELP.ZIP": b"stale"}),
        dict(name="join-unreadable-part", media=dict(disk, **{"EXE.1": p1, "EXE.2": DIR}), work={}, join="Failed",
             says="Nu pot citi fisierul EXE.2 de pe discul 1", written={},
             work_after={"EXE.ZIP": None, "BDE32.ZIP": engine}),
    ]
