#!/usr/bin/env python3
"""Writes examples/demo.json: a small panel data base drawn for this project.

Font 3 and font 0 hold a 5 x 7 face of digits, capitals and a few signs;
font 8 holds the digits doubled to 10 x 14 for line numbers. The texts use
the default key table, so ASCII letters are their own panel codes.
"""
import json
import pathlib

FACE = {
    ' ': ["....."] * 7,
    '0': [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '3': ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    '4': ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    '5': ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    '6': ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    '7': ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    '8': [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    '9': [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'B': ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    'C': [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    'D': ["###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'F': ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    'G': [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'I': [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    'J': ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    'K': ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    'L': ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'N': ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'Q': [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'U': ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'V': ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'W': ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    'Y': ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    'Z': ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    '-': [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    '.': [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
    '/': [".....", "....#", "...#.", "..#..", ".#...", "#....", "....."],
}


def encode(rows):
    """Column by column, rows top to bottom, most significant bit first."""
    height = len(rows)
    width = len(rows[0])
    per_column = (height - 1) // 8 + 1
    out = bytearray()
    for c in range(width):
        column = [0] * per_column
        for r in range(height):
            if rows[r][c] == '#':
                column[r // 8] |= 0x80 >> (r % 8)
        out += bytes(column)
    return out.hex(), height


def doubled(rows):
    return [''.join(ch * 2 for ch in row) for row in rows for _ in (0, 1)]


def glyphs(face, scale=False):
    out = []
    for ch, rows in sorted(face.items(), key=lambda item: ord(item[0])):
        bitmap, height = encode(doubled(rows) if scale else rows)
        if ch == ' ':
            bitmap, height = ("00" * (2 if not scale else 8)), 0  # a blank advance
        out.append({"code": ord(ch), "height": height, "bitmap": bitmap})
    return out


def text(font, s):
    return (bytes([0xE0 + font]) + s.encode('ascii') + b'\r').hex()


digits = {k: v for k, v in FACE.items() if k.isdigit()}
doc = {
    "format": "dorvak-db 1",
    "config": {
        "position": 1, "panelType": 2, "firmware": 3, "height": 19, "length": 112,
        "lineField": {"bottom": 0, "top": 18, "left": 0, "right": 27},
        "destinationField": {"bottom": 0, "top": 18, "left": 28, "right": 111},
        "stopField": {"bottom": 0, "top": 8, "left": 28, "right": 111},
        "lineStyle": {"font": 8, "space": 2, "shift": 0, "delay": 10},
        "destinationStyle": {"font": 3, "space": 1, "shift": 0, "delay": 10},
        "stopStyle": {"font": 0, "space": 1, "shift": 0, "delay": 10},
    },
    "dataVersion": "DEMO 1",
    "codeTable": None,
    "formatStrings": None,
    "fonts": [
        {"font": 0, "glyphs": glyphs(FACE)},
        {"font": 3, "glyphs": glyphs(FACE)},
        {"font": 8, "glyphs": glyphs(digits, scale=True)},
    ],
    "lines": [{"key": "0%03d" % n, "text": text(8, str(n))} for n in (3, 9, 14, 22, 136)],
    "destinations": [
        {"key": "0001", "text": text(3, "CENTRUM")},
        {"key": "0002", "text": text(3, "NADRAZI")},
        {"key": "0010", "text": (bytes([0xE3]) + b"SIDLISTE\nJIH\r").hex()},
        {"key": "0099", "text": text(3, "DEPO")},
        {"key": "XXXX", "text": text(3, "MIMO PROVOZ")},
    ],
    "stops": [
        {"key": "0001", "text": text(0, "NAMESTI")},
        {"key": "0002", "text": text(0, "U PARKU")},
        {"key": "0003", "text": text(0, "POLIKLINIKA")},
    ],
}

target = pathlib.Path(__file__).resolve().parent.parent / "examples" / "demo.json"
target.write_text(json.dumps(doc, indent=1) + "\n")
print(f"wrote {target}")
