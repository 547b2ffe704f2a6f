"""Symbols of the electrical design application: the geometry and attribute
definitions of every block drawing, and helpers that write drawings with
ezdxf so that the same definitions serve the block files, the demo sheets and
the benchmark projects.  All coordinates are integers or exact binary
fractions, so that connection points meet wire ends exactly."""
import io

import ezdxf

# Attribute definition flags.
INVISIBLE = 1

# Text heights used by the symbols.
H_REF = 2.5
H_SMALL = 1.75
H_HIDDEN = 1.25


class AttDef:
    def __init__(self, tag, at, default="", prompt="", height=H_HIDDEN, flags=INVISIBLE, rotation=0):
        self.tag, self.at, self.default = tag, at, default
        self.prompt = prompt or tag
        self.height, self.flags, self.rotation = height, flags, rotation


class Symbol:
    """One block: geometry as (kind, args) items and its attribute definitions
    in the order they are prompted and written."""

    def __init__(self, name, items, attdefs=(), pins=()):
        self.name = name
        self.items = list(items)
        self.attdefs = list(attdefs)
        self.pins = list(pins)  # connection points, in ID order

    def draw(self, layout, layer="0"):
        attribs = {"layer": layer}
        for kind, args in self.items:
            if kind == "line":
                layout.add_line(args[0], args[1], dxfattribs=attribs)
            elif kind == "circle":
                layout.add_circle(args[0], args[1], dxfattribs=attribs)
            elif kind == "arc":
                layout.add_arc(args[0], args[1], args[2], args[3], dxfattribs=attribs)
            elif kind == "poly":
                layout.add_lwpolyline(args[0], close=args[1], dxfattribs=attribs)
            elif kind == "donut":
                centre, radius = args
                x, y = centre
                pts = [(x - radius / 2, y, radius, radius, 1.0), (x + radius / 2, y, radius, radius, 1.0)]
                layout.add_lwpolyline(pts, format="xyseb", close=True, dxfattribs=attribs)
            elif kind == "solid":
                layout.add_solid(args, dxfattribs=attribs)
            elif kind == "text":
                layout.add_text(args[2], dxfattribs={"layer": layer, "insert": args[0], "height": args[1]})
            else:
                raise ValueError(kind)
        for a in self.attdefs:
            attribs = {"layer": layer, "height": a.height, "prompt": a.prompt, "flags": a.flags}
            if a.rotation:
                attribs["rotation"] = a.rotation
            layout.add_attdef(a.tag, a.at, a.default, dxfattribs=attribs)


def _components(name, tag, refdef, items, pins, extra=(), ids=None, ref_at=(0, 4), bom=("", ""), ref_rotation=0):
    """A component, terminal, coil or contact: REF, TAG, then CID and other
    extra definitions, one ID per connection point (at the point), then the
    bill-of-materials number and attribute."""
    defs = [AttDef("REF", ref_at, refdef, "Reference", H_REF, 0, ref_rotation), AttDef("TAG", (0, -6), tag, "Type tag")]
    defs += list(extra)
    names = ids or [str(i + 1) for i in range(len(pins))]
    defs += [AttDef("ID", p, n, "Connection point") for p, n in zip(pins, names)]
    defs += [AttDef("REFNO", (0, -7.5), bom[0], "Part number"), AttDef("REFATT", (0, -9), bom[1], "Part description")]
    return Symbol(name, items, defs, pins)


def _contact_items(closed):
    items = [("line", ((0, 0), (3.5, 0))), ("line", ((6.5, 0), (10, 0))),
             ("line", ((3.5, -2.5), (3.5, 2.5))), ("line", ((6.5, -2.5), (6.5, 2.5)))]
    if closed:
        items.append(("line", ((2.5, -2.5), (7.5, 2.5))))
    return items


def _arrow(direction):
    # The base point (0,0) is where the arrow meets its wire.
    shapes = {
        "R": [(0, 2), (6, 2), (9, 0), (6, -2), (0, -2)],
        "L": [(0, 2), (-6, 2), (-9, 0), (-6, -2), (0, -2)],
        "U": [(-2, 0), (-2, 6), (0, 9), (2, 6), (2, 0)],
        "D": [(-2, 0), (-2, -6), (0, -9), (2, -6), (2, 0)],
    }
    link_at = {"R": (1, -0.75), "L": (-7, -0.75), "U": (-1.5, 3), "D": (-1.5, -5)}
    ltp_at = {"R": (0, 3), "L": (-9, 3), "U": (3, 6), "D": (3, -6)}
    ltx_at = {"R": (0, -4.5), "L": (-9, -4.5), "U": (3, 2), "D": (3, -2)}
    defs = [AttDef("LINK", link_at[direction], "", "Link number", H_SMALL, 0),
            AttDef("LTP", ltp_at[direction], "", "Linked place", H_SMALL, 0),
            AttDef("LTX", ltx_at[direction], "", "Wire number", H_SMALL, 0)]
    return Symbol("WLINK" + direction, [("poly", (shapes[direction], True))], defs, [(0, 0)])


