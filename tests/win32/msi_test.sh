#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installer as a school's administrator uses it, under Wine: a silent install, the
# installed program started and closed, the package of the other architecture replacing it,
# a silent upgrade to a later version, a silent uninstall, and nothing left behind.
# Usage: msi_test.sh WINE-RUN PREFIX ARCH MSI WXS START-TEST-PROGRAM
set -euo pipefail
wine_run=$1 prefix=$2 arch=$3 msi=$4 wxs=$5 start_test=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

windows_path() { echo "Z:${1//\//\\}"; }
fail() { echo "msi_test: $*" >&2; exit 1; }
# Where each architecture's package installs on a 64-bit Windows.
declare -A program_files=([x64]="Program Files" [x86]="Program Files (x86)")
installed="$prefix/drive_c/${program_files[$arch]}/Vrenkodal"
other=$([ "$arch" = x64 ] && echo x86 || echo x64)
other_installed="$prefix/drive_c/${program_files[$other]}/Vrenkodal"
# The Start menu of all users, or of the one user that Wine has.
shortcuts() { find "$prefix/drive_c" -path '*Start Menu/Programs/Животинските години на човека.lnk'; }
# The Add/Remove Programs entries of the machine (Uninstall keys naming Vrenkodal), as Wine
# keeps them on disk.
entries() {
    awk '/^\[/ { if (keep) printf "%s", block; block = $0 "\n"; keep = 0; uninstall = /\\Uninstall\\/; next }
         { block = block $0 "\n"; if (uninstall && $0 == "\"DisplayName\"=\"Vrenkodal\"") keep = 1 }
         END { if (keep) printf "%s", block }' "$prefix/system.reg" 2>/dev/null
}

# A package made from the installer's own description, as another version or architecture
# would be: another product code, the same upgrade code. Usage: package NAME SED-SCRIPT ARCH
package() {
    sed -e 's/<Product Id="[^"]*"/<Product Id="*"/' -e "$2" "$wxs" > "$work/$1.wxs"
    (cd "$(dirname "$wxs")/../.." &&
        "$(dirname "$0")/../../packaging/windows/make-msi" "$3" "$work/$1.wxs" "$work/$1.msi" 2>/dev/null)
}
fail_unless_one_entry() {
    [ "$(entries | grep -c '"DisplayName"="Vrenkodal"')" = 1 ] || fail "$1: two versions installed side by side"
}

# A leftover of an earlier, interrupted run goes first.
for folder in "$installed" "$other_installed"; do
    [ -d "$folder" ] && "$wine_run" "$prefix" msiexec /x "$(windows_path "$msi")" /qn || true
done

"$wine_run" "$prefix" msiexec /i "$(windows_path "$msi")" /qn || fail "the install failed"
[ -f "$installed/vrenkodal.exe" ] || fail "no vrenkodal.exe under Program Files"
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut with the Bulgarian name"
entries | grep -q '"DisplayVersion"="1.0.0"' || fail "no Add/Remove Programs entry for 1.0.0"
# Its comment as Windows shows it, in Bulgarian: Wine keeps the text as \x escapes.
comment=$(entries | sed -n 's/^"Comments"="\(.*\)"\r\?$/\1/p' | sort -u |
    /usr/bin/python3 -c 'import re, sys; print(re.sub(r"\\x([0-9a-f]{1,4})", lambda m: chr(int(m[1], 16)), sys.stdin.read().strip()))')
[ "$comment" = "Животинските години на човека" ] || fail "Add/Remove Programs' comment reads \"$comment\""
# A machine that cannot run 32-bit programs still installs, replaces and removes them.
started=0
"$wine_run" "$prefix" --display "$start_test" "C:\\${program_files[$arch]}\\Vrenkodal\\vrenkodal.exe" \
    || started=$?
case $started in
    0) ;;
    77) echo "msi_test: the installed $arch program was not started (see above)" ;;
    *) fail "the installed program did not start and close" ;;
esac

# The same version for the other architecture takes its place: one program per computer.
if [ "$other" = x64 ]; then
    package other 's/ProgramFilesFolder/ProgramFiles64Folder/; s/Win64="no"/Win64="yes"/' x64
else
    package other 's/ProgramFiles64Folder/ProgramFilesFolder/; s/Win64="yes"/Win64="no"/' x86
fi
"$wine_run" "$prefix" msiexec /i "$(windows_path "$work/other.msi")" /qn || fail "the $other install failed"
fail_unless_one_entry "$other after $arch"
[ -f "$other_installed/vrenkodal.exe" ] || fail "the $other package did not install"
[ ! -e "$installed" ] || fail "the $other package left the $arch program behind"

# Version 1.0.1 replaces 1.0.0: one entry, the new version.
package upgrade 's/Version="1\.0\.0"/Version="1.0.1"/' "$arch"
"$wine_run" "$prefix" msiexec /i "$(windows_path "$work/upgrade.msi")" /qn || fail "the upgrade failed"
fail_unless_one_entry "1.0.1 after 1.0.0"
entries | grep -q '"DisplayVersion"="1.0.1"' || fail "the upgrade did not replace 1.0.0"
[ ! -e "$other_installed" ] || fail "the upgrade left the $other program behind"

"$wine_run" "$prefix" msiexec /x "$(windows_path "$work/upgrade.msi")" /qn || fail "the uninstall failed"
[ ! -e "$installed" ] || fail "Program Files\\Vrenkodal is left behind"
[ -z "$(shortcuts)" ] || fail "the Start-menu shortcut is left behind"
[ -z "$(entries)" ] || fail "the Add/Remove Programs entry is left behind"
echo "msi_test: installed, started, upgraded and uninstalled cleanly"
