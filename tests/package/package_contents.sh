#!/bin/sh
# Builds the Debian package into a temporary folder and checks that what it says of itself agrees
# with the project: the copyright file in the machine-readable format names the licence of
# LICENSE for the program and the font licence laid beside the bundled font; the package, its
# changelog and its AppStream release carry the one product version; lintian finds no error.
#   package_contents.sh CPACK BUILD_DIR SOURCE_DIR PRODUCT_VERSION
set -eu
cpack=$1
build=$2
source=$3
version=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/velora-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
deb=$(ls "$work"/out/*.deb)
dpkg-deb -x "$deb" "$work/root"
doc="$work/root/usr/share/doc/velora-catalogue"

# One version: the package, its changelog and the AppStream release.
package_version=$(dpkg-deb -f "$deb" Version)
case $package_version in
  "$version"-[0-9]*) ;;
  *) fail "package version $package_version is not the product version $version with a revision" ;;
esac
changelog="$doc/changelog.Debian.gz"
[ -f "$changelog" ] || fail "no changelog.Debian.gz"
gzip -t "$changelog" || fail "changelog.Debian.gz is not gzip"
head -n 1 "$changelog" | gzip -dc | head -n 1 | grep -qF "velora-catalogue ($package_version) " ||
  fail "the changelog's latest entry is not $package_version"
changelog_date=$(gzip -dc "$changelog" | sed -n 's/^ -- .*>  //p' | head -n 1)
metainfo="$work/root/usr/share/metainfo/org.velora.catalogue.metainfo.xml"
release=$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' "$metainfo")
[ "$release" = "$version $(date -u -d "$changelog_date" +%F)" ] ||
  fail "AppStream release \"$release\" disagrees with version $version of $changelog_date"
grep -qx '  <project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
  fail "the metainfo does not say GPL-3.0-or-later"
appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "the metainfo is not valid to the last pedantic remark"; }

# The licence: LICENSE is the GPL version 3, which the copyright file names for the program and
# points to on the installed system.
copyright="$doc/copyright"
[ -f "$copyright" ] || fail "no /usr/share/doc/velora-catalogue/copyright"
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
paragraph() {  # the paragraph of the copyright file whose first line is $1
  awk -v first="$1" 'start && $0 == first { on = 1 } on && $0 == "" { exit } on { print } { start = $0 == "" }' \
    "$copyright"
}
paragraph 'Files: *' | grep -qx 'License: GPL-3+' || fail "the program is not under GPL-3+ in the copyright file"
gpl=$(paragraph 'License: GPL-3+')
echo "$gpl" | grep -qF 'either version 3 of the License, or' || fail "the GPL-3+ grant is not version 3 or later"
echo "$gpl" | grep -qF '(at your option) any later version.' || fail "the GPL-3+ grant is not version 3 or later"
common=$(echo "$gpl" | sed -n 's/.*"\(\/usr\/share\/common-licenses\/[^"]*\)".*/\1/p')
[ "$common" = /usr/share/common-licenses/GPL-3 ] || fail "the copyright file points to \"$common\""
cmp -s "$source/LICENSE" "$common" || fail "LICENSE is not the text of $common"

# The bundled font: its licence beside it, and the same licence text in the copyright file.
sp="$work/root/usr/lib/velora-catalogue/sp"
[ -f "$sp/velora-cjk.otf" ] || fail "the package holds no Chinese font"
[ -f "$sp/OFL.txt" ] || fail "no licence beside the Chinese font"
paragraph 'Files: usr/lib/velora-catalogue/sp/velora-cjk.otf usr/lib/velora-catalogue/sp/OFL.txt' |
  grep -qx 'License: OFL-1.1' || fail "the font is not under OFL-1.1 in the copyright file"
paragraph 'License: OFL-1.1' | tail -n +2 | sed 's/^ //; s/^\.$//' >"$work/ofl-copyright"
sed -n '/^-----/,$p' "$sp/OFL.txt" >"$work/ofl-beside-font"
[ -s "$work/ofl-beside-font" ] || fail "sp/OFL.txt holds no licence text"
diff "$work/ofl-copyright" "$work/ofl-beside-font" >/dev/null ||
  fail "the copyright file's OFL-1.1 text differs from sp/OFL.txt"

sh "$source/packaging/lint-deb.sh" "$deb" || fail "lintian reports errors"
echo "package sound: $(basename "$deb")"
