#!/usr/bin/python3
"""Writes the four sheets of the demonstration project (NEW001.DXF ..
NEW004.DXF) into support/wcraft/demo, or into the folder given: the power
circuit of two motors and three control ladders with their relays, lamps,
terminals, wire links between the sheets, relay markers and zones."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wcrsheet import Sheet, TERMINAL_LAYER  # noqa: E402

TITLE = "Wirecraft demonstration project"
TOTAL = 4
# Ladder rails of the control sheets.
LEFT, RIGHT, TOP, BOTTOM = 30, 390, 260, 50


def new_sheet(no, heading):
    s = Sheet()
    s.border()
    s.title_block(TITLE, f"DEMO{no:03d}", no, TOTAL)
    s.note((20, 275), heading, 5)
    return s


def rails(s, continues_down):
    """The 24 V rail (CONTROL) on the left, 0 V (wire type 0) on the right,
    both arriving from the sheet before through wire links 1 and 2."""
    s.wire("CONTROL", (LEFT, TOP), (LEFT, BOTTOM))
    s.wire("0", (RIGHT, TOP), (RIGHT, BOTTOM))
    s.link("U", (LEFT, TOP), 1)
    s.link("U", (RIGHT, TOP), 2)
    if continues_down:
        s.link("D", (LEFT, BOTTOM), 1)
        s.link("D", (RIGHT, BOTTOM), 2)
    s.note((LEFT - 8, TOP + 12), "+24V")
    s.note((RIGHT - 4, TOP + 12), "0V")


def load(s, y, name, ref, **values):
    """The load at the right end of a rung and its 0 V wire to the rail."""
    s.symbol(name, (300, y), REF=ref, **values)
    s.wire("0", (310, y), (RIGHT, y))


def start_stop_rung(s, y, stop, start, coil, interlock):
    """Stop and start buttons, the other motor's N/C contact as interlock and
    the coil, with the coil's own N/O contact holding the start button."""
    s.wire("CONTROL", (LEFT, y), (50, y))
    s.symbol("SWNC", (50, y), REF=stop)
    s.wire("CONTROL", (60, y), (90, y))
    s.symbol("PBNO", (90, y), REF=start)
    s.wire("CONTROL", (100, y), (140, y))
    s.symbol("CONTNC", (140, y), REF=interlock, TAG=interlock)
    s.wire("CONTROL", (150, y), (300, y))
    load(s, y, "RLCOIL", coil, TAG=coil)
    # Hold-in contact: T-junctions on both sides of the start button.
    s.wire("CONTROL", (75, y), (75, y - 25), (90, y - 25))
    s.symbol("CONTNO", (90, y - 25), REF=coil, TAG=coil)
    s.wire("CONTROL", (100, y - 25), (115, y - 25), (115, y))


def contact_lamp_rung(s, y, contact, coil, lamp_note):
    s.wire("CONTROL", (LEFT, y), (60, y))
    s.symbol(contact, (60, y), REF=coil, TAG=coil)
    s.wire("CONTROL", (70, y), (300, y))
    load(s, y, "LAMP", "LP?")
    s.note((318, y + 1.5), lamp_note, 1.75)


def sheet1():
    s = new_sheet(1, "POWER CIRCUIT - MOTORS M1 AND M2")
    # Incoming supply: each phase comes down and turns into its bus bar.
    for phase, x, y in (("PH1", 40, 250), ("PH2", 50, 240), ("PH3", 60, 230)):
        s.wire(phase, (x, 265), (x, y), (250, y))
        s.note((x - 1.5, 268), "L" + phase[-1], 2)
    s.note((70, 262), "400V 3~ 50Hz", 2.5)
    for left, contactor, motor in ((100, "K1", "M1"), (200, "K2", "M2")):
        for i, phase in enumerate(("PH1", "PH2", "PH3")):
            x = left + 10 * i
            bus = 250 - 10 * i
            s.wire(phase, (x, bus), (x, 200))  # T-junction on the bus, crossing the other buses
            s.wire(phase, (x, 187), (x, 160))
            s.symbol("TERMV", (x, 160), TERMINAL_LAYER, REF="X1:?", TAG="TERMBLK1")
            s.wire(phase, (x, 157), (x, 130))
        s.symbol("CONT3NO", (left, 200), REF=contactor, TAG=contactor)
        s.symbol("MOTOR", (left, 130), REF=motor)
    s.zone("RACK_2", (85, 180), (240, 210))
    # The 24 V control supply leaves this sheet through wire links 1 and 2.
    for wtype, y, number, label in (("CONTROL", 120, 1, "+24V"), ("0", 100, 2, "0V")):
        s.wire(wtype, (280, y), (300, y))
        s.symbol("TERMH", (300, y), TERMINAL_LAYER, REF="X2:?", TAG="TERMBLK2")
        s.wire(wtype, (303, y), (350, y))
        s.link("R", (350, y), number)
        s.note((268, y - 1), label, 2)
    s.note((290, 130), "CONTROL SUPPLY TO SHEET 2", 2)
    return s


