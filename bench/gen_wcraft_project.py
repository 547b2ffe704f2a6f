#!/usr/bin/python3
"""Writes a large electrical design project for the post-processor benchmark:
N sheets (default 500) of ladder schematics, each with about 1,000 wire
segments on three wire types (rails and rungs of CONTROL and 0, every sixth
rung on PH1) forming many wires with T-junctions (parallel branches), L
joints and collinear joints, about 200 attributed blocks (terminals,
switches, push buttons, relay contacts of coils on the sheet before, coils
and lamps) whose ID points sit on wire ends, wire links carrying the rails
and one signal from each sheet to the next, zone outlines, a relay marker,
grid references on sheet 1 and a title block.

The block definitions, layers and header come from one ezdxf drawing; the
entities are written directly, so that 500 sheets take seconds, not minutes.

  gen_wcraft_project.py [--all-flags] DRAWING_DIR PROJECT_FILE [sheets=500]
      [prefix=BIG] [project_dir=C:\\WCRAFT\\BENCH]

--all-flags  every post-processor control flag on (every report, zone
             schedules, contact blocks) and a tree of 50 zones: one suite,
             7 cubicles and 42 racks; each sheet's left and right columns lie
             in racks that change from sheet to sheet, its middle in a cubicle
Prints the number of wire segments and blocks written."""
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "support", "wcraft", "tools"))
import gen_project  # noqa: E402
import wcrsym  # noqa: E402
from wcrsheet import GRID_LAYER, LINK_LAYER, MARK_LAYER, SYMBOL_LAYER, TERMINAL_LAYER, WIRE_TYPES, Sheet, grid_x  # noqa: E402

RUNGS = 48
PITCH = 20
TOP = 1000
LEFT, RIGHT = 0, 400
BLOCKS = ["WLINKU", "WLINKR", "WLINKL", "RLMARKER", "SHEETNO", "PBNO", "SWNC", "LAMP", "RLCOIL", "CONTNO", "TERMH"]


def num(v):
    return repr(float(v))


class Writer:
    """Raw R2000 entities with handles counted on from the template's."""

    def __init__(self, owner, seed):
        self.owner, self.next = owner, seed
        self.parts = []
        self.segments = 0
        self.blocks = 0

    def handle(self):
        h = self.next
        self.next += 1
        return f"{h:X}"

    def emit(self, pairs):
        self.parts.append("".join(f"{c:>3}\n{v}\n" for c, v in pairs))

    def head(self, kind, layer, sub, owner=None):
        h = self.handle()
        return h, [(0, kind), (5, h), (330, owner or self.owner), (100, "AcDbEntity"), (8, layer), (100, sub)]

    def line(self, wtype, a, b):
        if a[0] != b[0] and a[1] != b[1]:
            raise ValueError(f"diagonal wire {a} -> {b}")
        _, p = self.head("LINE", WIRE_TYPES[wtype][0], "AcDbLine")
        p += [(10, num(a[0])), (20, num(a[1])), (30, "0.0"), (11, num(b[0])), (21, num(b[1])), (31, "0.0")]
        self.emit(p)
        self.segments += 1

    def wire(self, wtype, *points):
        for a, b in zip(points, points[1:]):
            self.line(wtype, a, b)

    def text(self, layer, at, height, value):
        _, p = self.head("TEXT", layer, "AcDbText")
        p += [(10, num(at[0])), (20, num(at[1])), (30, "0.0"), (40, num(height)), (1, value), (100, "AcDbText")]
        self.emit(p)

    def rectangle(self, layer, c1, c2):
        (x1, y1), (x2, y2) = c1, c2
        _, p = self.head("LWPOLYLINE", layer, "AcDbPolyline")
        p += [(90, 4), (70, 1), (43, "0.0")]
        for x, y in ((x1, y1), (x1, y2), (x2, y2), (x2, y1)):
            p += [(10, num(x)), (20, num(y))]
        self.emit(p)

    def insert(self, name, at, layer, **values):
        sym = wcrsym.SYMBOLS[name]
        h, p = self.head("INSERT", layer, "AcDbBlockReference")
        p += [(66, 1), (2, name), (10, num(at[0])), (20, num(at[1])), (30, "0.0")]
        for a in sym.attdefs:
            _, q = self.head("ATTRIB", layer, "AcDbText", owner=h)
            q += [(10, num(at[0] + a.at[0])), (20, num(at[1] + a.at[1])), (30, "0.0"), (40, num(a.height)),
                  (1, values.get(a.tag, a.default)), (100, "AcDbAttribute"), (2, a.tag), (70, a.flags)]
            p += q
        p += [(0, "SEQEND"), (5, self.handle()), (330, h), (100, "AcDbEntity"), (8, layer)]
        self.emit(p)
        self.blocks += 1


