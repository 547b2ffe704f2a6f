#!/bin/sh
# Lays out the install directory of the symbol library manager in a folder
# that the host maps to a drive letter:
#
#   support/symvault/install.sh DRIVE_DIR BUILD_DIR
#
# makes DRIVE_DIR/SYMVAULT with the module (symvault.arx), the dialog
# files, SV_INFO.SLD, the AutoLISP support code and start-up file, the
# parametric templates, the menu templates, the toolbar bitmaps of the editor
# and of the sample library and the
# LIBRARY folder with the sample library ELEC. Then run, for example:
#
#   BUILD_DIR/bin/cadhost --drive C=DRIVE_DIR --support DRIVE_DIR/SYMVAULT \
#       --support support/dcl
set -e
if [ $# -lt 2 ]; then
    echo "usage: $0 DRIVE_DIR BUILD_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
drive=$1
build=$2
dest="$drive/SYMVAULT"
mkdir -p "$dest/LIBRARY"
cp "$here"/*.dcl "$here"/*.LSP "$here"/*.TEM "$here"/*.MNU "$here"/*.BMP "$here/SV_INFO.SLD" "$dest/"
# The sample library's toolbar bitmaps belong in the support directory.
cp "$here"/library/*.BMP "$dest/"
cp "$build/bin/symvault.so" "$dest/symvault.arx"
# A library already installed is kept as it is: it may hold the user's changes.
cp -R -n "$here/library/ELEC" "$here/library/ELEC.SVF" "$dest/LIBRARY/"
echo "installed in $dest"