def sheet2():
    s = new_sheet(2, "CONTROL - MOTOR M1")
    rails(s, True)
    start_stop_rung(s, 240, "S?", "S?", "K1", "K2")
    s.marker((325, 228), "K1")
    contact_lamp_rung(s, 190, "CONTNO", "K1", "M1 RUNNING")
    contact_lamp_rung(s, 150, "CONTNC", "K1", "M1 STOPPED")
    # Selector lamp: its feed climbs across the rung at 150 without joining it.
    s.wire("CONTROL", (LEFT, 110), (60, 110))
    s.symbol("SWNO", (60, 110), REF="S?")
    s.wire("CONTROL", (70, 110), (170, 110), (170, 170), (300, 170))
    load(s, 170, "LAMP", "LP?")
    s.note((318, 171.5), "AUTO SELECTED", 1.75)
    # Timer relay started by K1.
    s.wire("CONTROL", (LEFT, 80), (60, 80))
    s.symbol("CONTNO", (60, 80), REF="K1", TAG="K1")
    s.wire("CONTROL", (70, 80), (300, 80))
    load(s, 80, "TMCOIL", "K3", TAG="K3", RTP="1")
    # Remote start signal carried to sheet 4 by wire link 20.
    s.wire("CONTROL", (LEFT, 60), (60, 60))
    s.symbol("SWNO", (60, 60), REF="S?")
    s.wire("CONTROL", (70, 60), (150, 60))
    s.link("R", (150, 60), 20)
    s.zone("RACK_1", (40, 52), (160, 255))
    s.zone("RACK_2", (280, 70), (320, 255))
    return s


def sheet3():
    s = new_sheet(3, "CONTROL - MOTOR M2 AND TIMER")
    rails(s, True)
    start_stop_rung(s, 240, "S?", "S?", "K2", "K1")
    s.marker((325, 228), "K2")
    contact_lamp_rung(s, 190, "CONTNO", "K2", "M2 RUNNING")
    contact_lamp_rung(s, 150, "CONTTM", "K3", "TIMER ELAPSED")
    # K2 signal through a pass-through terminal, carried on by wire link -1.
    s.wire("CONTROL", (LEFT, 110), (60, 110))
    s.symbol("CONTNO", (60, 110), REF="K2", TAG="K2")
    s.wire("CONTROL", (70, 110), (100, 110))
    s.symbol("TERMH", (100, 110), TERMINAL_LAYER, REF="X1:?", TAG="TERMBLK1")
    s.wire("CONTROL", (103, 110), (200, 110))
    s.link("R", (200, 110), -1)
    s.zone("RACK_3", (40, 100), (160, 255))
    s.zone("RACK_4", (280, 140), (320, 255))
    return s


def sheet4():
    s = new_sheet(4, "INDICATION AND INTERFACE")
    rails(s, False)
    s.wire("CONTROL", (60, 240), (300, 240))
    s.link("L", (60, 240), -1)
    load(s, 240, "LAMP", "LP?")
    s.note((318, 241.5), "M2 RUNNING (REMOTE)", 1.75)
    s.wire("CONTROL", (60, 200), (300, 200))
    s.link("L", (60, 200), 20)
    load(s, 200, "RLCOIL", "K4", TAG="K4")
    s.marker((325, 188), "K4")
    # K4 switches a lamp through two terminals of the field strip.
    s.wire("CONTROL", (LEFT, 160), (60, 160))
    s.symbol("CONTNO", (60, 160), REF="K4", TAG="K4")
    s.wire("CONTROL", (70, 160), (120, 160))
    s.symbol("TERMH", (120, 160), TERMINAL_LAYER, REF="X2:?", TAG="TERMBLK2")
    s.wire("CONTROL", (123, 160), (200, 160))
    s.symbol("TERMH", (200, 160), TERMINAL_LAYER, REF="X2:?", TAG="TERMBLK2")
    s.wire("CONTROL", (203, 160), (300, 160))
    load(s, 160, "LAMP", "LP?")
    s.note((318, 161.5), "REMOTE START", 1.75)
    contact_lamp_rung(s, 120, "CONTNC", "K4", "LOCAL")
    s.zone("CUBICLE_2", (20, 100), (400, 255))
    return s


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "demo")
    os.makedirs(out, exist_ok=True)
    for no, make in enumerate((sheet1, sheet2, sheet3, sheet4), 1):
        s = make()
        with open(os.path.join(out, f"NEW{no:03d}.DXF"), "w", newline="\n") as f:
            f.write(s.text())
        print(f"NEW{no:03d}.DXF: {s.segments} wire segments")


if __name__ == "__main__":
    main()
