#!/bin/sh
# Time from a click on Exit to the end of the process while the browser builds the full-text
# index of a catalogue in memory (what Exit and Ctrl+Q wait for), on a virtual display.
#   bench/exit_during_build.sh BUILD_DIR CATALOGUE_DIR [SECONDS_AFTER_THE_MAIN_WINDOW...]
# CATALOGUE_DIR holds data/ and velora2014.mdb (for example the tool's synthetic catalogue); its
# index is not used: the program runs in a temporary folder with data/ linked, so it indexes the
# pages in memory. With no build under way (BUILD_DIR itself, whose demo has its index), the
# same click measures the plain exit, the peer.
set -eu
build="$(cd "$1" && pwd)"; catalogue="$(cd "$2" && pwd)"; shift 2
[ $# -gt 0 ] || set -- 2 4 7
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
cp "$build/velora-catalogue" "$build/velora-jet-reader" "$catalogue/velora2014.mdb" "$work/"
ln -s "$catalogue/data" "$work/data"
export QTWEBENGINE_DISABLE_SANDBOX=1
unset QT_QPA_PLATFORM
exit_after() {  # program delay
  xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    "$1" > /dev/null 2>&1 & pid=$!
    find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
    wait_window() { i=0; while [ $i -lt 300 ]; do id=$(find_window "$1"); [ -n "$id" ] && { echo "$id"; return 0; }; sleep 0.1; i=$((i+1)); done; return 1; }
    splash=$(wait_window "^ \$") || { echo "no splash"; kill $pid; exit 1; }
    sleep 0.5
    xdotool key --window "$splash" Return
    main=$(wait_window "Velora") || { echo "no main window"; kill $pid; exit 1; }
    sleep "$2"
    start=$(date +%s%N)
    xdotool mousemove --window "$main" 970 694 click 1
    wait $pid
    echo "$(( ($(date +%s%N) - start) / 1000000 ))"
  ' sh "$1" "$2"
}
for delay in "$@"; do
  echo "Exit ${delay} s after the main window, index built in memory: $(exit_after "$work/velora-catalogue" "$delay") ms"
done
echo "peer: Exit with the catalogue's own index (the demo): $(exit_after "$build/velora-catalogue" 3) ms"
