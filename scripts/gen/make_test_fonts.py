#!/usr/bin/python3
"""Writes the small fonts under tests/fixtures/pdfwriter/fonts/ that the PDF
writer's font tests read, directly and through fontconfig, and the CJK ones
under tests/fixtures/pdfwriter/cjk-fonts/, kept apart so that fontconfig never
offers them for a Western family name.

Run with /usr/bin/python3 (needs python3-fonttools) from anywhere:
    /usr/bin/python3 scripts/gen/make_test_fonts.py

Metrics are chosen so that rounding mistakes show: at 2048 units per em an
advance of 1366 is 666.99 (widths truncate to 666) and -128 is -62.5 (other
metrics round half away from zero to -63).
"""

import pathlib

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTCollection
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

FIXTURES = pathlib.Path(__file__).resolve().parents[2] / "tests/fixtures/pdfwriter"
OUT = FIXTURES / "fonts"
CJK_OUT = FIXTURES / "cjk-fonts"

# A fixed date keeps the files identical from run to run.
TIMESTAMP = 3_700_000_000


def box(x0, y0, x1, y1):
    pen = TTGlyphPen(None)
    pen.moveTo((x0, y0))
    pen.lineTo((x0, y1))
    pen.lineTo((x1, y1))
    pen.lineTo((x1, y0))
    pen.closePath()
    return pen.glyph()


def empty():
    return TTGlyphPen(None).glyph()


def build(upm, family, ps_name, glyphs, cmap, os2=None, post=None, symbol_cmap=False):
    """glyphs: name -> (advance, glyph); cmap: code -> glyph name."""
    fb = FontBuilder(upm, isTTF=True)
    fb.font.recalcTimestamp = False
    fb.updateHead(created=TIMESTAMP, modified=TIMESTAMP, fontRevision=1.0)
    fb.setupGlyphOrder(list(glyphs))
    if symbol_cmap:
        fb.setupCharacterMap({})
        table = CmapSubtable.newSubtable(4)
        table.platformID, table.platEncID, table.language = 3, 0, 0
        table.cmap = dict(cmap)
        fb.font["cmap"].tables = [table]
    else:
        fb.setupCharacterMap(cmap)
    fb.setupGlyf({name: g for name, (_, g) in glyphs.items()})
    fb.setupHorizontalMetrics({name: (adv, 0) for name, (adv, _) in glyphs.items()})
    fb.setupHorizontalHeader(ascent=int(upm * 0.8), descent=-int(upm * 0.2))
    fb.setupNameTable(
        {
            "familyName": family,
            "styleName": "Regular",
            "uniqueFontIdentifier": ps_name,
            "fullName": family + " Regular",
            "version": "Version 1.000",
            "psName": ps_name,
        },
        mac=False,
    )
    os2_fields = dict(version=4, usWeightClass=400, sTypoAscender=int(upm * 0.75),
                      sTypoDescender=-int(upm * 0.25), sxHeight=int(upm * 0.5),
                      sCapHeight=int(upm * 0.7))
    os2_fields.update(os2 or {})
    fb.setupOS2(**os2_fields)
    post_fields = dict(underlinePosition=-int(upm * 0.1), underlineThickness=int(upm * 0.05))
    post_fields.update(post or {})
    fb.setupPost(**post_fields)
    return fb.font


def plain_sans():
    # 'a' to 'd' map to glyphs out of order, so their cmap segment uses the
    # glyph-id array (a non-zero id range offset).
    glyphs = {
        ".notdef": (1026, box(100, 0, 900, 1400)),
        "space": (569, empty()),
        "A": (1366, box(-128, -431, 1900, 1800)),
        "g1": (1000, box(100, 0, 900, 1000)),
        "g2": (1100, box(100, 0, 900, 1000)),
        "g3": (1200, box(100, 0, 900, 1000)),
        "g4": (1300, box(100, 0, 900, 1000)),
    }
    cmap = {0x20: "space", 0x41: "A", 0xC5: "A",
            0x61: "g3", 0x62: "g1", 0x63: "g4", 0x64: "g2"}
    return build(2048, "Fixture Sans", "FixtureSans", glyphs, cmap,
                 os2=dict(sCapHeight=0, sxHeight=1100, sTypoAscender=1500, sTypoDescender=-500),
                 post=dict(underlinePosition=-128, underlineThickness=128))


def symbol():
    glyphs = {
        ".notdef": (300, box(50, 0, 250, 700)),
        "space": (250, empty()),
        "mark": (600, box(50, 0, 550, 700)),
        "alpha": (700, box(50, 0, 650, 500)),
    }
    cmap = {code: "mark" for code in range(0xF021, 0xF07F)}
    cmap[0xF020] = "space"
    cmap[0xF041] = "alpha"
    return build(1000, "Fixture Symbol", "FixtureSymbol", glyphs, cmap,
                 os2=dict(usFirstCharIndex=0xF020, usLastCharIndex=0xF07E), symbol_cmap=True)


