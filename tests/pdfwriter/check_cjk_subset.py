"""Checks an embedded CJK subset against the system font, read with fontTools.

Usage: check_cjk_subset.py SUBSET_FILE FONT_FILE FONT_NUMBER TEXT
The subset's (1, 0) cmap must map code i to glyph i for codes 1 to
len(TEXT) (fontTools leaves out code 0, which maps to .notdef), and the outline of subset glyph i + 1, with every component
resolved, must equal that of the system glyph of TEXT[i]. Prints the glyph
count of the subset, or the mismatches with exit 1.
"""
import sys

from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.ttLib import TTFont


def outline(font, glyph_name):
    glyph_set = font.getGlyphSet()
    pen = DecomposingRecordingPen(glyph_set)
    glyph_set[glyph_name].draw(pen)
    return pen.value


def main():
    subset_file, font_file, font_number, text = sys.argv[1:5]
    subset = TTFont(subset_file)
    system = TTFont(font_file, fontNumber=int(font_number))
    order = subset.getGlyphOrder()
    problems = []
    cmap = subset["cmap"].getcmap(1, 0)
    if cmap is None:
        problems.append("no (1, 0) cmap")
    else:
        for code in range(1, len(text) + 1):
            if cmap.cmap.get(code) != order[code]:
                problems.append(f"code {code} maps to {cmap.cmap.get(code)}, not {order[code]}")
    system_cmap = system.getBestCmap()
    for i, character in enumerate(text):
        wanted = outline(system, system_cmap[ord(character)])
        got = outline(subset, order[i + 1])
        if got != wanted:
            problems.append(f"{character}: outline differs")
    if problems:
        print("\n".join(problems))
        return 1
    print(len(order))
    return 0


if __name__ == "__main__":
    sys.exit(main())
