#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package as Debian's own tools judge it, and installed into a scratch root:
# package_test.sh DIRECTORY-WITH-THE-DEB
set -euo pipefail
deb=$(ls "$1"/vrenkodal_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# No error and no warning.
if ! findings=$(lintian --fail-on error,warning "$deb" 2>&1); then
    echo "$findings" >&2
    echo "package_test: lintian finds errors or warnings" >&2
    exit 1
fi

dpkg -x "$deb" "$root"
desktop=$root/usr/share/applications/example.vrenkodal.Vrenkodal.desktop
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$program" ] || { echo "package_test: Exec=$program is not in /usr/bin" >&2; exit 1; }
# Debian 12's own C start files (Scrt1.o, crti.o) carry no CET marking, so no program linked on
# it has control-flow protection; every other check must pass.
hardening-check --nocfprotection "$root/usr/bin/$program"
for page in man/man1 man/bg/man1; do
    [ -s "$root/usr/share/$page/vrenkodal.1.gz" ] || { echo "package_test: no $page page" >&2; exit 1; }
done
echo "package_test: $(basename "$deb") passes"
