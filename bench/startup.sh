#!/bin/sh
# Medians of the start-up figures over RUNS starts (default 11) of bench_app on a virtual display,
# with the minimal viewer (bench_minimal_viewer) as the peer, measured in the same run: each round
# starts the program with the choice made at once, the program with the splash up for 1.5 s before
# the choice, and the minimal viewer on the program's first page file, once as it is and once
# drawing in software as the program does. The same rounds watch the screen from outside the
# programs (screen_watch, through the X shared-memory extension): the real program with Return
# pressed after the splash has been up 1.5 s and the moment it shows, and the minimal viewer.
# Usage: bench/startup.sh BUILD_DIR [RUNS] [CATALOGUE_DIR]
# CATALOGUE_DIR (default: the demo catalogue in BUILD_DIR) is where the program reads its pages and
# database; give one built with `velora-catalogue-tool build --synthetic 100000 DIR` to measure
# memory after a 100,000-row search.
set -eu
build="$(cd "$1" && pwd)"; runs="${2:-11}"; catalogue="$(cd "${3:-$1}" && pwd)"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
unset QT_QPA_PLATFORM
out=/tmp/velora-startup.$$
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  i=0
  while [ $i -lt "$2" ]; do
    line=$("$1/bench_app" "$(date +%s%3N)" "$3" 0 2>/dev/null | grep "^splash")
    echo "instant $line"
    "$1/bench_app" "$(date +%s%3N)" "$3" 1500 2>/dev/null | grep "^splash" | sed "s/^/waited /"
    "$1/bench_minimal_viewer" "$(date +%s%3N)" "${line##* url }" 2>/dev/null | grep "^viewer"
    QT_QUICK_BACKEND=software "$1/bench_minimal_viewer" "$(date +%s%3N)" "${line##* url }" 2>/dev/null |
      grep "^viewer" | sed "s/^viewer/software/"
    if [ -x "$1/screen_watch" ]; then
      view=$(echo "$line" | sed -n "s/.* view \([0-9,]*\) .*/\1/p")
      "$1/screen_watch" choose 1500 "$view" -- "$1/velora-catalogue" 2>&1 | grep "^screen " | sed "s/^screen/seen-waited/"
      "$1/screen_watch" choose 0 "$view" -- "$1/velora-catalogue" 2>&1 | grep "^screen " | sed "s/^screen/seen-instant/"
      "$1/screen_watch" show - -- "$1/bench_minimal_viewer" 0 "${line##* url }" stay 2>&1 | grep "^screen " |
        sed "s/^screen/seen-viewer/"
    fi
    i=$((i + 1))
  done' sh "$build" "$runs" "$catalogue" > "$out"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# field NAME FILTER: the median of the value after NAME on lines starting with FILTER
field() { awk -v name="$1" -v kind="$2" '$1 == kind { for (i = 2; i < NF; i++) if ($i == name) print $(i + 1) }' "$out" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
splash=$(field splash instant); waited=$(field page waited); instant=$(field start instant)
waitedPainted=$(field painted waited); instantPainted=$(field painted instant)
viewer=$(field page viewer); pss=$(field pss instant); viewerPss=$(field pss viewer)
printf 'minimal viewer loads:                      %s\n' "$(awk '$1 == "instant" { print $NF; exit }' "$out")"
printf 'start to splash shown:                     %s ms\n' "$splash"
printf 'choice to 1st page, splash up 1.5 s:       %s ms loaded (aim 100 ms), %s ms drawn on screen\n' "$waited" "$waitedPainted"
printf 'choice at once, start to 1st page:         %s ms; minimal viewer start to page %s ms; ratio %s (aim 1.0)\n' \
  "$instant" "$viewer" "$(ratio "$instant" "$viewer")"
printf 'choice at once, choice to 1st page:        %s ms loaded, %s ms drawn on screen\n' "$(field page instant)" "$instantPainted"
# start to drawn, per round: the choice comes right after the splash shows
startDrawn=$(awk '$1 == "instant" { for (i = 2; i < NF; i++) { if ($i == "start") s = $(i + 1); if ($i == "page") p = $(i + 1); if ($i == "painted") d = $(i + 1) } print s - p + d }' "$out" | median)
printf 'choice at once, start to 1st page drawn:   %s ms; minimal viewer %s ms; ratio %s\n' \
  "$startDrawn" "$(field painted viewer)" "$(ratio "$startDrawn" "$(field painted viewer)")"
printf '  minimal viewer drawing in software:       start to page %s ms (ratio %s), drawn %s ms (ratio %s), PSS %s KiB\n' \
  "$(field page software)" "$(ratio "$instant" "$(field page software)")" \
  "$(field painted software)" "$(ratio "$startDrawn" "$(field painted software)")" "$(field pss software)"
printf 'Next to page loaded:                       %s ms\n' "$(field next instant)"
printf 'memory (PSS) after the 1st page:           %s KiB; minimal viewer %s KiB; ratio %s (aim 1.1)\n' \
  "$pss" "$viewerPss" "$(ratio "$pss" "$viewerPss")"
allocated=$(field allocated instant); viewerAllocated=$(field allocated viewer)
printf '  of which allocated (anonymous, shared):   %s KiB; minimal viewer %s KiB; ratio %s\n' \
  "$allocated" "$viewerAllocated" "$(ratio "$allocated" "$viewerAllocated")"
printf 'memory (PSS) after a search of %s rows:   %s KiB\n' "$(awk '$1 == "instant" { for (i = 2; i < NF; i++) if ($i == "rows") print $(i + 1) }' "$out" | head -n 1)" \
  "$(field search instant)"
if grep -q "^seen-" "$out"; then
  printf 'on the screen, from outside (screen_watch; the program on its demo catalogue in %s):\n' "$build"
  printf '  Return after the splash was up 1.5 s:     first change %s ms; window (frame, menu, bottom bar) final %s ms; page final %s ms (aim 100 ms)\n' \
    "$(field first seen-waited)" "$(field window seen-waited)" "$(field page seen-waited)"
  printf '  Return the moment the splash shows:       first change %s ms; window final %s ms; page final %s ms (aim 150 ms); start to splash %s ms\n' \
    "$(field first seen-instant)" "$(field window seen-instant)" "$(field page seen-instant)" "$(field splash seen-instant)"
  printf '  start to the final picture, choice at once: %s ms; minimal viewer start to its first picture %s ms, to its final picture %s ms; ratio %s\n' \
    "$(field start_final seen-instant)" "$(field first seen-viewer)" "$(field final seen-viewer)" \
    "$(ratio "$(field start_final seen-instant)" "$(field final seen-viewer)")"
  printf '  rounds seen: %s waited, %s at once, %s viewer (of %s)\n' "$(grep -c "^seen-waited " "$out")" \
    "$(grep -c "^seen-instant " "$out")" "$(grep -c "^seen-viewer " "$out")" "$runs"
fi
rm -f "$out"
