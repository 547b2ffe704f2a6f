#!/usr/bin/python3
"""Prints what a post-processor run did, read back from its analysis file
(ALF) and run-time event log: wires numbered, components and terminals
referenced, relay coils and contacts cross-referenced, problems logged.

  run_summary.py ANALYSIS_FILE [EVENT_LOG]"""
import sys


def records(path):
    """The analysis file's records as (type, [(code, value), ...]), in file
    order. Each value sits on the line after its code; a record starts with
    code 0. The section line ":>..." (after an empty line) is no record."""
    with open(path, newline="") as f:
        lines = f.read().split("\n")
    if not lines or lines[0] != "Wirecraft 5 HEADER":
        raise ValueError(f"{path}: not an analysis file")
    out, i = [], 1
    while i + 1 < len(lines):
        code, value = lines[i], lines[i + 1]
        i += 2
        if code == "" and value.startswith(":>"):
            continue
        if code == "0":
            out.append((value, []))
        elif out:
            out[-1][1].append((code, value))
    return out


def summary(path):
    wires, kinds, coils_linked, contacts_linked = set(), {}, 0, 0
    owner = None
    for kind, fields in records(path):
        f = dict(fields)
        if kind == "WIRE":
            wires.add((f.get("40"), f.get("15")))
        elif kind in ("COMPONENT", "TERMINAL", "CONTACT", "COIL", "UNLISTEDCOMPONENT"):
            total, referenced = kinds.get(kind, (0, 0))
            # A drawn placeholder reference ("X1:?", "S?") is not a reference.
            has_ref = f.get("1", "") != "" and "?" not in f.get("1", "")
            kinds[kind] = (total + 1, referenced + (1 if has_ref else 0))
            owner = [kind, False]
        elif kind == "XDATA" and owner and not owner[1]:
            owner[1] = True
            if owner[0] == "COIL":
                coils_linked += 1
            elif owner[0] == "CONTACT" and f.get("41") == "4":
                contacts_linked += 1
    return wires, kinds, coils_linked, contacts_linked


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    wires, kinds, coils, contacts = summary(sys.argv[1])
    print(f"Wires numbered          : {len(wires)} wire numbers on {len({t for t, _ in wires})} wire types")
    for kind, label in (("COMPONENT", "Components"), ("TERMINAL", "Terminals")):
        total, referenced = kinds.get(kind, (0, 0))
        print(f"{label + ' referenced':<24}: {referenced} of {total}")
    print(f"Relay coils             : {coils} of {kinds.get('COIL', (0, 0))[0]} with their contacts' places")
    print(f"Relay contacts          : {contacts} of {kinds.get('CONTACT', (0, 0))[0]} cross-referenced to a coil")
    if len(sys.argv) > 2:
        with open(sys.argv[2], errors="replace") as f:
            log = f.read().split("\n")
        errors = sum(1 for line in log if line.startswith(":Error"))
        warnings = sum(1 for line in log if line.startswith(":Warning"))
        print(f"Event log               : {errors} errors, {warnings} warnings")
    return 0


if __name__ == "__main__":
    sys.exit(main())
