#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The release is reproducible: `make dist` of one commit, in two clean clones in different
# folders, at different times, under different time zones, umasks and locales, gives the same
# files byte for byte. Where they differ, diffoscope says how.
# Usage: reproducible_test.sh [DIST [SECOND]]
# DIST is an earlier `make dist` of this same commit, made in a clean clone, to compare with
# instead of building twice; the committed state is what gets built. SECOND is the other build's
# dist, made beforehand by `reproducible_test.sh --second FOLDER` (which prints it), so that the
# slow build can go on while something else runs.
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = --second ]; then
    work=${2:?usage: reproducible_test.sh --second FOLDER}
    mkdir -p "$work"
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/vrenkodal-reproducible.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi
fail() { echo "reproducible_test: $*" >&2; exit 1; }

# build FOLDER TZ UMASK LOCALE: a clean clone built there; prints its dist folder.
build() {
    local folder=$1
    mkdir -p "$(dirname "$folder")"
    git clone -q "$source" "$folder"
    if ! (cd "$folder" && umask "$3" &&
        env -u SOURCE_DATE_EPOCH TZ="$2" LC_ALL="$4" LANG="$4" make dist > "$folder.log" 2>&1); then
        tail -40 "$folder.log" >&2
        fail "make dist failed in $folder"
    fi
    echo "$folder/dist"
}

# The other build: another folder, time zone, umask and locale than the first.
build_second() { build "$work/second/one/folder/deeper" Pacific/Kiritimati 002 bg_BG.UTF-8; }
if [ "${1:-}" = --second ]; then
    build_second
    exit 0
fi

if [ $# -ge 1 ]; then
    first=$(cd "$1" && pwd)
else
    first=$(build "$work/first" UTC 022 C.UTF-8)
fi
if [ $# -ge 2 ]; then
    second=$(cd "$2" && pwd)
else
    second=$(build_second)
fi

[ "$(ls "$first")" = "$(ls "$second")" ] || fail "the two builds made different files"
different=0
for file in $(ls "$first"); do
    if ! cmp -s "$first/$file" "$second/$file"; then
        different=1
        echo "reproducible_test: $file differs" >&2
        diffoscope --no-progress "$first/$file" "$second/$file" 2>&1 | head -60 >&2 || true
    fi
done
[ "$different" = 0 ] || fail "the builds differ"
echo "reproducible_test: $(ls "$first" | wc -l) files identical in both builds"
