#!/usr/bin/env python3
"""Writes a large instructions page: the demo page's head, then its body repeated (each
copy's anchors renamed) until the page is at least SIZE bytes.
usage: make_page.py DEMO_PAGE SIZE OUT"""
import re
import sys

demo, size, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
text = open(demo, encoding="utf-8").read()
head, body = text.split("<body>", 1)
body = body.split("</body>", 1)[0]
parts = [head, "<body>"]
total, copy = len(head), 0
while total < size:
    piece = re.sub(r'(name|href)="#?(pornire|schimbari|imagini|intrebari)"',
                   lambda m: f'{m.group(1)}="{"#" if m.group(1) == "href" else ""}{m.group(2)}{copy}"', body)
    parts.append(piece)
    total += len(piece.encode("utf-8"))
    copy += 1
parts.append("</body></html>\n")
open(out, "w", encoding="utf-8", newline="\r\n").write("".join(parts))
