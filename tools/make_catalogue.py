#!/usr/bin/env python3
"""Writes the section catalogue shape/buzai.txt from tools/data/jis-sections.csv.

One 13-line record per row, in the table's order (the order of the program's six
drop-down lists, each family ascending), then the terminator record "END" followed by
12 empty lines. Code page 932, CR LF.

Record lines: 1 family code (HW, HM, HN, C, L, I), 2 designation, 3 H, 4 B, 5 t1,
6 t2 (flange thickness tf), 7 W kg/m, 8 Ix cm4, 9 Iy cm4, 10 Zx cm3, 11 Zy cm3,
12 A cm2, 13 r1 mm. Values are copied as the table writes them.

Usage: tools/make_catalogue.py [--check]
  --check  compare with the existing file instead of writing it; exit 1 when it differs.
"""
import csv
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "tools", "data", "jis-sections.csv")
TARGET = os.path.join(ROOT, "shape", "buzai.txt")

CODES = ("HW", "HM", "HN", "C", "L", "I")
COLUMNS = ("H", "B", "t1", "t2", "W_kg_m", "Ix_cm4", "Iy_cm4", "Zx_cm3", "Zy_cm3", "A_cm2", "r1")
RECORD_LINES = 13


def build_lines():
    with open(SOURCE, encoding="utf-8", newline="") as f:
        rows = list(csv.DictReader(f))
    lines = []
    seen = set()
    for n, row in enumerate(rows, start=2):
        code = row["family"]
        name = row["designation"]
        if code not in CODES:
            sys.exit(f"{SOURCE}:{n}: unknown family {code!r}")
        if name in seen:
            sys.exit(f"{SOURCE}:{n}: {name} appears twice")
        seen.add(name)
        values = [row[c] for c in COLUMNS]
        if any(v == "" for v in values):
            sys.exit(f"{SOURCE}:{n}: {name} lacks a value")
        record = [code, name] + values
        assert len(record) == RECORD_LINES
        lines += record
    lines += ["END"] + [""] * (RECORD_LINES - 1)
    return lines, len(rows)


def main():
    lines, count = build_lines()
    data = "".join(line + "\r\n" for line in lines).encode("cp932")
    if "--check" in sys.argv[1:]:
        with open(TARGET, "rb") as f:
            same = f.read() == data
        print(f"{TARGET}: {'up to date' if same else 'differs from ' + SOURCE}")
        return 0 if same else 1
    os.makedirs(os.path.dirname(TARGET), exist_ok=True)
    with open(TARGET, "wb") as f:
        f.write(data)
    print(f"{TARGET}: {count} sections and the END record")
    return 0


if __name__ == "__main__":
    sys.exit(main())
