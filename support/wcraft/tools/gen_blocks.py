#!/usr/bin/python3
"""Writes the block drawings (one DXF file per symbol, upper-case name,
extension .DXF) into support/wcraft/blocks, or into the folder given."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wcrsym  # noqa: E402


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "blocks")
    os.makedirs(out, exist_ok=True)
    for name, sym in sorted(wcrsym.SYMBOLS.items()):
        with open(os.path.join(out, name + ".DXF"), "w", newline="\n") as f:
            f.write(wcrsym.block_drawing(sym))
    print(f"{len(wcrsym.SYMBOLS)} block drawings in {os.path.normpath(out)}")


if __name__ == "__main__":
    main()
