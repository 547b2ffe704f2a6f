#!/bin/sh
# Builds the host and the electrical design module, lays out a drive folder
# under out/, and runs the post-processor (PROCESS RUN) over the demo project:
# four schematic sheets that come back with wire numbers, junction blocks,
# component and terminal references, sheet numbers, relay contact places and
# coil cross-references, plus the run-time event log and the reports. It
# ends with a summary of what the run did and where to look.
#   ./demo.sh            (BUILD_DIR=... to build elsewhere than build/)
set -eu
cd "$(dirname "$0")"
src=$(pwd)
build=${BUILD_DIR:-build}
# A relative build folder is taken from the source folder.
case $build in
    /*) ;;
    *) build=$src/$build ;;
esac
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs" --target cadhost_exe wcraft wcraft_info_slide

drive=$src/out/drive
rm -rf "$drive"
sh support/wcraft/install.sh "$drive" "$build" >/dev/null
wc=$drive/WCRAFT
host() {
    (cd "$drive" && "$build/bin/cadhost" --drive C="$drive" --support "$wc" --support "$src/support/dcl" "$@")
}

# First start: the start-up file loads the module, which creates the working
# folders and copies the pristine sheets NEW001..NEW004 to WcrDemo\DEMO001..4.
printf 'QUIT\n' | host > "$src/out/setup.txt" 2>&1

# The run: open the demo project, then PROCESS RUN. The post-processor's own
# script then opens every sheet twice (read, then write back) and saves it.
printf 'WCRAFT\nPROJECT\nOPEN\nC:\\WCRAFT\\PROJECT\\wcrdemo.prj\nEXIT\nPROCESS\nRUN\n' > "$src/out/demo-input.txt"
status=0
host < "$src/out/demo-input.txt" > "$src/out/demo-session.txt" 2>&1 || status=$?

echo
echo "== Wirecraft demo run (host exit status $status)"
echo "Host session transcript : out/demo-session.txt"
grep -o "[A-Za-z0-9' ]* is not built yet in this version of Wirecraft 5\." "$src/out/demo-session.txt" | sed 's/^ *//' | sort -u || true
grep "ARX error" "$src/out/demo-session.txt" | sort -u || true
echo "Numbered drawings       :"
for f in "$wc"/WcrDemo/DEMO00?.DXF; do
    [ -f "$f" ] || continue
    if cmp -s "$f" "$wc/NEW00${f##*DEMO00}"; then note="unchanged"; else note="updated by the run"; fi
    echo "  ${f#$src/} ($note)"
done
echo "Run-time event log      : ${wc#$src/}/PROCESS/WCRDEMO.LOG"
echo "Reports                 :"
for report in "WLF point-to-point wire listing" "RLF relay contact listing" "PLF parts listing" "ALF analysis file"; do
    ext=${report%% *}
    f=$wc/PROCESS/WCRDEMO.$ext
    if [ -f "$f" ]; then echo "  ${f#$src/} (${report#* }, $(wc -l < "$f") lines)"; else echo "  ${f#$src/} (not written)"; fi
done
log=$wc/PROCESS/WCRDEMO.LOG
alf=$wc/PROCESS/WCRDEMO.ALF
if [ -s "$alf" ]; then
    echo
    echo "-- what the run did"
    python3 "$src/support/wcraft/tools/run_summary.py" "$alf" "$log" || true
fi
# The numbered sheets as pictures, for people without a CAD program.
plots=$src/out/plots
rm -rf "$plots"
if "$build/bin/cadhost" --plot "$plots" "$wc"/WcrDemo/DEMO00?.DXF > "$src/out/plot.txt" 2>&1; then
    echo "Numbered sheets plotted : out/plots/DEMO001.pdf .. DEMO004.pdf (and .svg)"
else
    echo "Plotting the sheets failed: see out/plot.txt"
fi
if [ -f "$log" ]; then
    echo
    echo "-- last lines of the event log (the audit of the store follows its end line)"
    sed '/End of post processor log/q' "$log" | tail -n 12
    echo
fi
exit "$status"
