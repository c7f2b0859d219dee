#!/usr/bin/env python3
"""Writes the generated part of the demo payload into OUT:

  tables.bin                      the tables CORVAN.EXE carries (its size keeps the program
                                  over 6,000,000 bytes, as an installed Corvan is)
  DBDAT/DATA/*.DB                 the example database
  DBNEW/NEW/{DATA,FIRMA,LUNA}/... the blank reference database, logo.bmp in NEW/FIRMA
  EXE/VerInfo/3200876.02/*.png    the pictures of the instructions page (instruction_pictures.py)
  EXE/VerInfo/3200876.02/*.bmp

Paradox-like tables: a 2048-byte header (record size, header size, record count,
field count, field types and sizes, field names) followed by fixed-size records.
Output is the same on every run.
"""
import os
import random
import struct
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import instruction_pictures  # noqa: E402


def table(fields, rows):
    """fields: [(name, type, size)], type 'A' text, 'N' number (8-byte double), 'D' date (4 bytes)."""
    codes = {"A": 0x01, "N": 0x06, "D": 0x02}
    record_size = sum(size for _, _, size in fields)
    head = bytearray(2048)
    struct.pack_into("<HHBBI", head, 0, record_size, 2048, 0, 2, len(rows))
    struct.pack_into("<H", head, 0x21, len(fields))
    at = 0x78
    for _, kind, size in fields:
        head[at], head[at + 1] = codes[kind], size
        at += 2
    names = b"".join(name.encode("ascii") + b"\0" for name, _, _ in fields)
    head[at:at + len(names)] = names
    body = bytearray()
    for row in rows:
        for (_, kind, size), value in zip(fields, row):
            if kind == "A":
                body += str(value).encode("cp1250", "replace")[:size].ljust(size, b"\0")
            elif kind == "N":
                body += struct.pack("<d", float(value))
            else:
                body += struct.pack("<I", int(value))
    return bytes(head) + bytes(body)


FIRME = [("Cod", "A", 8), ("Denumire", "A", 40), ("CUI", "A", 12), ("Oras", "A", 20)]
OPERATOR = [("Nume", "A", 20), ("Parola", "A", 20), ("Drepturi", "A", 10)]
CONTURI = [("Cont", "A", 10), ("Denumire", "A", 50), ("Tip", "A", 1)]
NOTE = [("Nr", "N", 8), ("Data", "D", 4), ("Debit", "A", 10), ("Credit", "A", 10), ("Suma", "N", 8),
        ("Explicatii", "A", 40)]
PARTENERI = [("Cod", "A", 8), ("Denumire", "A", 40), ("CUI", "A", 12), ("Sold", "N", 8)]

CITIES = ["Bucuresti", "Cluj-Napoca", "Iasi", "Timisoara", "Constanta", "Brasov", "Craiova", "Galati"]
ACCOUNTS = [("1012", "Capital subscris varsat", "P"), ("401", "Furnizori", "P"), ("4111", "Clienti", "A"),
            ("4426", "TVA deductibila", "A"), ("4427", "TVA colectata", "P"), ("5121", "Conturi la banci in lei", "A"),
            ("5311", "Casa in lei", "A"), ("6022", "Cheltuieli privind combustibilul", "A"),
            ("628", "Alte cheltuieli cu serviciile executate de terti", "A"), ("704", "Venituri din servicii prestate", "P")]


def example_database(rng):
    firms = [(f"F{i:04d}", f"Firma Exemplu {i} SRL", f"RO{rng.randrange(10**6, 10**8)}", rng.choice(CITIES))
             for i in range(1, 4)]
    partners = [(f"P{i:05d}", f"Partener {i} SRL", f"RO{rng.randrange(10**6, 10**8)}", rng.randrange(-50000, 90000) / 100)
                for i in range(1, 401)]
    notes = []
    for i in range(1, 3001):
        debit, credit = rng.sample(ACCOUNTS, 2)
        notes.append((i, 46000 + i // 12, debit[0], credit[0], rng.randrange(100, 2_000_000) / 100,
                      f"Nota contabila {i}"))
    return {
        "DATA/FIRME.DB": table(FIRME, firms),
        "DATA/OPERATOR.DB": table(OPERATOR, [("Master", "1", "TOTAL"), ("Contabil", "CORVAN", "NOTE")]),
        "DATA/CONTURI.DB": table(CONTURI, ACCOUNTS),
        "DATA/PARTENERI.DB": table(PARTENERI, partners),
        "DATA/NOTE.DB": table(NOTE, notes),
    }


def blank_database():
    return {
        "NEW/DATA/FIRME.DB": table(FIRME, []),
        "NEW/DATA/OPERATOR.DB": table(OPERATOR, [("Master", "1", "TOTAL")]),
        "NEW/FIRMA/CONTURI.DB": table(CONTURI, ACCOUNTS),
        "NEW/FIRMA/PARTENERI.DB": table(PARTENERI, []),
        "NEW/LUNA/NOTE.DB": table(NOTE, []),
    }


def bmp(width, height, pixel):
    """24-bit bottom-up BMP; pixel(x, y) -> (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        rows += line.ljust(stride, b"\0")
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + bytes(rows)


def logo(x, y):
    # The product's blue with a lighter diagonal band.
    band = abs((x - y) % 64 - 32) < 6
    return (0x2E, 0x79, 0xA7) if not band else (0x7E, 0xAE, 0xCB)


def tables_blob(rng, size):
    """Incompressible code-like bytes, then rows of the product's lookup tables."""
    code = bytes(rng.getrandbits(8) for _ in range(1_600_000))
    text = bytearray()
    i = 0
    while len(code) + len(text) < size:
        account = ACCOUNTS[i % len(ACCOUNTS)]
        text += f"{i:07d};{account[0]};{account[1]};{CITIES[i % len(CITIES)]};{(i * 7919) % 100000 / 100:.2f}\r\n".encode()
        i += 1
    return code + bytes(text[: size - len(code)])


def main(out):
    out = Path(out)
    rng = random.Random(3200876)
    files = {}
    files["tables.bin"] = tables_blob(rng, 6_100_000)
    for name, data in example_database(rng).items():
        files["DBDAT/" + name] = data
    for name, data in blank_database().items():
        files["DBNEW/" + name] = data
    files["DBNEW/NEW/FIRMA/logo.bmp"] = bmp(120, 60, logo)
    for name, data in instruction_pictures.pictures(bmp).items():
        files["EXE/VerInfo/3200876.02/" + name] = data
    for name, data in files.items():
        path = out / name
        path.parent.mkdir(parents=True, exist_ok=True)
        if not path.exists() or path.read_bytes() != data:
            path.write_bytes(data)


if __name__ == "__main__":
    main(sys.argv[1])
