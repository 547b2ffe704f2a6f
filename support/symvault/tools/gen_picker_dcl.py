#!/usr/bin/python3
"""Writes the eight picker dialog files sv_dlg20.dcl .. sv_dlg27.dcl, one per
layout: a grid of icon buttons symbol1..symbolN beside the list of
descriptions, the group list, paging buttons and the insertion toggles."""
import os

# (name, columns, rows, icon width in characters)
LAYOUTS = [
    ("Standard 4x5", 4, 5, 10), ("Standard 4x4", 4, 4, 10), ("Standard 4x3", 4, 3, 10),
    ("Standard 3x3", 3, 3, 10), ("Large 3x3", 3, 3, 15), ("Large 3x2", 3, 2, 15),
    ("Large 2x3", 2, 3, 15), ("Large 2x2", 2, 2, 15),
]


def dialog(name, cols, rows, width):
    grid = []
    n = 1
    for _ in range(rows):
        cells = []
        for _ in range(cols):
            cells.append(f': image_button {{ key = "symbol{n}"; width = {width}; aspect_ratio = 1.33; '
                         f'color = 0; allow_accept = true; }}')
            n += 1
        grid.append("            : row { " + " ".join(cells) + " }")
    toggles = " ".join(f': toggle {{ key = "{k}"; label = "{k.capitalize()}"; }}'
                       for k in ("explode", "scale", "rotate", "xref", "multi", "recall"))
    return f"""// The symbol picker, layout "{name}": {cols * rows} icons a page.

sv_symvault : dialog {{
    label = "SYMVAULT";
    : row {{
        : text {{ key = "libname"; label = ""; width = 16; }}
        : text {{ key = "libdescription"; label = ""; width = 40; }}
    }}
    : text {{ key = "banner"; label = ""; width = 60; }}
    : popup_list {{ key = "group"; label = "Group:"; width = 40; }}
    : row {{
        : column {{
{chr(10).join(grid)}
        }}
        : list_box {{ key = "names"; label = "Symbols"; width = 30; height = {max(rows * 3, 8)}; }}
    }}
    : text {{ key = "fulldescription"; label = ""; width = 70; }}
    : row {{
        : button {{ key = "prev"; label = "< Previous"; fixed_width = true; width = 12; }}
        : button {{ key = "next"; label = "Next >"; fixed_width = true; width = 12; }}
    }}
    : row {{ {toggles} }}
    ok_cancel_help;
}}
"""


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for i, (name, cols, rows, width) in enumerate(LAYOUTS):
        with open(os.path.join(here, "..", f"sv_dlg2{i}.dcl"), "w", newline="\n") as f:
            f.write(dialog(name, cols, rows, width))


if __name__ == "__main__":
    main()