# The 50-zone tree of --all-flags: name, colour, level, parent.
SUITE = [("SUITE_1", 7, 0, "*")]
CUBICLES = [(f"CUB_{c}", 6, 1, "SUITE_1") for c in range(1, 8)]
RACKS = [(f"RACK_{r}", 4, 2, f"CUB_{(r - 1) // 6 + 1}") for r in range(1, 43)]
MANY_ZONES = SUITE + CUBICLES + RACKS


def zone_layers(sheet, many):
    """The zone layers of a sheet's left column, middle and right column."""
    if not many:
        return "WCR_ZONE_RACK_1", None, "WCR_ZONE_RACK_2"
    left = RACKS[(2 * sheet) % len(RACKS)][0]
    right = RACKS[(2 * sheet + 1) % len(RACKS)][0]
    middle = CUBICLES[sheet % len(CUBICLES)][0]
    return "WCR_ZONE_" + left, "WCR_ZONE_" + middle, "WCR_ZONE_" + right


def coil_tag(sheet, rung):
    return f"K{sheet}_{rung}"


def rung(w, sheet, r):
    """One rung: rail T, component A, branch, B, branch, C, two branches on a
    wire of three collinear pieces, load D, and its 0 V wire in two pieces."""
    y = TOP - PITCH * r
    mid = "PH1" if r % 6 == 5 else "CONTROL"
    w.wire("CONTROL", (LEFT, y), (20, y))
    if r % 2 == 0:
        w.insert("TERMH", (20, y), TERMINAL_LAYER, REF="X1:?", TAG="TERMBLK1")
        a_end = 23
    else:
        w.insert("SWNC", (20, y), SYMBOL_LAYER, REF="S?")
        a_end = 30
    w.wire(mid, (a_end, y), (70, y))
    w.wire(mid, (40, y), (40, y - 10), (60, y - 10), (60, y))
    if sheet > 1 and r % 4 == 1:
        coil = coil_tag(sheet - 1, r - 1)
        w.insert("CONTNO", (70, y), SYMBOL_LAYER, REF=coil, TAG=coil)
    else:
        w.insert("PBNO", (70, y), SYMBOL_LAYER, REF="PB?")
    w.wire(mid, (80, y), (120, y))
    w.wire(mid, (90, y), (90, y - 10), (110, y - 10), (110, y))
    w.insert("PBNO", (120, y), SYMBOL_LAYER, REF="PB?")
    w.wire(mid, (130, y), (180, y), (260, y), (300, y))
    w.wire(mid, (150, y), (150, y - 10), (170, y - 10), (170, y))
    w.wire(mid, (200, y), (200, y - 10), (240, y - 10), (240, y))
    if r % 4 == 0:
        tag = coil_tag(sheet, r)
        w.insert("RLCOIL", (300, y), SYMBOL_LAYER, REF=tag, TAG=tag)
    else:
        w.insert("LAMP", (300, y), SYMBOL_LAYER, REF="LP?")
    w.wire("0", (310, y), (350, y), (RIGHT, y))


