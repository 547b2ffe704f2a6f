"""A schematic sheet being drawn: layers, border with grid references, title
block, wires as chained horizontal and vertical LINE segments on their wire
type's layer, symbols on layers of their own, wire links, relay markers and
zone outlines.  Used by the demo generator and the benchmark generator."""
import wcrsym

# Wire types: name -> (layer, colour number), as the project defines them.
WIRE_TYPES = {
    "CONTROL": ("WCR_WIRE_CONTROL", 7),
    "PH1": ("WCR_WIRE_PH1", 1),
    "PH2": ("WCR_WIRE_PH2", 2),
    "PH3": ("WCR_WIRE_PH3", 5),
    "PHN": ("WCR_WIRE_PHN", 4),
    "0": ("WCR_WIRE_0", 253),
}
ZONES = {
    "CONTROL_SUITE": 7, "CUBICLE_1": 6, "CUBICLE_2": 6, "RACK_1": 4, "RACK_2": 4, "RACK_3": 4, "RACK_4": 4,
}
LINK_LAYER = "WCR_WIRE_LINK_LAYER"
MARK_LAYER = "WCR_RELAY_MARK_LAYER"
GRID_LAYER = "GRIDREF_HOR"
SYMBOL_LAYER = "SYMBOLS"
TERMINAL_LAYER = "TERMINALS"
OTHER_LAYERS = {"BORDER": 8, "TITLE": 7, SYMBOL_LAYER: 3, TERMINAL_LAYER: 30, "NOTES": 9,
                LINK_LAYER: 6, MARK_LAYER: 2, GRID_LAYER: 8}

WIDTH, HEIGHT = 420, 297
GRID_COLUMNS = 8
GRID_PITCH = 50


def grid_x(column):
    """X of the grid reference text of a column (0-based)."""
    return 34 + GRID_PITCH * column


class Sheet:
    def __init__(self, blocks=None):
        self.doc = wcrsym.new_doc()
        self.msp = self.doc.modelspace()
        self.segments = 0
        doc = self.doc
        doc.linetypes.add("WCRZONE", pattern=[7.5, 5.0, -1.25, 0.0, -1.25], description="Zone outline __ . __ . __")
        for layer, colour in WIRE_TYPES.values():
            doc.layers.add(layer, color=colour)
        for name, colour in ZONES.items():
            doc.layers.add("WCR_ZONE_" + name, color=colour, linetype="WCRZONE")
        for name, colour in OTHER_LAYERS.items():
            doc.layers.add(name, color=colour)
        wcrsym.define_blocks(doc, blocks or sorted(wcrsym.SYMBOLS))

    # Wires -----------------------------------------------------------------
    def wire(self, wtype, *points):
        """Chained segments through the points; each must be horizontal or
        vertical, so that the wire command would have drawn them."""
        layer = WIRE_TYPES[wtype][0]
        for a, b in zip(points, points[1:]):
            if a[0] != b[0] and a[1] != b[1]:
                raise ValueError(f"diagonal wire {a} -> {b}")
            self.msp.add_line(a, b, dxfattribs={"layer": layer})
            self.segments += 1

    def symbol(self, name, at, layer=SYMBOL_LAYER, **values):
        return wcrsym.insert(self.msp, name, at, layer, values)

    def link(self, direction, at, number):
        return wcrsym.insert(self.msp, "WLINK" + direction, at, LINK_LAYER, {"LINK": str(number)})

    def marker(self, at, coil):
        return wcrsym.insert(self.msp, "RLMARKER", at, MARK_LAYER, {"IREF": coil})

    def zone(self, name, corner1, corner2):
        (x1, y1), (x2, y2) = corner1, corner2
        self.msp.add_lwpolyline([(x1, y1), (x1, y2), (x2, y2), (x2, y1)], close=True,
                                dxfattribs={"layer": "WCR_ZONE_" + name})

    def note(self, at, text, height=2.5):
        self.msp.add_text(text, dxfattribs={"layer": "NOTES", "insert": at, "height": height})

    # Frame -----------------------------------------------------------------
    def border(self, grid_layer=GRID_LAYER):
        """Sheet frame with the column numbers 1..8 along the top."""
        ms = self.msp
        att = {"layer": "BORDER"}
        ms.add_lwpolyline([(0, 0), (WIDTH, 0), (WIDTH, HEIGHT), (0, HEIGHT)], close=True, dxfattribs=att)
        ms.add_lwpolyline([(10, 10), (410, 10), (410, 287), (10, 287)], close=True, dxfattribs=att)
        for c in range(1, GRID_COLUMNS):
            ms.add_line((10 + GRID_PITCH * c, 287), (10 + GRID_PITCH * c, 297), dxfattribs=att)
        for c in range(GRID_COLUMNS):
            ms.add_text(str(c + 1), dxfattribs={"layer": grid_layer, "insert": (grid_x(c), 290), "height": 3.5})

    def title_block(self, title, drawing, sheet, total):
        self.symbol("SHEETNO", (290, 10), "TITLE", TITLE=title, DWGNO=drawing, SHT=str(sheet), MAX=str(total))

    def text(self):
        return wcrsym.stable_text(self.doc)
