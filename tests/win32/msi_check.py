#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads the installer's texts back as Windows would: msi_check.py INSTALLER.msi x64|x86

The summary, which Explorer and Windows Installer show, and the texts a teacher meets in Add/
Remove Programs and the Start menu, are Bulgarian in Windows' Cyrillic code page, 1251. The
summary's strings are bytes in the code page it names; a summary whose bytes are UTF-8 shows
as mojibake on Windows, though msitools on Linux reads it back unchanged."""
import re
import subprocess
import sys

msi, arch = sys.argv[1], sys.argv[2]
TITLE = "Животинските години на човека"
problems = []


def check(condition, problem):
    if not condition:
        problems.append(problem)


def table(name):
    """The rows of a table, as msiinfo exports them (it turns the database's code page into
    UTF-8); the first three lines are the header."""
    text = subprocess.run(["msiinfo", "export", msi, name], capture_output=True, check=True).stdout
    return [line.split("\t") for line in text.decode().replace("\r", "").splitlines()[3:]]


# The summary's strings as bytes, which msiinfo hands on unconverted.
summary = {}
exported = subprocess.run(["msiinfo", "export", msi, "_SummaryInformation"], capture_output=True,
                          check=True).stdout
for line in exported.split(b"\r\n")[3:]:
    key, _, value = line.partition(b"\t")
    if key.isdigit():
        summary[int(key)] = value


def utf8(raw):
    try:
        return not raw.isascii() and bool(raw.decode("utf-8"))
    except UnicodeDecodeError:
        return False


codepage = int(summary.get(1, b"0"))
check(codepage == 1251, f"the summary's code page is {codepage}, not 1251")
texts = {pid: raw.decode(f"cp{codepage}", "replace") if codepage else "" for pid, raw in summary.items()}
cyrillic = re.compile(r"[\u0400-\u04ff]")
# Title, subject, keywords, comments: Bulgarian, and readable in that code page.
for pid, name in ((2, "title"), (3, "subject"), (5, "keywords"), (6, "comments")):
    check(cyrillic.search(texts.get(pid, "")), f"the summary's {name} has no Cyrillic: {texts.get(pid)!r}")
    check(not utf8(summary.get(pid, b"")), f"the summary's {name} is in UTF-8, not in {codepage}")
check(texts.get(3) == TITLE, f"the summary's subject is {texts.get(3)!r}, not the title")
platform = {"x64": "x64", "x86": "Intel"}[arch]
check(texts.get(7) == f"{platform};1026", f"the template is {texts.get(7)!r}, not {platform};1026")

properties = dict(row[:2] for row in table("Property"))
check(properties.get("ProductName") == "Vrenkodal", "the product is not named Vrenkodal")
check(properties.get("ProductLanguage") == "1026", "the product's language is not Bulgarian")
check(properties.get("ARPCOMMENTS") == TITLE, "Add/Remove Programs' comment is not the title")
shortcut = {row[0]: row[2] for row in table("Shortcut")}.get("StartMenu", "")
check(shortcut.split("|")[-1] == TITLE, f"the Start-menu shortcut is named {shortcut!r}")
for condition, message in (row[:2] for row in table("LaunchCondition")):
    check(cyrillic.search(message), f"the message for {condition} is not Bulgarian: {message!r}")

for problem in problems:
    print(f"{msi}: {problem}", file=sys.stderr)
sys.exit(1 if problems else 0)
