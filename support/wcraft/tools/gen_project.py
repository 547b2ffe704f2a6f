#!/usr/bin/python3
"""Writes project files in the line-positional layout of version 2.0 (4527
lines, every slot of every table written).

  gen_project.py                 rewrites support/wcraft/demo/wcrdemo.prj
  import gen_project; gen_project.write(path, **settings)   (the benchmark)

The demonstration project's values: its drawings DEMO001..DEMO004 in the
WcrDemo folder, the wire types and zones of the default configuration, the
component definitions the demo sheets use (with MOTOR), terminal strips X1
(continue wire) and X2, and every report switched on."""
import os
import sys

WIRES = [
    # name, layer, colour, colour name, size, signal, init, incr, pp_mode, pp_val, default
    ("CONTROL", "WCR_WIRE_CONTROL", 7, "WHITE", "2.5", "CONTROL", 1, 1, "PREFIX", "W", True),
    ("PH1", "WCR_WIRE_PH1", 1, "RED", "", "Phase 1", 0, 1, "POSTFIX", "L1", False),
    ("PH2", "WCR_WIRE_PH2", 2, "YELLOW", "", "Phase 2", 0, 1, "POSTFIX", "L2", False),
    ("PH3", "WCR_WIRE_PH3", 5, "BLUE", "", "Phase 3", 0, 1, "POSTFIX", "L3", False),
    ("PHN", "WCR_WIRE_PHN", 4, "CYAN", "", "NEUTRAL", 0, 1, "POSTFIX", "N", False),
    ("12V", "WCR_WIRE_12V", 6, "MAGENTA", "2.5", "+12V", 1, 1, "PREFIX", "S", False),
    ("5V", "WCR_WIRE_5V", 1, "RED", "2.5", "+5V", 1, 1, "PREFIX", "W", False),
    ("0", "WCR_WIRE_0", 253, "GREY", "2.5", "0V", 0, 1, "PREFIX", "0v", False),
]
ZONES = [
    ("CONTROL_SUITE", 7, 0, "*"), ("CUBICLE_1", 6, 1, "CONTROL_SUITE"), ("CUBICLE_2", 6, 1, "CONTROL_SUITE"),
    ("RACK_1", 4, 2, "CUBICLE_1"), ("RACK_2", 4, 2, "CUBICLE_1"), ("RACK_3", 4, 2, "CUBICLE_2"),
    ("RACK_4", 4, 2, "CUBICLE_2"),
]
LEVELS = ["SUITE", "CUBICLE", "SUB-RACK", "ZONE"]
COMPONENTS = [("PUSH BUTTON", "PB", False), ("NC SWITCH", "NC", False), ("NO SWITCH", "NO", False),
              ("LAMP", "LP", False), ("MOTOR", "M", False)]
TERMINALS = [("TERMBLK1", "X1:", True), ("TERMBLK2", "X2:", False)]
FLAGS = ["wire_num", "sheet_rot", "wire_lis", "wire_sch", "wire_lnk", "part_lis", "analysis", "term_num",
         "relay_cr", "cont_num", "cont_blk", "comp_num", "sheet_no", "application_int", "audit"]
DEMO_FLAGS = {"wire_num", "wire_lis", "wire_lnk", "part_lis", "analysis", "term_num", "relay_cr", "cont_num",
              "cont_blk", "comp_num", "sheet_no", "audit"}


def _table(rows, size, block, end_row, filler):
    out = []
    for i in range(size):
        if i < len(rows):
            out += block(rows[i])
        elif i == len(rows):
            out += end_row
        else:
            out += filler
    return out


def layout(name, directory, title, drawings, mask="DEMO", mode="FILENAME", flags=DEMO_FLAGS,
           components=COMPONENTS, terminals=TERMINALS, zones=ZONES):
    """The lines of a version 2.0 project file."""
    yes = lambda b: "YES" if b else "NO"
    lines = ["Wirecraft Project header file!", "Ver2.0", name, directory, title, "NO"]
    lines += ["1.000000"] * 4 + ["2.500000"] + ["YES"] * 6
    wire_filler = ["@", "@", "7", "@", "@", "@", "0", "0", "PREFIX", "@", "0.000000", "0.000000", "0.000000",
                   "ENABLED", "NO"]
    wire = lambda w: [w[0], w[1], str(w[2]), w[3], w[4], w[5], str(w[6]), str(w[7]), w[8], w[9], "2.500000",
                      "2.200000", "1.500000", "ENABLED", yes(w[10])]
    lines += _table(WIRES, 100, wire, ["*ND*"] + wire_filler[1:], wire_filler)
    zone_filler = ["NONAME", "@", "7", "0", "*"]
    zone = lambda z: [z[0], "WCR_ZONE_" + z[0], str(z[1]), str(z[2]), z[3]]
    lines += _table(zones, 250, zone, ["*ND*"] + zone_filler[1:], zone_filler)
    lines += LEVELS + ["*UNDEFINED"] * 5
    lines += [mode, mask]
    lines += _table([[d] for d in drawings], 500, lambda d: d, ["*ND*"], ["NULLFILE"])
    lines += ["GRIDREF_HOR", "SHEETNO", "SHT", "MAX", "REF", "REFNO", "REFATT", "TAG", "CID", "USER", "ID", "CV"]
    comp_filler = ["NONAME", "PREFIX", "@", "NO", "0", "0"]
    comp = lambda c: [c[0], "PREFIX", c[1], yes(c[2]), "1", "1"]
    lines += _table(components, 100, comp, ["*ND*"] + comp_filler[1:], comp_filler)
    lines += _table(terminals, 100, comp, ["*ND*"] + comp_filler[1:], comp_filler)
    lines += ["COIL", "NOC", "NCC", "COC", "TMC", "", "%%O", "^", "", "%%O", "^"]
    lines += ["ENABLED" if f in flags else "DISABLED" for f in FLAGS]
    lines += [""] * 10
    lines.append("End of project file!")
    assert len(lines) == 4527, len(lines)
    return lines


def write(path, name, directory, title, drawings, **kw):
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(layout(name, directory, title, drawings, **kw)) + "\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "demo", "wcrdemo.prj")
    write(out, "WCRDEMO", "C:\\WCRAFT\\WCRDEMO", "Wirecraft demonstration project",
          [f"DEMO{i:03d}" for i in range(1, 5)])
    print("project file", os.path.normpath(out))


if __name__ == "__main__":
    main()
