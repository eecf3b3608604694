"""Checks a /Widths array against the font file, read with fontTools.

Usage: check_font_widths.py FONT_FILE W0 W1 ... W255
Each width must be advance * 1000 // unitsPerEm of the glyph that the font's
Unicode cmap gives for the WinAnsi code. Prints the mismatches; exit 1 if any.
"""
import sys

from fontTools.ttLib import TTFont


def win_ansi_unicode(code):
    if code < 0x20:
        return 0
    if code in (0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D):
        return 0x2022
    special = {0xA0: 0x20, 0xAD: 0x2D, 0xB5: 0x3BC}
    if code in special:
        return special[code]
    return ord(bytes([code]).decode("cp1252"))


def main():
    font = TTFont(sys.argv[1])
    widths = [int(w) for w in sys.argv[2:]]
    if len(widths) != 256:
        print("expected 256 widths, got", len(widths))
        return 1
    cmap = font.getBestCmap()
    upm = font["head"].unitsPerEm
    hmtx = font["hmtx"]
    order = font.getGlyphOrder()
    bad = 0
    for code in range(256):
        glyph = cmap.get(win_ansi_unicode(code), order[0])
        expected = hmtx[glyph][0] * 1000 // upm
        if widths[code] != expected:
            print("code 0x%02X glyph %s: width %d, font says %d" % (code, glyph, widths[code], expected))
            bad += 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
