#!/bin/sh
# Lays out the install directory of the electrical design application in a
# folder that the host maps to a drive letter:
#
#   support/wcraft/install.sh DRIVE_DIR BUILD_DIR
#
# makes DRIVE_DIR/WCRAFT with the module (wcraft.arx), the dialog files,
# the information slide, the AutoLISP support files, the block drawings, locator.id and the PROJECT and
# PROCESS folders. Then run, for example:
#
#   BUILD_DIR/bin/cadhost --drive C=DRIVE_DIR --support DRIVE_DIR/WCRAFT \
#       --support support/dcl --load DRIVE_DIR/WCRAFT/wcraft.arx
set -e
if [ $# -lt 2 ]; then
    echo "usage: $0 DRIVE_DIR BUILD_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
drive=$1
build=$2
dest="$drive/WCRAFT"
mkdir -p "$dest/PROJECT" "$dest/PROCESS"
cp "$here"/*.dcl "$here"/*.LSP "$here"/*.lin "$dest/"
# Block drawings the commands and the post-processor insert.
if [ -d "$here/blocks" ]; then
    for f in "$here"/blocks/*.DXF; do
        if [ -f "$f" ]; then cp "$f" "$dest/"; fi
    done
fi
cp "$build/bin/wcraft.so" "$dest/wcraft.arx"
if [ -x "$build/tests/wcraft/wcraft_info_slide" ]; then
    "$build/tests/wcraft/wcraft_info_slide" "$dest/WCRINFO.SLD"
elif [ -f "$here/WCRINFO.SLD" ]; then
    cp "$here/WCRINFO.SLD" "$dest/"
fi
# Demo drawings and the demo project, where they exist.
for f in NEW001.DXF NEW002.DXF NEW003.DXF NEW004.DXF wcrdemo.prj; do
    if [ -f "$here/demo/$f" ]; then cp "$here/demo/$f" "$dest/"; fi
done
echo "Wirecraft 5 install directory" > "$dest/locator.id"
echo "installed in $dest"