def _contact_block(name, closed):
    # Drawn beside a relay coil marker: a tiny contact and its place text.
    items = [("line", ((0, 0), (1, 0))), ("line", ((1, -0.75), (1, 0.75))), ("line", ((2, -0.75), (2, 0.75))),
             ("line", ((2, 0), (3, 0)))]
    if closed:
        items.append(("line", ((0.75, -0.75), (2.25, 0.75))))
    return Symbol(name, items, [AttDef("PLACE", (4, -0.75), "", "Contact place", H_SMALL, 0)])


def _timer_block():
    items = [("line", ((0, 0), (1, 0))), ("line", ((1, -0.75), (1, 0.75))), ("line", ((2, -0.75), (2, 0.75))),
             ("line", ((2, 0), (3, 0))), ("arc", ((1.5, 1.5), 0.5, 0, 180))]
    return Symbol("CTTMBLK", items, [AttDef("PLACE", (4, -0.75), "", "Contact place", H_SMALL, 0)])


def _motor():
    items = [("poly", ([(0, 0), (0, -4), (5, -8)], False)), ("line", ((10, 0), (10, -6))),
             ("poly", ([(20, 0), (20, -4), (15, -8)], False)), ("circle", ((10, -14), 8)),
             ("text", ((7.5, -13), 4, "M")), ("text", ((7.5, -18), 2.5, "3~"))]
    return _components("MOTOR", "MOTOR", "M?", items, [(0, 0), (10, 0), (20, 0)], ids=["U", "V", "W"],
                       ref_at=(22, -12), bom=("MTR-0.75KW", "Three phase motor 0.75 kW"))


def _contactor():
    items = []
    for x in (0, 10, 20):
        items += [("line", ((x, 0), (x, -5))), ("line", ((x - 2.5, -5), (x + 2.5, -5))),
                  ("line", ((x - 2.5, -8), (x + 2.5, -8))), ("line", ((x, -8), (x, -13)))]
    items.append(("line", ((-2.5, -6.5), (22.5, -6.5))))
    pins = [(0, 0), (10, 0), (20, 0), (0, -13), (10, -13), (20, -13)]
    extra = [AttDef("CID", (0, -16), "NOC", "Contact kind"), AttDef("CTP", (24, -9), "", "Coil place", H_SMALL, 0)]
    return _components("CONT3NO", "K?", "K?", items, pins, extra, ids=["1", "3", "5", "2", "4", "6"],
                       ref_at=(24, -5), bom=("", ""))