def mono():
    # Equal advances leave one long metric; every other glyph takes its advance.
    glyphs = {name: (600, box(50, 0, 550, 700)) for name in (".notdef", "A", "B", "C")}
    glyphs["space"] = (600, empty())
    cmap = {0x20: "space", 0x41: "A", 0x42: "B", 0x43: "C"}
    return build(1000, "Fixture Mono", "FixtureMono", glyphs, cmap, post=dict(isFixedPitch=1))


def heavy():
    # The family holds "-": fontconfig must take it as part of the name.
    glyphs = {".notdef": (500, box(50, 0, 450, 700)), "space": (300, empty()),
              "A": (800, box(0, 0, 800, 700))}
    cmap = {0x20: "space", 0x41: "A"}
    return build(1000, "Fixture Heavy-900", "FixtureHeavy-900", glyphs, cmap,
                 os2=dict(usWeightClass=900))


def pair_face(family, ps_name, space_advance):
    glyphs = {".notdef": (500, box(50, 0, 450, 700)), "space": (space_advance, empty()),
              "A": (650, box(0, 0, 650, 700))}
    return build(1000, family, ps_name, glyphs, {0x20: "space", 0x41: "A"})


# Code-page bits of OS/2 ulCodePageRange1.
LATIN1 = 1 << 0
CP932 = 1 << 17
CP936 = 1 << 18
CP949 = 1 << 19
CP950 = 1 << 20

CJK_TEXT = {0x4E2D: "zhong", 0x6587: "wen", 0x5B57: "zi", 0x65E5: "ri", 0x672C: "ben",
            0x8A9E: "yu", 0xD55C: "han", 0xAD6D: "guk", 0xC5B4: "eo"}


def composite(known, *parts):
    """parts: (glyph name, dx, dy) components, each a name in known."""
    pen = TTGlyphPen(known)
    for name, dx, dy in parts:
        pen.addComponent(name, (1, 0, 0, 1, dx, dy))
    return pen.glyph()


def cjk(family, ps_name, code_pages, os2_version=4):
    # Every character a box of its own shape; "zi" is a composite whose
    # first component, "wen", is itself a composite of "stroke".
    glyphs = {
        ".notdef": (1000, box(50, 0, 950, 900)),
        "space": (500, empty()),
        "A": (600, box(50, 0, 550, 700)),
        "B": (600, box(60, 0, 540, 720)),
        "stroke": (1000, box(100, 100, 400, 300)),
    }
    glyphs["wen"] = (1000, composite(glyphs, ("stroke", 0, 0), ("stroke", 450, 400)))
    glyphs["zi"] = (1000, composite(glyphs, ("wen", 0, 100), ("stroke", 200, 600)))
    for n, name in enumerate(["zhong", "ri", "ben", "yu", "han", "guk", "eo"]):
        glyphs[name] = (1000, box(50 + 20 * n, -100, 950 - 10 * n, 800 - 30 * n))
    cmap = {0x20: "space", 0x41: "A", 0x42: "B"}
    cmap.update(CJK_TEXT)
    os2 = dict(version=os2_version, ulCodePageRange1=code_pages, ulCodePageRange2=0)
    return build(1000, family, ps_name, glyphs, cmap, os2=os2)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    CJK_OUT.mkdir(parents=True, exist_ok=True)
    plain_sans().save(OUT / "fixture-sans.ttf")
    symbol().save(OUT / "fixture-symbol.ttf")
    mono().save(OUT / "fixture-mono.ttf")
    heavy().save(OUT / "fixture-heavy.ttf")
    collection = TTCollection()
    collection.fonts = [pair_face("Fixture Pair", "FixturePair", 500),
                        pair_face("Fixture Pair Alt", "FixturePairAlt", 700)]
    collection.save(OUT / "fixture-pair.ttc")
    for suffix, pages, version in [("936", LATIN1 | CP936, 4), ("950", LATIN1 | CP950, 4),
                                   ("932", LATIN1 | CP932, 4), ("949", LATIN1 | CP949, 4),
                                   ("All", LATIN1 | CP932 | CP936 | CP949 | CP950, 4),
                                   ("Old", LATIN1 | CP936, 0)]:
        cjk("Fixture CJK " + suffix, "FixtureCJK" + suffix, pages, version).save(
            CJK_OUT / ("fixture-cjk-" + suffix.lower() + ".ttf"))


if __name__ == "__main__":
    main()
