#!/bin/sh
# Installs a built .deb into a fresh Debian 12 system as a user would (apt-get install ./FILE.deb),
# creates a normal user, and as that user starts the installed program on a virtual display with
# the HTML engine's sandbox on, then searches the installed catalogue with the tool's find: proves
# that the package declares everything it needs, that the program finds its catalogue beside its
# real path, and that it runs as its users run it.
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
# The engine's sandbox puts its renderers into user and PID namespaces of their own. The kernel
# refuses new user namespaces to a process in a chroot; where it does, the user's commands run in
# a mount namespace whose root is the installed system (pivot_root), where they are allowed. The
# check fails when an engine process runs with --no-sandbox or none runs under a seccomp filter in
# a PID namespace of its own.
#
# Needs root, debootstrap, unshare and access to deb.debian.org. Slow (minutes): not part of
# scripts/test.
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
mkdir -p "$root/tmp/package"
cp "$deb" "$root/tmp/package/$package"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

echo "=== Installing $package into a fresh bookworm"
in_root apt-get update -q
in_root sh -c "cd /tmp/package && apt-get install -y -q --no-install-recommends ./$package"

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

echo "=== Tools of the check: Xvfb, xdotool, ImageMagick"
in_root apt-get install -y -q --no-install-recommends xvfb xauth xdotool imagemagick >/dev/null

user=reader
echo "=== A normal user, $user"
in_root useradd --create-home --shell /bin/sh "$user"
uid=$(in_root id -u "$user")
# The runtime folder a desktop session's login would make.
in_root install -d -m 0700 -o "$user" -g "$user" "/run/user/$uid"
user_env="PATH=/usr/local/bin:/usr/bin:/bin HOME=/home/$user LANG=C.UTF-8 XDG_RUNTIME_DIR=/run/user/$uid"

# Runs a command as the user in the installed system: in the chroot where the user may make user
# namespaces there, else in a mount namespace with the installed system as its root.
if in_root runuser -u "$user" -- unshare --user true 2>/dev/null; then
  where=chroot
  echo "user namespaces are allowed in the chroot"
else
  where=namespace
  echo "the chroot refuses user namespaces: the user's commands run in a mount namespace rooted there"
fi
as_user() {
  if [ "$where" = chroot ]; then
    # shellcheck disable=SC2086  # user_env holds words without blanks
    chroot "$root" /usr/sbin/runuser -u "$user" -- /usr/bin/env -i $user_env "$@"
  else
    # shellcheck disable=SC2016,SC2086
    unshare --mount --propagation private -- /bin/sh -c '
      set -e
      root=$1; shift
      mount --rbind "$root" "$root"
      cd "$root"
      pivot_root . mnt
      umount -l /mnt
      cd /
      exec /usr/sbin/runuser "$@"' sh "$root" -u "$user" -- /usr/bin/env -i $user_env "$@"
  fi
}
as_user unshare --user true || { echo "user namespaces are not allowed on this machine: the sandbox cannot run" >&2; exit 1; }

echo "=== The installed catalogue checks sound, as $user"
as_user velora-catalogue-tool check /usr/lib/velora-catalogue

echo "=== Starting /usr/bin/velora-catalogue as $user on a virtual display, the engine's sandbox on"
# xvfb-run -a looks for a free display among the lock files of this system's /tmp only; the X
# server's socket names are shared with the host's, so the display is chosen by those instead.
display=99
while grep -q "/tmp/.X11-unix/X$display\$" /proc/net/unix; do display=$((display + 1)); done
# shellcheck disable=SC2016  # the inner script expands its own variables
as_user xvfb-run -n "$display" -s "-screen 0 1280x1024x24" sh -c '
  set -eu
  cd
  shots=/tmp/velora-check
  mkdir -p "$shots"
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
  echo "program $(readlink /proc/$pid/exe) as $(id -un), splash window $splash"
  import -window root "$shots/splash.png"
  xdotool key --window "$splash" Return
  main=$(wait_for_window "Velora")
  sleep 6   # the HTML view loads its first page
  import -window root "$shots/main-window.png"

  # The sandbox: no process of the engine runs with --no-sandbox, and its renderers (forked from
  # its zygote, whose command line they keep) run under a seccomp filter (Seccomp: 2) in a PID
  # namespace of their own (NSpid names them in more than one).
  sandboxed=0
  for process in /proc/[0-9]*; do
    [ -O "$process" ] || continue  # processes of this user only: /proc shows the whole machine
    command=$(tr "\0" " " 2>/dev/null <"$process/cmdline") || continue
    case $command in /usr/lib/qt6/libexec/QtWebEngineProcess\ *) ;; *) continue ;; esac
    case $command in *--no-sandbox*) echo "sandbox off: $command" >&2; kill "$pid"; exit 1 ;; esac
    seccomp=$(sed -n "s/^Seccomp:[[:space:]]*//p" 2>/dev/null "$process/status") || continue
    pids=$(sed -n "s/^NSpid:[[:space:]]*//p" 2>/dev/null "$process/status" | wc -w)
    if [ "$seccomp" = 2 ] && [ "$pids" -ge 2 ]; then
      echo "engine process ${process#/proc/}: seccomp filter, PID namespace $pids levels deep"
      sandboxed=$((sandboxed + 1))
    fi
  done
  [ $sandboxed -gt 0 ] || { echo "no process of the engine runs in its sandbox" >&2; kill "$pid"; exit 1; }

  # Exit sits at the right of the bottom bar.
  xdotool mousemove --window "$main" 970 694 click 1
  i=0
  while kill -0 "$pid" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  if kill -0 "$pid" 2>/dev/null; then echo "the program did not end on Exit" >&2; kill "$pid"; exit 1; fi
  wait "$pid"
'
cp "$root/tmp/velora-check/splash.png" "$work/splash.png"
cp "$root/tmp/velora-check/main-window.png" "$work/main-window.png"
echo "=== Screenshots: $work/splash.png $work/main-window.png"

echo "=== The tool finds in the installed catalogue's index, as $user"
found=$(as_user velora-catalogue-tool find /usr/lib/velora-catalogue wheat --limit 1)
echo "$found"
[ "$(echo "$found" | wc -l)" -eq 2 ] || { echo "find gave no hit in the installed catalogue" >&2; exit 1; }
echo "=== The package installs and runs as its users run it"