def _symbols():
    contact_extra = lambda cid: [AttDef("CID", (0, -4.5), cid, "Contact kind"),
                                 AttDef("CTP", (0, -4.5), "", "Coil place", H_SMALL, 0)]
    pb = _contact_items(False) + [("line", ((5, 2.5), (5, 6))), ("line", ((3, 6), (7, 6)))]
    sw_nc = _contact_items(True) + [("line", ((5, 1.25), (5, 6))), ("poly", ([(3, 5), (3, 6), (7, 6), (7, 5)], False))]
    sw_no = _contact_items(False) + [("line", ((5, 2.5), (5, 6))), ("poly", ([(3, 5), (3, 6), (7, 6), (7, 5)], False))]
    lamp = [("line", ((0, 0), (2, 0))), ("line", ((8, 0), (10, 0))), ("circle", ((5, 0), 3)),
            ("line", ((2.875, 2.125), (7.125, -2.125))), ("line", ((2.875, -2.125), (7.125, 2.125)))]
    coil = [("line", ((0, 0), (2, 0))), ("line", ((8, 0), (10, 0))), ("poly", ([(2, 3), (8, 3), (8, -3), (2, -3)], True))]
    timer = coil + [("line", ((2, 3), (8, -3)))]
    termh = [("circle", ((1.5, 0), 1.5))]
    termv = [("circle", ((0, -1.5), 1.5))]
    coil_extra = [AttDef("CID", (0, -6), "COIL", "Coil kind"), AttDef("CV", (0, 7.5), "24VDC", "Coil voltage", H_SMALL, 0),
                  AttDef("RTP", (0, -7.5), "2", "Contacts per line", H_SMALL)]
    syms = [
        Symbol("WIRENODE", [("donut", ((0, 0), 0.75))]),
        _arrow("U"), _arrow("D"), _arrow("R"), _arrow("L"),
        Symbol("RLMARKER", [("poly", ([(-1, 2.5), (-1, -1), (12, -1)], False))],
               [AttDef("IREF", (0, 0), "", "Relay coil reference", H_SMALL, 0)]),
        Symbol("SHEETNO",
               [("poly", ([(0, 0), (120, 0), (120, 30), (0, 30)], True)), ("line", ((0, 12), (120, 12))),
                ("line", ((80, 0), (80, 12))), ("text", ((2, 25), 2, "PROJECT")), ("text", ((2, 8), 2, "DRAWING")),
                ("text", ((82, 8), 2, "SHEET")), ("text", ((100, 3), 2.5, "OF"))],
               [AttDef("TITLE", (2, 17), "", "Project title", 3, 0), AttDef("DWGNO", (2, 3), "", "Drawing", 3, 0),
                AttDef("SHT", (84, 3), "", "Sheet number", 3, 0), AttDef("MAX", (106, 3), "", "Total sheets", 3, 0)]),
        _contact_block("CTNOBLK", False), _contact_block("CTNCBLK", True), _timer_block(),
        _components("PBNO", "PUSH BUTTON", "PB?", pb, [(0, 0), (10, 0)], ref_at=(0, 7),
                    bom=("PB-22-G", "Push button 22 mm, 1 N/O")),
        _components("SWNC", "NC SWITCH", "NC?", sw_nc, [(0, 0), (10, 0)], ref_at=(0, 7),
                    bom=("SW-22-R", "Switch 22 mm, 1 N/C")),
        _components("SWNO", "NO SWITCH", "NO?", sw_no, [(0, 0), (10, 0)], ref_at=(0, 7),
                    bom=("SW-22-B", "Selector switch 22 mm, 1 N/O")),
        _components("LAMP", "LAMP", "LP?", lamp, [(0, 0), (10, 0)], ref_at=(0, 4),
                    bom=("LP-24-G", "Indicator lamp 24 V")),
        _components("RLCOIL", "K?", "K?", coil, [(0, 0), (10, 0)], coil_extra, ids=["A1", "A2"], ref_at=(0, 4),
                    bom=("RL-24-4", "Relay 24 VDC, 4 C/O")),
        _components("TMCOIL", "K?", "K?", timer, [(0, 0), (10, 0)], coil_extra, ids=["A1", "A2"], ref_at=(0, 4),
                    bom=("TR-24-1", "Timer relay 24 VDC")),
        _components("CONTNO", "K?", "K?", _contact_items(False), [(0, 0), (10, 0)], contact_extra("NOC"),
                    ids=["13", "14"], ref_at=(0, 3.5)),
        _components("CONTNC", "K?", "K?", _contact_items(True), [(0, 0), (10, 0)], contact_extra("NCC"),
                    ids=["21", "22"], ref_at=(0, 3.5)),
        _components("CONTTM", "K?", "K?", _contact_items(False) + [("arc", ((5, 4), 1.5, 0, 180))],
                    [(0, 0), (10, 0)], contact_extra("TMC"), ids=["15", "18"], ref_at=(0, 6)),
        _contactor(),
        _motor(),
        # Terminal references keep clear of the wire number that the write-back
        # puts above the outgoing horizontal wire, and, on a vertical terminal,
        # of the neighbouring wires 10 units away: they read along the wire.
        _components("TERMH", "TERMBLK1", "TB?", termh, [(0, 0), (3, 0)], ref_at=(-0.5, -5),
                    bom=("TB-2.5", "Terminal 2.5 mm2")),
        _components("TERMV", "TERMBLK2", "TB?", termv, [(0, 0), (0, -3)], ref_at=(4.5, -3), ref_rotation=90,
                    bom=("TB-4", "Terminal 4 mm2")),
    ]
    return {s.name: s for s in syms}


SYMBOLS = _symbols()

# Fixed creation times and identifiers, so that generating twice gives
# byte-identical files.
ezdxf.options.write_fixed_meta_data_for_testing = True


def stable_text(doc):
    """The drawing as DXF text."""
    buf = io.StringIO()
    doc.write(buf)
    return buf.getvalue()


def new_doc():
    doc = ezdxf.new("R2000")
    doc.header["$INSBASE"] = (0, 0, 0)
    doc.header["$ATTMODE"] = 1
    return doc


def block_drawing(sym):
    """A block file: the symbol drawn in model space on layer 0."""
    doc = new_doc()
    sym.draw(doc.modelspace())
    return stable_text(doc)


def define_blocks(doc, names):
    for name in names:
        blk = doc.blocks.new(name)
        SYMBOLS[name].draw(blk)


def insert(layout, name, at, layer, values=None):
    """A block reference with one ATTRIB per attribute definition, at the
    definition's place moved to the insertion point (no scaling, no
    rotation, so attribute points stay exact)."""
    sym = SYMBOLS[name]
    values = values or {}
    ref = layout.add_blockref(name, at, dxfattribs={"layer": layer})
    for a in sym.attdefs:
        attribs = {"layer": layer, "height": a.height, "flags": a.flags}
        if a.rotation:
            attribs["rotation"] = a.rotation
        ref.add_attrib(a.tag, values.get(a.tag, a.default), (at[0] + a.at[0], at[1] + a.at[1]), dxfattribs=attribs)
    return ref

