#!/bin/sh
# Whole sessions of the real program on a virtual display, from a copy of the catalogue in a folder
# whose path has blanks and Cyrillic letters, with a fresh home folder:
#   Enter on the splash, the first page, Exit: exit code 0 and nothing printed to the terminal;
#   Escape or "X" on the splash: exit code 0 and no main window ever shown;
# and afterwards the catalogue folder and the home folder are as they were.
# Usage: session_on_virtual_display.sh BUILD_DIR
set -eu
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
catalogue="$work/Мой каталог 2014"
mkdir -p "$catalogue" "$work/home"
cp -r "$build/velora-catalogue" "$build/velora2014.mdb" "$build/data" "$build/sp" "$catalogue/"
snapshot() { (cd "$1" && find . -printf '%p %s %T@\n' | sort; find . -type f -exec md5sum {} + | sort); }
snapshot "$catalogue" > "$work/catalogue.before"
snapshot "$work/home" > "$work/home.before"

# A private runtime folder, as a desktop session gives every program.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
       XDG_DATA_HOME="$work/home/.local/share"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
unset QT_QPA_PLATFORM

session() {  # scenario
  xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    set -u
    program="$1"; scenario="$2"; output="$3"
    "$program" > "$output" 2>&1 & pid=$!
    find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
    wait_window() {
      i=0; while [ $i -lt 300 ]; do id=$(find_window "$1"); [ -n "$id" ] && { echo "$id"; return 0; }; sleep 0.1; i=$((i+1)); done
      return 1
    }
    splash=$(wait_window "^ \$") || { echo "no splash"; kill $pid; exit 10; }
    sleep 0.5
    case "$scenario" in
      enter-exit)
        xdotool key --window "$splash" Return
        main=$(wait_window "Velora") || { echo "no main window"; kill $pid; exit 11; }
        sleep 5
        xdotool mousemove --window "$main" 970 694 click 1 ;;
      escape) xdotool key --window "$splash" Tab Tab Escape ;;
      cross)  xdotool mousemove --window "$splash" 594 16 click 1 ;;
    esac
    i=0; while kill -0 $pid 2>/dev/null && [ $i -lt 150 ]; do
      if [ "$scenario" = escape ] || [ "$scenario" = cross ]; then
        [ -n "$(find_window Velora)" ] && { echo "main window shown after cancel"; kill $pid; exit 12; }
      fi
      sleep 0.1; i=$((i+1)); done
    kill -0 $pid 2>/dev/null && { echo "still running"; kill $pid; exit 13; }
    wait $pid
  ' sh "$catalogue/velora-catalogue" "$1" "$work/output.$1"
}

for scenario in enter-exit escape cross; do
  if session "$scenario"; then echo "ok: $scenario"; else echo "FAILED: $scenario (code $?)"; exit 1; fi
  # A normal run prints nothing: no engine start-up report, no warnings.
  if [ -s "$work/output.$scenario" ]; then
    echo "FAILED: $scenario printed to the terminal:"; cat "$work/output.$scenario"; exit 1
  fi
done

snapshot "$catalogue" > "$work/catalogue.after"
snapshot "$work/home" > "$work/home.after"
diff "$work/catalogue.before" "$work/catalogue.after" || { echo "FAILED: the catalogue folder changed"; exit 1; }
diff "$work/home.before" "$work/home.after" || { echo "FAILED: the home folder changed"; exit 1; }
echo "ok: nothing written"
