#!/bin/sh
# Makes the sample library's block drawings and slides with the host itself:
# each symbol is drawn into a new drawing (symbols.lsp), shown whole
# (ZOOM Window), written as a slide (MSLIDE) and saved as an R12 drawing.
#
#   support/symvault/tools/make_sample.sh BUILD_DIR
#
# writes support/symvault/library/ELEC/NAME.DXF and NAME.SLD for every
# symbol, and support/symvault/SV_INFO.SLD.
set -e
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
host="$1/bin/cadhost"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/symbols.lsp" "$work/SYMBOLS.LSP"
names=$(grep -o '("[A-Z_0-9]*" sv-' "$here/symbols.lsp" | sed 's/("\([A-Z_0-9]*\)".*/\1/')
{
    for n in $names; do
        printf 'NEW\n\n(load "C:\\\\SYMBOLS.LSP")\n(sv-draw "%s")\nMSLIDE\nC:\\%s\nSAVEAS\nR12\nC:\\%s.DXF\n' "$n" "$n" "$n"
    done
    printf 'QUIT\n'
} > "$work/make.scr"
"$host" --drive C="$work" < "$work/make.scr" > "$work/make.log" 2>&1 || { cat "$work/make.log"; exit 1; }
lib="$here/../library/ELEC"
mkdir -p "$lib"
for n in $names; do
    if [ "$n" = SV_INFO ]; then
        cp "$work/$n.sld" "$here/../SV_INFO.SLD"
        continue
    fi
    cp "$work/$n.sld" "$lib/$n.SLD"
    cp "$work/$n.DXF" "$lib/$n.DXF"
done
echo "$(echo $names | wc -w) symbols made in $(cd "$lib" && pwd)"
