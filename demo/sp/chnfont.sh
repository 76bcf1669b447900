#!/bin/sh
# Installs the catalogue's Chinese font for the current user when no Chinese font is installed,
# then refreshes the font cache. Quiet; running it again changes nothing.
#
# The font is a subset of a full Chinese font under a family name of its own. Earlier versions of
# this script installed a subset that kept the full font's family name and so shadowed a full
# font installed later; an install of ours that differs from the shipped font is replaced,
# whatever else is installed.

here=$(dirname "$0")
font="$here/velora-cjk.otf"
licence="$here/OFL.txt"

[ -f "$font" ] || exit 0
[ -n "$HOME" ] || exit 0

target="${XDG_DATA_HOME:-$HOME/.local/share}/fonts/velora"
installed="$target/velora-cjk.otf"
if [ -f "$installed" ]; then
    cmp -s "$font" "$installed" && exit 0
elif command -v fc-list >/dev/null 2>&1 && [ -n "$(fc-list :lang=zh family 2>/dev/null)" ]; then
    # A Chinese font is already there: nothing to do.
    exit 0
fi

mkdir -p "$target" 2>/dev/null || exit 1
# Copy beside the final name first, so the font directory never holds half a font.
cp "$font" "$installed.part" 2>/dev/null && mv -f "$installed.part" "$installed" 2>/dev/null || {
    rm -f "$installed.part"
    exit 1
}
[ -f "$licence" ] && cp "$licence" "$target/OFL.txt" 2>/dev/null
if command -v fc-cache >/dev/null 2>&1; then
    fc-cache -f "$target" >/dev/null 2>&1
fi
exit 0
