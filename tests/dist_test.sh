#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What `make dist` leaves, checked from outside: the .deb, both Windows programs and both
# installers, the web page and the site, the build record and the checksums, and one version
# number in all of them.
# When a certificate was given, each Windows file's signature verifies against it; when none
# was, no file is signed. Usage: dist_test.sh DIST-DIRECTORY VERSION [PKCS12 [PASSWORD-FILE]]
set -euo pipefail
dist=$1 version=$2 pkcs12=${3:-} password_file=${4:-}
tests=$(cd "$(dirname "$0")" && pwd)
fail() { echo "dist_test: $*" >&2; exit 1; }
cd "$dist"

deb=$(ls vrenkodal_"$version"_*.deb) || fail "no .deb of version $version"
windows=()
for arch in x64 x86; do
    for file in "vrenkodal-$version-windows-$arch.exe" "vrenkodal-$version-windows-$arch.msi"; do
        [ -f "$file" ] || fail "no $file"
        windows+=("$file")
    done
done
grep -q "^Commit: [0-9a-f]\{40\}$" BUILDINFO || fail "BUILDINFO names no commit"
grep -q "^ g++-mingw-w64-i686-posix (= " BUILDINFO || fail "BUILDINFO lacks the toolchain"
page=vrenkodal-$version-web.html site=vrenkodal-$version-web-site.zip
[ -f "$page" ] || fail "no $page"
[ "$(stat -c %s "$page")" -le 40960 ] || fail "$page is over 40 KB"
[ "$(unzip -Z1 "$site" | LC_ALL=C sort | tr '\n' ' ')" = \
  "icon-192.png icon-512.png index.html manifest.webmanifest sw.js vrenkodal-$version.wasm.deflate " ] \
    || fail "$site does not hold the six files of the site"
unzip -p "$site" sw.js | grep -q "vrenkodal-$version\"" || fail "the site's store is not $version"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match"
[ "$(wc -l < SHA256SUMS)" = 8 ] || fail "SHA256SUMS does not list the eight files"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the .deb is not version $version"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml \
    || fail "the metainfo's release is not $version"
for arch in x64 x86; do
    /usr/bin/python3 "$tests/win32/pe_check.py" "vrenkodal-$version-windows-$arch.exe" "$version" "$arch" \
        || fail "the $arch program is not as promised"
    /usr/bin/python3 "$tests/win32/msi_check.py" "vrenkodal-$version-windows-$arch.msi" "$arch" \
        || fail "the $arch installer's texts are not as promised"
    msiinfo export "vrenkodal-$version-windows-$arch.msi" Property | tr -d "\r" |
        grep -q "^ProductVersion	$version\$" || fail "the $arch MSI is not version $version"
done

# Signed files verify against the certificate; unsigned ones carry no signature at all.
certificate=
if [ -n "$pkcs12" ]; then
    certificate=$root/certificate.pem
    openssl pkcs12 -in "$pkcs12" -nokeys -out "$certificate" \
        -passin "file:${password_file:-/dev/null}" || fail "cannot read the certificate $pkcs12"
fi
for file in "${windows[@]}"; do
    if [ -n "$certificate" ]; then
        osslsigncode verify -CAfile "$certificate" -in "$file" >/dev/null 2>&1 \
            || fail "$file: the signature does not verify"
    elif osslsigncode extract-signature -in "$file" -out "$root/signature" >/dev/null 2>&1; then
        fail "$file is signed, but no certificate was given"
    fi
done
echo "dist_test: $deb, ${windows[*]}, $page and $site: version $version, checksums good$(
    [ -n "$certificate" ] && echo ", signatures good")"
