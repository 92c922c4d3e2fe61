#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A signed release, as a school or a distributor with a code-signing certificate makes it:
# `make dist` with a throwaway self-signed certificate signs both programs and both
# installers (dist_test verifies each against the certificate), the same signed files come
# out of a second run, one changed byte makes verification fail, and a signed program with its
# signature removed is the unsigned program byte for byte, which anyone can check.
# Usage: signing_test.sh, from a checkout whose Windows builds may be signed again.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "signing_test: $*" >&2; exit 1; }

echo "a throwaway password" > "$work/password"
openssl req -x509 -newkey rsa:3072 -sha256 -days 30 -nodes -subj "/CN=Vrenkodal test signer" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/key.pem" -out "$work/certificate.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" \
    -passout "file:$work/password" -out "$work/signer.p12"

# The programs are built once; each run signs them anew and makes the installers around them.
for run in first second; do
    rm -f build/windows/packaging/windows/vrenkodal.exe build/windows-x86/packaging/windows/vrenkodal.exe
    make --no-print-directory dist DIST="$work/$run" \
        SIGN_PKCS12="$work/signer.p12" SIGN_PASSWORD_FILE="$work/password" > "$work/$run.log" 2>&1 \
        || { tail -30 "$work/$run.log" >&2; fail "the signed make dist failed"; }
done
cmp -s "$work/first/SHA256SUMS" "$work/second/SHA256SUMS" || fail "two signed runs differ"

signed=0
for file in "$work"/first/*.exe "$work"/first/*.msi; do
    osslsigncode verify -CAfile "$work/certificate.pem" -in "$file" >/dev/null 2>&1 \
        || fail "$(basename "$file"): the signature does not verify"
    # One byte in the middle of the signed content, changed.
    cp "$file" "$work/changed"
    middle=$(($(stat -c %s "$file") / 2))
    byte=$(od -An -tu1 -j"$middle" -N1 "$file" | tr -d ' ')
    printf "\\$(printf %03o $(((byte + 1) % 256)))" |
        dd of="$work/changed" bs=1 seek="$middle" conv=notrunc status=none
    cmp -s "$file" "$work/changed" && fail "the byte was not changed"
    if osslsigncode verify -CAfile "$work/certificate.pem" -in "$work/changed" >/dev/null 2>&1; then
        fail "$(basename "$file"): a changed byte still verifies"
    fi
    signed=$((signed + 1))
done
[ "$signed" = 4 ] || fail "$signed signed files, not 4"

for build in windows windows-x86; do
    arch=$([ "$build" = windows ] && echo x64 || echo x86)
    osslsigncode remove-signature -in "$work"/first/vrenkodal-*-windows-$arch.exe \
        -out "$work/plain.exe" >/dev/null
    cmp -s "$work/plain.exe" "build/$build/app/vrenkodal.exe" \
        || fail "the $arch program without its signature is not the unsigned program"
    rm "$work/plain.exe"
done
echo "signing_test: 4 files signed reproducibly; each verifies, and fails with one byte changed;" \
     "without their signatures the programs are the unsigned ones"
