#!/bin/sh
# Renders DXF files with LibreCAD (package librecad) before and after a
# cadhost save and reports whether both render, and to the same PDF size.
#   tests/tools/librecad_check.sh CADHOST FILE...
# Not part of the test suite: LibreCAD is a large install.
set -u
host=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
work=$(mktemp -d)
status=0
for f in "$@"; do
    b=$(basename "$f" | sed 's/\.[dD][xX][fF]$//')
    cp "$f" "$work/in_$b.dxf"
    (cd "$work" && printf 'SAVEAS\n\nout_%s.dxf\nQUIT\n' "$b" | "$host" "in_$b.dxf" > /dev/null 2>&1)
    for side in in out; do
        (cd "$work" && QT_QPA_PLATFORM=offscreen timeout 120 librecad dxf2pdf -a "${side}_$b.dxf" > /dev/null 2>&1)
    done
    a=$(stat -c %s "$work/in_$b.pdf" 2>/dev/null || echo none)
    c=$(stat -c %s "$work/out_$b.pdf" 2>/dev/null || echo none)
    if [ "$c" = none ] || [ "$a" != "$c" ]; then status=1; verdict=DIFFERENT; else verdict=same; fi
    echo "$b: original $a, saved $c bytes of PDF: $verdict"
done
rm -rf "$work"
exit $status
