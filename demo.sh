#!/bin/sh
# Builds the host and runs it on the bundled demo drawing: lists what is in
# it and saves a copy as out/demo-copy.dxf.
set -eu
cd "$(dirname "$0")"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target cadhost_exe
mkdir -p out
rm -f out/demo-copy.dxf
printf 'LIST\nALL\n\nSAVEAS\n\nout/demo-copy.dxf\nQUIT\n' | build/bin/cadhost support/samples/demo.dxf
