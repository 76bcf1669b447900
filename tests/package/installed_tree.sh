#!/bin/sh
# Installs the build into a temporary prefix (a folder with a blank in its name) and checks what an
# installation promises: the program and its catalogue in one folder, bin/velora-catalogue leading
# to that program, nothing pointing back into the build folder, a sound installed catalogue, a
# valid desktop entry and AppStream metainfo with the icon they name, and the program, started
# through bin/ from another folder, finding its catalogue: the splash window appears only after
# the catalogue's database was read and its eleven categories counted. The Jet reader lies in the
# program's folder, and the tool in bin/ finds it there to read a genuine Access file (JET_FILE).
#   installed_tree.sh CMAKE BUILD_DIR JET_FILE
set -eu
cmake=$1
build=$2
jet=$3
prefix=$(mktemp -d "${TMPDIR:-/tmp}/velora install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

folder="$prefix/lib/velora-catalogue"
for file in velora-catalogue velora2014.mdb sp/chnfont.sh data/00001r.html data/00001e.html data/00001c.html; do
  [ -f "$folder/$file" ] || fail "lib/velora-catalogue/$file is missing"
done
[ -x "$folder/velora-catalogue" ] || fail "the program is not executable"
[ -x "$folder/velora-jet-reader" ] || fail "lib/velora-catalogue/velora-jet-reader is missing"
[ -x "$prefix/bin/velora-catalogue-tool" ] || fail "bin/velora-catalogue-tool is missing"
[ -L "$prefix/bin/velora-catalogue" ] || fail "bin/velora-catalogue is not a symlink"
case $(readlink "$prefix/bin/velora-catalogue") in
  /*) fail "bin/velora-catalogue is an absolute link: the tree cannot be staged or moved" ;;
esac
[ "$(readlink -f "$prefix/bin/velora-catalogue")" = "$(readlink -f "$folder/velora-catalogue")" ] ||
  fail "bin/velora-catalogue does not lead to lib/velora-catalogue/velora-catalogue"
for binary in "$folder/velora-catalogue" "$folder/velora-jet-reader" "$prefix/bin/velora-catalogue-tool"; do
  if readelf -d "$binary" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "$binary looks for libraries in the build folder"
  fi
done

"$prefix/bin/velora-catalogue-tool" check "$folder" >/dev/null || fail "the installed catalogue does not check sound"
[ "$("$prefix/bin/velora-catalogue-tool" sql "$jet" 'SELECT count(*) AS n FROM Table1')" = "$(printf 'n\n2')" ] ||
  fail "the installed tool does not read a Jet file through lib/velora-catalogue/velora-jet-reader"
# The catalogue's full-text index comes with it and matches the installed page files.
[ "$("$prefix/bin/velora-catalogue-tool" find "$folder" wheat --limit 1 | wc -l)" -eq 2 ] ||
  fail "the installed catalogue has no full-text index that finds its pages"

desktop="$prefix/share/applications/org.velora.catalogue.desktop"
desktop-file-validate "$desktop" >/dev/null || { desktop-file-validate "$desktop"; fail "invalid desktop entry"; }
appstreamcli validate-tree --no-net "$prefix" >/dev/null ||
  { appstreamcli validate-tree --no-net "$prefix"; fail "invalid AppStream metainfo"; }
grep -qx 'Exec=velora-catalogue' "$desktop" || fail "the desktop entry does not start bin/velora-catalogue"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -f "$png" ] || fail "no ${size}x${size} icon named $icon"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done

# Chromium refuses to run as root with its sandbox on.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
# The program shows its windows on the virtual display, not on the test run's offscreen platform.
unset QT_QPA_PLATFORM
cd /
# shellcheck disable=SC2016  # the inner script expands its own variables
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  link="$1"; folder="$2"
  "$link" &
  pid=$!
  i=0
  while [ $i -lt 300 ]; do
    if xdotool search --onlyvisible --name "^ \$" >/dev/null 2>&1; then
      exe=$(readlink "/proc/$pid/exe")
      kill "$pid"; wait "$pid" 2>/dev/null
      [ "$exe" = "$folder/velora-catalogue" ] && exit 0
      echo "FAIL: the running program is $exe" >&2; exit 1
    fi
    kill -0 "$pid" 2>/dev/null || { echo "FAIL: the program ended without showing its splash window" >&2; exit 1; }
    sleep 0.1; i=$((i + 1))
  done
  kill "$pid"
  echo "FAIL: no splash window within 30 s: the installed program did not find its catalogue" >&2
  exit 1
' sh "$prefix/bin/velora-catalogue" "$(readlink -f "$folder")"
echo "installed tree sound"
