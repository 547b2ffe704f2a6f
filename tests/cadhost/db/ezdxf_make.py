# Writes a small drawing with ezdxf in the DXF version given (AC1009 ...
# AC1032): lines, text, a block with attributes inserted with them, 2D and
# 3D polylines (LWPOLYLINE from R2000 on) and XDATA, for round-trip tests.
import sys

import ezdxf

version, path = sys.argv[1], sys.argv[2]
doc = ezdxf.new(version)
doc.appids.new("CHTEST")
msp = doc.modelspace()
line = msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "WIRES", "color": 3})
line.set_xdata("CHTEST", [(1000, "wire"), (1040, 2.5), (1070, 7)])
msp.add_text("Title", dxfattribs={"height": 2.5, "rotation": 30, "insert": (1, 2)})
msp.add_text("Plain", dxfattribs={"insert": (1, 8)})
blk = doc.blocks.new("TERM")
blk.add_circle((0, 0), 1)
blk.add_attdef("NUM", (0, -2), dxfattribs={"height": 1})
blk.add_attdef("DESC", (0, -4), dxfattribs={"height": 1, "rotation": 90})
ins = msp.add_blockref("TERM", (20, 20), dxfattribs={"xscale": 2, "rotation": 45})
ins.add_attrib("NUM", "K1", (20, 18))
ins.add_attrib("DESC", "relay", (20, 16), dxfattribs={"rotation": 90})
msp.add_blockref("TERM", (30, 20))
msp.add_polyline2d([(0, 0), (5, 0), (5, 5)], close=True)
msp.add_polyline3d([(0, 0, 0), (1, 2, 3), (4, 5, 6)])
if version != "R12":
    msp.add_lwpolyline([(0, 0), (3, 0), (3, 3)], dxfattribs={"closed": True})
doc.saveas(path)
