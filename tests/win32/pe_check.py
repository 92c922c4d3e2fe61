#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads the Windows program back from outside: pe_check.py PROGRAM.exe VERSION x64|x86

What a school's Windows 7 or later needs of it, and what it promises: a GUI program for the
architecture named that imports only system libraries and nothing newer than Windows 7, with
ASLR and DEP (high-entropy on 64-bit, large-address-aware on 32-bit), no build time in its
headers, its icon, its version record and its manifest, and no way to write files or the
registry."""
import struct
import sys

import pefile

program, version, arch = sys.argv[1], sys.argv[2], sys.argv[3]
pe = pefile.PE(program)
problems = []


def check(condition, problem):
    if not condition:
        problems.append(problem)


header = pe.OPTIONAL_HEADER
# Per architecture: the machine, the ASLR flags and the manifest's name for it.
machine, aslr, manifest_arch = {
    "x64": (0x8664, ((0x40, "ASLR"), (0x20, "high-entropy address space")), "amd64"),
    "x86": (0x14C, ((0x40, "ASLR"),), "x86"),
}[arch]
check(pe.FILE_HEADER.Machine == machine, f"not an {arch} program")
check(pe.FILE_HEADER.Characteristics & 0x20, "not large-address-aware")
check(pe.FILE_HEADER.TimeDateStamp == 0, "the build time is in the header")
check(header.Subsystem == 2, "not a GUI program")
check((header.MajorSubsystemVersion, header.MinorSubsystemVersion) <= (6, 1),
      "asks for a Windows newer than 7")
for flag, name in aslr + ((0x100, "DEP"),):
    check(header.DllCharacteristics & flag, f"no {name}")

# Windows system libraries only; no C++ runtime beside the program.
system = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll"}
# Functions of Windows 8 and later: these must be looked up at run time.
newer = {"GetDpiForWindow", "GetDpiForSystem", "SetProcessDpiAwarenessContext",
         "SetThreadDpiAwarenessContext", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi",
         "SystemParametersInfoForDpi", "EnableNonClientDpiScaling", "GetDpiForMonitor",
         "SetProcessDpiAwareness"}
# Nothing the program could write a file or a registry key with.
writers = {"CreateFileA", "CreateFileW", "WriteFile", "fopen", "_wfopen", "_open", "_wopen",
           "_creat", "RegCreateKeyExW", "RegSetValueExW", "RegCreateKeyExA", "RegSetValueExA"}
for library in pe.DIRECTORY_ENTRY_IMPORT:
    dll = library.dll.decode().lower()
    check(dll in system, f"imports {dll}")
    for function in library.imports:
        name = function.name.decode() if function.name else ""
        check(name not in newer, f"imports {name} of a Windows newer than 7")
        check(name not in writers, f"imports {name}, which writes")

# The version record: numbers and strings.
numbers = [int(part) for part in version.split(".")] + [0]
expected = ((numbers[0] << 16) | numbers[1], (numbers[2] << 16) | numbers[3])
fixed = getattr(pe, "VS_FIXEDFILEINFO", [None])[0]
check(fixed and (fixed.FileVersionMS, fixed.FileVersionLS) == expected,
      "FILEVERSION is not " + version)
check(fixed and (fixed.ProductVersionMS, fixed.ProductVersionLS) == expected,
      "PRODUCTVERSION is not " + version)
strings = {}
for info in getattr(pe, "FileInfo", [[]])[0]:
    for table in getattr(info, "StringTable", []):
        strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
for key in ("ProductName", "FileDescription", "FileVersion", "ProductVersion"):
    check(strings.get(key), f"no {key} in the version record")
check(strings.get("FileVersion") == version + ".0", "the FileVersion string differs")
# Task Manager names the program by its description: the window's title, in Bulgarian.
check(strings.get("FileDescription") == "Животинските години на човека",
      f"the FileDescription is {strings.get('FileDescription')!r}, not the Bulgarian title")

# Resources: one 32 x 32 icon in 256 colours, and the manifest of a process.
resources = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}


def first_data(kind):
    entry = resources[kind].directory.entries[0].directory.entries[0]
    return pe.get_data(entry.data.struct.OffsetToData, entry.data.struct.Size)


icons = first_data(14) if 14 in resources else b""
check(len(icons) >= 6, "no icon")
if len(icons) >= 6:
    count = struct.unpack_from("<H", icons, 4)[0]
    sizes = [struct.unpack_from("<BBBBHH", icons, 6 + 14 * i) for i in range(count)]
    check(any(w == 32 and h == 32 and bits == 8 for w, h, _, _, _, bits in sizes),
          f"no 32 x 32 icon in 256 colours: {sizes}")
manifest = first_data(24).decode() if 24 in resources else ""
for needed in (f'processorArchitecture="{manifest_arch}"', "PerMonitorV2", 'level="asInvoker"', "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
               "Microsoft.Windows.Common-Controls"):
    check(needed in manifest, f"the manifest lacks {needed}")

for problem in problems:
    print(f"{program}: {problem}", file=sys.stderr)
sys.exit(1 if problems else 0)
