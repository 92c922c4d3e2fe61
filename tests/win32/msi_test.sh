#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installer as a school's administrator uses it, under Wine: a silent install, the
# installed program started and closed, a silent upgrade to a later version, a silent
# uninstall, and nothing left behind.
# Usage: msi_test.sh WINE-RUN PREFIX MSI WXS START-TEST-PROGRAM
set -euo pipefail
wine_run=$1 prefix=$2 msi=$3 wxs=$4 start_test=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

windows_path() { echo "Z:${1//\//\\}"; }
fail() { echo "msi_test: $*" >&2; exit 1; }
installed="$prefix/drive_c/Program Files/Vrenkodal"
# The Start menu of all users, or of the one user that Wine has.
shortcuts() { find "$prefix/drive_c" -path '*Start Menu/Programs/Животинските години на човека.lnk'; }
# The Add/Remove Programs entries of the machine (Uninstall keys naming Vrenkodal), as Wine
# keeps them on disk.
entries() {
    awk '/^\[/ { if (keep) printf "%s", block; block = $0 "\n"; keep = 0; uninstall = /\\Uninstall\\/; next }
         { block = block $0 "\n"; if (uninstall && $0 == "\"DisplayName\"=\"Vrenkodal\"") keep = 1 }
         END { if (keep) printf "%s", block }' "$prefix/system.reg" 2>/dev/null
}

# A leftover of an earlier, interrupted run goes first.
[ -d "$installed" ] && "$wine_run" "$prefix" msiexec /x "$(windows_path "$msi")" /qn || true

"$wine_run" "$prefix" msiexec /i "$(windows_path "$msi")" /qn || fail "the install failed"
[ -f "$installed/vrenkodal.exe" ] || fail "no vrenkodal.exe under Program Files"
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut with the Bulgarian name"
entries | grep -q '"DisplayVersion"="1.0.0"' || fail "no Add/Remove Programs entry for 1.0.0"
"$wine_run" "$prefix" --display "$start_test" 'C:\Program Files\Vrenkodal\vrenkodal.exe' \
    || fail "the installed program did not start and close"

# The same program as version 1.0.1 replaces 1.0.0: one entry, the new version.
sed 's/Version="1\.0\.0"/Version="1.0.1"/' "$wxs" > "$work/upgrade.wxs"
(cd "$(dirname "$wxs")/../.." && wixl --arch x64 --output "$work/upgrade.msi" "$work/upgrade.wxs" 2>/dev/null)
"$(dirname "$0")/../../packaging/windows/finish-msi" "$work/upgrade.msi"
"$wine_run" "$prefix" msiexec /i "$(windows_path "$work/upgrade.msi")" /qn || fail "the upgrade failed"
[ "$(entries | grep -c '"DisplayName"="Vrenkodal"')" = 1 ] || fail "two versions installed side by side"
entries | grep -q '"DisplayVersion"="1.0.1"' || fail "the upgrade did not replace 1.0.0"

"$wine_run" "$prefix" msiexec /x "$(windows_path "$work/upgrade.msi")" /qn || fail "the uninstall failed"
[ ! -e "$installed" ] || fail "Program Files\\Vrenkodal is left behind"
[ -z "$(shortcuts)" ] || fail "the Start-menu shortcut is left behind"
[ -z "$(entries)" ] || fail "the Add/Remove Programs entry is left behind"
echo "msi_test: installed, started, upgraded and uninstalled cleanly"
