#!/bin/sh
# Runs lintian on a built .deb and fails on any error; warnings and notes are shown and pass.
# Needs no network and no root.
#
#   packaging/lint-deb.sh FILE.deb
set -eu

deb=${1:?usage: lint-deb.sh FILE.deb}
[ -f "$deb" ] || { echo "lint-deb.sh: no such file: $deb" >&2; exit 1; }
command -v lintian >/dev/null || { echo "lint-deb.sh: install lintian" >&2; exit 1; }

# Every tag is shown, notes and pedantic ones included; only errors fail the check.
lintian --display-info --pedantic --tag-display-limit 0 --fail-on error "$deb"
