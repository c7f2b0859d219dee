"""A product-like payload for the installation benchmark, as component folders.

    make_payload.py OUT MB

About MB megabytes in OUT/EXE, OUTPOST, DBDAT, DBNEW, BDE32, HELP and PAYDESK: program
binaries (incompressible, 40 %), tables of rows that deflate about 4:1 (60 %), and
several hundred small pages. Every table row is drawn afresh, so no compressor finds
whole blocks repeated. The same MB always gives the same files.
"""
import os
import random
import sys

out, total = sys.argv[1], int(sys.argv[2]) * 1024 * 1024
rng = random.Random(1)


def put(component, name, data):
    path = os.path.join(out, component, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "ab") as f:
        f.write(data)


def binary(component, name, size):
    while size > 0:
        n = min(size, 8 << 20)
        put(component, name, rng.randbytes(n))
        size -= n


def table(component, name, size):
    k = rng.randrange(10**6)
    while size > 0:
        rows = []
        for _ in range(20000):
            rows.append(f"{k:09d};4111;5121;Partener {rng.randrange(997)} SRL;{rng.randrange(10**7) / 100:.2f}\r\n")
            k += 1
        block = "".join(rows).encode()[:size]
        put(component, name, block)
        size -= len(block)


binaries = total * 2 // 5
for component, name, share in (("EXE", "CORVAN.EXE", 0.40), ("OUTPOST", "OUTPOST.EXE", 0.20),
                                ("PAYDESK", "PAYDESK.EXE", 0.15), ("EXE", "TENDRIX.EXE", 0.10),
                                ("BDE32", "IDAPI32.DLL", 0.10), ("EXE", "CFX32.OCX", 0.04),
                                ("HELP", "HHUPD.EXE", 0.01)):
    binary(component, name, int(binaries * share))

tables = total - binaries
for component, names, share in (("DBDAT", [f"DATA/T{t:02d}.DB" for t in range(6)] + ["DATA/FIRME.DB", "DATA/OPERATOR.DB"], 7 / 12),
                                ("DBNEW", ["NEW/DATA/FIRME.DB", "NEW/DATA/OPERATOR.DB", "NEW/FIRMA/CONTURI.DB",
                                           "NEW/LUNA/NOTE.DB"], 3 / 12),
                                ("BDE32", ["IDAPI32.CFG", "BDE.LNG"], 1 / 12),
                                ("HELP", ["Help/Corvan.htm"], 1 / 12)):
    for name in names:
        table(component, name, int(tables * share / len(names)))

for k in range(300):
    put("EXE", f"VerInfo/3200876.02/img{k:03d}.htm", f"<p>Instructiuni {k}</p>\r\n".encode() * rng.randrange(1, 400))
for k in range(100):
    put("HELP", f"Help/pagina{k:03d}.htm", f"<p>Ajutor {k}</p>\r\n".encode() * rng.randrange(1, 200))
