#!/bin/sh
# Installs a built .deb into a fresh Debian 12 system and starts the installed program there on a
# virtual display: proves that the package declares everything it needs and that the program
# finds its catalogue beside its real path.
#
#   packaging/check-deb-in-chroot.sh FILE.deb [WORK_DIR]
#
# WORK_DIR (default /work/pkgroot) keeps a pristine minimal bookworm made once by debootstrap
# (WORK_DIR/base); each run copies it to WORK_DIR/root, so the package lands in a system nothing
# else was installed into. The package goes in without its recommendations; the tools of the
# check (Xvfb, xdotool, ImageMagick) go in only afterwards, so they cannot hide a missing
# dependency. Screenshots of the splash window and of the main window on its first page are
# copied to WORK_DIR/splash.png and WORK_DIR/main-window.png.
#
# Needs root, debootstrap and access to deb.debian.org. Slow (minutes): not part of scripts/test.
set -eu

deb=${1:?usage: check-deb-in-chroot.sh FILE.deb [WORK_DIR]}
work=${2:-/work/pkgroot}
mirror=${MIRROR:-http://deb.debian.org/debian}

[ "$(id -u)" -eq 0 ] || { echo "check-deb-in-chroot.sh: run as root" >&2; exit 1; }
[ -f "$deb" ] || { echo "check-deb-in-chroot.sh: no such file: $deb" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "check-deb-in-chroot.sh: install debootstrap" >&2; exit 1; }

mkdir -p "$work"
work=$(cd "$work" && pwd)
base="$work/base"
root="$work/root"

if [ ! -f "$base/.complete" ]; then
  rm -rf "$base"
  debootstrap --variant=minbase bookworm "$base" "$mirror"
  cat >"$base/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
  touch "$base/.complete"
fi

unmount_all() {
  for point in dev/shm dev/pts dev sys proc; do
    if mountpoint -q "$root/$point" 2>/dev/null; then umount -l "$root/$point"; fi
  done
}
unmount_all
rm -rf "$root"
cp -a "$base" "$root"
trap unmount_all EXIT INT TERM

mount -t proc proc "$root/proc"
mount -t sysfs -o ro sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
# Chromium keeps its shared memory here.
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
cp /etc/resolv.conf "$root/etc/resolv.conf"
package=$(basename "$deb")
cp "$deb" "$root/tmp/$package"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

echo "=== Installing $package into a fresh bookworm"
in_root apt-get update -q
in_root apt-get install -y -q --no-install-recommends "/tmp/$package"

echo "=== What the package declares and where it put things"
# shellcheck disable=SC2016  # dpkg-query's own fields
in_root dpkg-query -W -f='${Package} ${Version}\nDepends: ${Depends}\nRecommends: ${Recommends}\nSuggests: ${Suggests}\n' velora-catalogue
in_root sh -c 'ls -l /usr/bin/velora-catalogue /usr/bin/velora-catalogue-tool; ls -F /usr/lib/velora-catalogue /usr/lib/velora-catalogue/sp'
in_root sh -c 'ls /usr/share/applications/*velora* /usr/share/metainfo/*velora* /usr/share/icons/hicolor/*/apps/velora-catalogue.png'

echo "=== Every library of the program, the tool and the web engine's helper resolves"
missing=$(in_root sh -c 'ldd /usr/lib/velora-catalogue/velora-catalogue /usr/bin/velora-catalogue-tool \
  /usr/lib/qt6/libexec/QtWebEngineProcess' | grep 'not found' || true)
[ -z "$missing" ] || { echo "unresolved libraries:"; echo "$missing"; exit 1; }
echo "all resolved"

echo "=== The installed catalogue checks sound"
in_root velora-catalogue-tool check /usr/lib/velora-catalogue

echo "=== Tools of the check: Xvfb, xdotool, ImageMagick"
in_root apt-get install -y -q --no-install-recommends xvfb xauth xdotool imagemagick >/dev/null

echo "=== Starting /usr/bin/velora-catalogue on a virtual display"
# Chromium refuses to run as root with its sandbox on; the check runs as root.
# shellcheck disable=SC2016  # the inner script expands its own variables
in_root env QTWEBENGINE_DISABLE_SANDBOX=1 xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  set -eu
  cd /
  /usr/bin/velora-catalogue &
  pid=$!
  wait_for_window() {  # name pattern
    i=0
    while [ $i -lt 300 ]; do
      id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
      [ -n "$id" ] && { echo "$id"; return 0; }
      kill -0 "$pid" 2>/dev/null || { echo "the program ended before \"$1\" appeared" >&2; exit 1; }
      sleep 0.1; i=$((i + 1))
    done
    echo "window \"$1\" did not appear" >&2; kill "$pid"; exit 1
  }
  splash=$(wait_for_window "^ \$")
  sleep 1
  echo "program $(readlink /proc/$pid/exe), splash window $splash"
  import -window root /tmp/splash.png
  xdotool key --window "$splash" Return
  main=$(wait_for_window "Velora")
  sleep 6   # the HTML view loads its first page
  import -window root /tmp/main-window.png
  kill "$pid"
  wait "$pid" 2>/dev/null || true
'
cp "$root/tmp/splash.png" "$work/splash.png"
cp "$root/tmp/main-window.png" "$work/main-window.png"
echo "=== Screenshots: $work/splash.png $work/main-window.png"
