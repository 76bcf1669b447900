#!/bin/sh
# Medians of the start-up timings over RUNS starts (default 11) of bench_app on a virtual display.
# Usage: bench/startup.sh BUILD_DIR [RUNS] [CATALOGUE_DIR]
# CATALOGUE_DIR (default: the demo catalogue in BUILD_DIR) is where the program reads its pages and
# database; give one built with `velora-catalogue-tool build --synthetic 100000 DIR` to measure
# memory after a 100,000-row search.
set -eu
build="$1"; runs="${2:-11}"; catalogue="${3:-$1}"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  i=0
  while [ $i -lt "$2" ]; do
    "$1/bench_app" "$(date +%s%3N)" "$3" 2>/dev/null | grep "^splash"
    i=$((i + 1))
  done' sh "$build" "$runs" "$catalogue" > /tmp/velora-startup.$$
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
printf 'start to splash shown:        %s ms\n' "$(awk '{ print $2 }' /tmp/velora-startup.$$ | median)"
printf 'language choice to 1st page:  %s ms\n' "$(awk '{ print $4 }' /tmp/velora-startup.$$ | median)"
printf 'Next to page loaded:          %s ms\n' "$(awk '{ print $6 }' /tmp/velora-startup.$$ | median)"
printf 'memory after the first page:  %s KiB (all processes)\n' "$(awk '{ print $8 }' /tmp/velora-startup.$$ | median)"
printf 'memory after a search of %s rows: %s KiB (all processes)\n' "$(awk '{ print $12; exit }' /tmp/velora-startup.$$)" \
  "$(awk '{ print $10 }' /tmp/velora-startup.$$ | median)"
rm -f /tmp/velora-startup.$$
