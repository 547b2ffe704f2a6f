#!/usr/bin/env python3
"""Writes the seed corpus for fuzz_dxf: small DXF texts covering sections,
tables, blocks, complex entities, extended data and a few broken forms.
Usage: make_corpus.py OUTDIR"""
import os
import sys


def tags(*pairs):
    return "".join(f"{c}\n{v}\n" for c, v in pairs)


def section(name, body):
    return tags((0, "SECTION"), (2, name)) + body + tags((0, "ENDSEC"))


def header(ver, extra=()):
    return section("HEADER", tags((9, "$ACADVER"), (1, ver), *extra))


EOF_ = tags((0, "EOF"))

LINE12 = tags((0, "LINE"), (8, "0"), (10, 0.0), (20, 0.0), (30, 0.0), (11, 10.0), (21, 5.0), (31, 0.0))
CIRCLE12 = tags((0, "CIRCLE"), (8, "WALL"), (62, 1), (10, 5.0), (20, 5.0), (30, 0.0), (40, 2.5))
TEXT12 = tags((0, "TEXT"), (8, "0"), (10, 1.0), (20, 2.0), (30, 0.0), (40, 0.5), (1, "Hello"), (50, 30.0))
POLY12 = (tags((0, "POLYLINE"), (8, "0"), (66, 1), (70, 1), (10, 0.0), (20, 0.0), (30, 0.0))
          + "".join(tags((0, "VERTEX"), (8, "0"), (10, x), (20, y), (30, 0.0), (42, b))
                    for x, y, b in [(0, 0, 0), (4, 0, 0.5), (4, 4, 0)])
          + tags((0, "SEQEND"), (8, "0")))


def layer_table(names):
    body = tags((0, "TABLE"), (2, "LAYER"), (70, len(names)))
    for n in names:
        body += tags((0, "LAYER"), (2, n), (70, 0), (62, 7), (6, "CONTINUOUS"))
    return body + tags((0, "ENDTAB"))


def r12_full():
    blocks = section("BLOCKS", tags((0, "BLOCK"), (8, "0"), (2, "PART"), (70, 2), (10, 0.0), (20, 0.0), (30, 0.0), (3, "PART"))
                     + LINE12
                     + tags((0, "ATTDEF"), (8, "0"), (10, 0.0), (20, 0.0), (30, 0.0), (40, 1.0), (1, "X"), (3, "Tag?"), (2, "TAG"), (70, 0))
                     + tags((0, "ENDBLK"), (8, "0")))
    insert = (tags((0, "INSERT"), (8, "0"), (66, 1), (2, "PART"), (10, 3.0), (20, 4.0), (30, 0.0), (41, 2.0), (42, 2.0), (50, 90.0))
              + tags((0, "ATTRIB"), (8, "0"), (10, 3.0), (20, 4.0), (30, 0.0), (40, 1.0), (1, "V1"), (2, "TAG"), (70, 0))
              + tags((0, "SEQEND"), (8, "0")))
    return (header("AC1009", [(9, "$CLAYER"), (8, "0")]) + section("TABLES", layer_table(["0", "WALL"])) + blocks
            + section("ENTITIES", LINE12 + CIRCLE12 + TEXT12 + POLY12 + insert) + EOF_)


def r2000_entities():
    ms = "1F"
    lw = tags((0, "LWPOLYLINE"), (5, "30"), (330, ms), (100, "AcDbEntity"), (8, "0"), (100, "AcDbPolyline"),
              (90, 3), (70, 1), (10, 0.0), (20, 0.0), (42, 1.0), (10, 5.0), (20, 0.0), (10, 5.0), (20, 5.0))
    mtext = tags((0, "MTEXT"), (5, "31"), (330, ms), (100, "AcDbEntity"), (8, "0"), (100, "AcDbMText"),
                 (10, 1.0), (20, 1.0), (30, 0.0), (40, 2.5), (41, 20.0), (71, 1), (1, "Two\\Plines {\\fArial;x}"))
    xline = tags((0, "LINE"), (5, "32"), (330, ms), (100, "AcDbEntity"), (8, "0"), (100, "AcDbLine"),
                 (10, 0.0), (20, 0.0), (30, 0.0), (11, 1.0), (21, 1.0), (31, 0.0),
                 (1001, "SYMVAULT"), (1000, "id"), (1070, 3), (1040, 1.5), (1010, 1.0), (1020, 2.0), (1030, 3.0),
                 (1002, "{"), (1005, "30"), (1002, "}"))
    ellipse = tags((0, "ELLIPSE"), (5, "33"), (330, ms), (100, "AcDbEntity"), (8, "0"), (100, "AcDbEllipse"),
                   (10, 0.0), (20, 0.0), (30, 0.0), (11, 4.0), (21, 0.0), (31, 0.0), (40, 0.5), (41, 0.0), (42, 6.283185307179586))
    return section("ENTITIES", lw + mtext + xline + ellipse)


def r2000_minimal():
    return (header("AC1015", [(9, "$HANDSEED"), (5, "100")])
            + section("TABLES", tags((0, "TABLE"), (2, "APPID"), (5, "9"), (70, 1),
                                     (0, "APPID"), (5, "12"), (100, "AcDbSymbolTableRecord"), (100, "AcDbRegAppTableRecord"),
                                     (2, "SYMVAULT"), (70, 0), (0, "ENDTAB")))
            + r2000_entities() + EOF_)


def seeds():
    yield "entities_only", section("ENTITIES", LINE12 + CIRCLE12) + EOF_
    yield "r12_full", r12_full()
    yield "r2000_minimal", r2000_minimal()
    yield "crlf", r12_full().replace("\n", "\r\n")
    yield "comments", tags((999, "made by hand")) + section("ENTITIES", TEXT12) + EOF_
    yield "empty", ""
    yield "eof_only", EOF_
    yield "no_eof", section("ENTITIES", LINE12)
    yield "bad_number", section("ENTITIES", tags((0, "LINE"), (10, "x1.5e"), (20, "1e999"))) + EOF_
    yield "odd_lines", "0\nSECTION\n2\nENTITIES\n0\n"
    yield "unknown_section", section("THUMBNAILIMAGE", tags((90, 4), (310, "DEADBEEF"))) + EOF_
    yield "unclosed_block", section("BLOCKS", tags((0, "BLOCK"), (2, "B"), (10, 0.0), (20, 0.0)) + LINE12) + EOF_
    yield "stray_seqend", section("ENTITIES", tags((0, "SEQEND")) + tags((0, "VERTEX"), (10, 1.0), (20, 1.0))) + EOF_
    yield "utf8_text", header("AC1021") + section("ENTITIES", tags((0, "TEXT"), (8, "Ebene"), (10, 0.0), (20, 0.0), (40, 1.0), (1, "Straße €"))) + EOF_
    yield "ansi_text", (header("AC1015", [(9, "$DWGCODEPAGE"), (3, "ANSI_1252")]) + section("ENTITIES", TEXT12.replace("Hello", "\\U+00E4\\M+182A1")) + EOF_)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "corpus"
    os.makedirs(out, exist_ok=True)
    for name, text in seeds():
        with open(os.path.join(out, name + ".dxf"), "w", encoding="utf-8", newline="") as f:
            f.write(text)
    print(f"wrote seeds to {out}")


if __name__ == "__main__":
    main()
