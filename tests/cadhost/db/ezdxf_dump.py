# Prints what ezdxf reads from a DXF file, for tests that check a saved file
# as another program reads it: "VERSION <acadver>", then one line per entity
# in every layout and block (attributes and vertices after their owner):
#   <block name> TAB <type> TAB <handle> TAB name=value;name=value...
# with the DXF attributes the entity holds, sorted by name. Prints
# "ERROR <message>" when the file cannot be read at all.
import sys

import ezdxf


def value_text(v):
    if isinstance(v, float):
        return repr(round(v, 9))
    if hasattr(v, "x") and hasattr(v, "y"):
        return "(%s)" % ",".join(repr(round(c, 9)) for c in tuple(v))
    return str(v).replace(";", ",").replace("\t", " ").replace("\n", " ")


def line(block, e):
    attribs = e.dxf.all_existing_dxf_attribs()
    attribs.pop("owner", None)
    attribs.pop("handle", None)
    fields = ";".join("%s=%s" % (k, value_text(attribs[k])) for k in sorted(attribs))
    print("%s\t%s\t%s\t%s" % (block, e.dxftype(), e.dxf.get("handle", ""), fields))


try:
    doc = ezdxf.readfile(sys.argv[1])
except Exception as exc:  # any load failure is reported to the test
    print("ERROR", str(exc).replace("\n", " "))
    sys.exit(0)
print("VERSION", doc.dxfversion)
for block in doc.blocks:
    for e in block:
        line(block.name, e)
        for sub in getattr(e, "attribs", []):
            line(block.name, sub)
        if e.dxftype() == "POLYLINE":
            for v in e.vertices:
                line(block.name, v)
