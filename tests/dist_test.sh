#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What `make dist` leaves, checked from outside: the four files, their checksums, and one
# version number in all of them. Usage: dist_test.sh DIST-DIRECTORY VERSION
set -euo pipefail
dist=$1 version=$2
tests=$(cd "$(dirname "$0")" && pwd)
fail() { echo "dist_test: $*" >&2; exit 1; }
cd "$dist"

deb=$(ls vrenkodal_"$version"_*.deb) || fail "no .deb of version $version"
exe=vrenkodal-$version-windows-x64.exe
msi=vrenkodal-$version-windows-x64.msi
[ -f "$exe" ] || fail "no $exe"
[ -f "$msi" ] || fail "no $msi"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match"
[ "$(wc -l < SHA256SUMS)" = 3 ] || fail "SHA256SUMS does not list the three files"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the .deb is not version $version"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml \
    || fail "the metainfo's release is not $version"
/usr/bin/python3 "$tests/win32/pe_check.py" "$exe" "$version" \
    || fail "the Windows version record is not $version"
msiinfo export "$msi" Property | tr -d "\r" | grep -q "^ProductVersion	$version\$" \
    || fail "the MSI is not version $version"
echo "dist_test: $deb, $exe, $msi: version $version, checksums good"
