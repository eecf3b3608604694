"""Prints what a PDF reader finds of a document's extras, one fact a line.

Usage: check_pdf_extras.py PDF_FILE [USER_PASSWORD]

The outline (title, zero-based page, /Count, destination type, indented by
level), every annotation (subtype, rectangle, destination or action, URI,
file, contents, title), the page boxes, /Trans, /Dur, the catalog's
/PageMode, /OpenAction and /URI, and the Info keys beyond the producer and
date. Run with /usr/bin/python3, where Debian's pypdf loads.
"""

import sys

from pypdf import PdfReader
from pypdf.generic import NullObject


def number(value):
    value = float(value)
    return str(int(value)) if value == int(value) else str(value)


def rect(values):
    return " ".join(number(v) for v in values)


def outline(reader, items, depth, out):
    for item in items:
        if isinstance(item, list):
            outline(reader, item, depth + 1, out)
            continue
        page = reader.get_destination_page_number(item)
        count = item.get("/Count")
        out.append("%soutline %s page=%s count=%s type=%s"
                   % ("  " * depth, item.title, page, count, item.typ))


def destination(reader, array):
    target = array[0]
    if isinstance(target, int):
        where = "remote page %d" % target
    else:
        where = "page %d" % reader.get_page_number(target.get_object())
    rest = ("null" if isinstance(v, NullObject) else str(v) for v in array[1:])
    return "%s %s" % (where, " ".join(rest))


def annotation(reader, annot, out):
    parts = [str(annot["/Subtype"]), "rect=" + rect(annot["/Rect"])]
    if "/Dest" in annot:
        parts.append("dest=" + destination(reader, annot["/Dest"]))
    action = annot.get("/A")
    if action is not None:
        action = action.get_object()
        parts.append("action=" + str(action["/S"]))
        if "/URI" in action:
            parts.append("uri=" + str(action["/URI"]))
        if "/D" in action:
            parts.append("dest=" + destination(reader, action["/D"]))
        if "/F" in action:
            parts.append("file=" + str(action["/F"].get_object()["/F"]))
    if "/FS" in annot:
        spec = annot["/FS"].get_object()
        data = spec["/EF"]["/F"].get_object().get_data()
        parts.append("file=%s bytes=%d" % (spec["/F"], len(data)))
    for key, name in (("/Contents", "contents"), ("/T", "title")):
        if key in annot:
            parts.append("%s=%s" % (name, annot[key]))
    out.append("  annotation " + " ".join(parts))


def main():
    reader = PdfReader(sys.argv[1])
    if reader.is_encrypted:
        if reader.decrypt(sys.argv[2] if len(sys.argv) > 2 else "") == 0:
            print("wrong password")
            return 1
    out = []
    root = reader.trailer["/Root"]
    for key in ("/PageMode", "/OpenAction", "/URI"):
        if key in root:
            value = root[key]
            if key == "/OpenAction":
                value = destination(reader, value)
            elif key == "/URI":
                value = "Base " + str(value.get_object()["/Base"])
            out.append("catalog %s %s" % (key[1:], value))
    for key, value in sorted(reader.metadata.items()):
        if key not in ("/Producer", "/CreationDate"):
            out.append("info %s %s" % (key[1:], value))
    outline(reader, reader.outline, 0, out)
    for index, page in enumerate(reader.pages):
        out.append("page %d" % index)
        for name, key in (("cropbox", "/CropBox"), ("trimbox", "/TrimBox")):
            if key in page:
                out.append("  %s %s" % (name, rect(getattr(page, name))))
        if "/Trans" in page:
            out.append("  transition %s" % page["/Trans"]["/S"])
        if "/Dur" in page:
            out.append("  duration %s" % number(page["/Dur"]))
        for annot in page.get("/Annots", []):
            annotation(reader, annot.get_object(), out)
    print("\n".join(out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