def sheet_entities(w, sheet, total, title, drawing, many_zones=False):
    for c in range(8):
        w.text(GRID_LAYER, (grid_x(c), TOP + 20), 3.5, str(c + 1))
    bottom = TOP - PITCH * RUNGS
    # Rails: one segment per rung pitch, so rungs join the rails at segment ends.
    ys = [TOP + PITCH] + [TOP - PITCH * r for r in range(RUNGS)] + [bottom]
    for a, b in zip(ys, ys[1:]):
        w.line("CONTROL", (LEFT, a), (LEFT, b))
        w.line("0", (RIGHT, a), (RIGHT, b))
    w.insert("WLINKU", (LEFT, TOP + PITCH), LINK_LAYER, LINK="1")
    w.insert("WLINKU", (RIGHT, TOP + PITCH), LINK_LAYER, LINK="2")
    for r in range(RUNGS):
        rung(w, sheet, r)
    # A signal from the sheet before and one to the next, by wire link.
    if sheet > 1:
        w.wire("CONTROL", (40, bottom), (140, bottom))
        w.insert("WLINKL", (40, bottom), LINK_LAYER, LINK=str(1000 + sheet - 1))
    if sheet < total:
        w.wire("CONTROL", (200, bottom), (300, bottom))
        w.insert("WLINKR", (300, bottom), LINK_LAYER, LINK=str(1000 + sheet))
    w.insert("RLMARKER", (330, TOP - 12), MARK_LAYER, IREF=coil_tag(sheet, 0))
    left, middle, right = zone_layers(sheet, many_zones)
    w.rectangle(left, (10, bottom + 10), (135, TOP + 5))
    if middle:
        w.rectangle(middle, (136, bottom + 10), (285, TOP + 5))
    w.rectangle(right, (290, bottom + 10), (320, TOP + 5))
    w.insert("SHEETNO", (290, bottom - 40), "TITLE", TITLE=title, DWGNO=drawing, SHT=str(sheet), MAX=str(total))


def template(zones=None):
    sheet = Sheet(BLOCKS)
    for name, colour, _, _ in zones or ():
        layer = "WCR_ZONE_" + name
        if not sheet.doc.layers.has_entry(layer):
            sheet.doc.layers.add(layer, color=colour, linetype="WCRZONE")
    text = sheet.text()
    owner = sheet.doc.block_records.get("*Model_Space").dxf.handle
    return text, owner, int(sheet.doc.header["$HANDSEED"], 16)


def write_sheet(path, text, owner, seed, sheet, total, title, drawing, many_zones):
    w = Writer(owner, seed + 16)
    sheet_entities(w, sheet, total, title, drawing, many_zones)
    start = text.index("ENTITIES\n")
    end = text.index("  0\nENDSEC\n", start)
    body = text[:end] + "".join(w.parts) + text[end:]
    old = f"$HANDSEED\n  5\n{seed:X}\n"
    if old not in body:
        raise RuntimeError("handle seed not found in the template")
    body = body.replace(old, f"$HANDSEED\n  5\n{w.next:X}\n", 1)
    with open(path, "w", newline="\n") as f:
        f.write(body)
    return w.segments, w.blocks


def main():
    argv = sys.argv[1:]
    all_flags = "--all-flags" in argv
    argv = [a for a in argv if a != "--all-flags"]
    if len(argv) < 2:
        print(__doc__)
        sys.exit(2)
    out, prj = argv[0], argv[1]
    total = int(argv[2]) if len(argv) > 2 else 500
    prefix = argv[3] if len(argv) > 3 else "BIG"
    pdir = argv[4] if len(argv) > 4 else "C:\\WCRAFT\\BENCH"
    if not 1 <= total <= 500:
        raise SystemExit("sheets: 1 to 500 (the project holds 500 drawing names)")
    os.makedirs(out, exist_ok=True)
    title = f"Benchmark project, {total} sheets"
    text, owner, seed = template(MANY_ZONES if all_flags else None)
    segments = blocks = 0
    names = []
    for s in range(1, total + 1):
        name = f"{prefix}{s:03d}"
        names.append(name)
        n, b = write_sheet(os.path.join(out, name + ".DXF"), text, owner, seed, s, total, title, name, all_flags)
        segments += n
        blocks += b
    if all_flags:
        gen_project.write(prj, "BENCH", pdir, title, names, flags=set(gen_project.FLAGS), zones=MANY_ZONES)
    else:
        gen_project.write(prj, "BENCH", pdir, title, names)
    print(f"sheets {total} segments {segments} blocks {blocks}")


if __name__ == "__main__":
    main()
