#!/usr/bin/env python3
"""Prints the runs of core/file_name_case.cpp: the upper-case table Windows compares
file names with, made from this Python's Unicode data. A character of the Basic
Multilingual Plane maps to its simple upper case when that maps back to it (so the
dotless i, the long s, the final sigma and the title-case digraphs stay themselves, as
on Windows). Each run maps `count` characters from `first`, `stride` apart, each by
adding `delta`.   python3 tools/upcase/make_upcase_table.py"""
import unicodedata

pairs = []
for c in range(0x10000):
    if 0xD800 <= c <= 0xDFFF:
        continue
    ch = chr(c)
    upper = ch.upper()
    if len(upper) != 1:  # a full mapping (Greek with iota subscript): the simple one is the title case
        upper = ch.title()
    if len(upper) == 1 and upper != ch and ord(upper) < 0x10000 and upper.lower() == ch:
        pairs.append((c, ord(upper)))

runs, i = [], 0
while i < len(pairs):
    first, target = pairs[i]
    delta, best = target - first, (1, 1)
    for stride in (1, 2):
        n = 1
        while i + n < len(pairs) and pairs[i + n][0] == first + n * stride and pairs[i + n][1] - pairs[i + n][0] == delta:
            n += 1
        if n > best[0]:
            best = (n, stride)
    runs.append((first, best[0], best[1], delta))
    i += best[0]

print(f"// Unicode {unicodedata.unidata_version}: {len(pairs)} characters in {len(runs)} runs.")
for first, count, stride, delta in runs:
    print(f"    {{0x{first:04X}, {count}, {stride}, {delta}}},")
