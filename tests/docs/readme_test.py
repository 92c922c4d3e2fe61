#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Keeps the English README and the teacher's guide in Bulgarian in step:
readme_test.py SOURCE_DIR

Each links to the other in its first lines; every release file that the English "Which file to
pick" table names is in the guide too; every link and picture points at a file or a heading
that is there; and neither names a release of another version than project(VERSION)."""
import pathlib
import re
import sys

top = pathlib.Path(sys.argv[1])
version = re.search(r"^project\(\S+\s+VERSION\s+(\S+)", (top / "CMakeLists.txt").read_text(),
                    re.M).group(1)
readmes = {name: (top / name).read_text(encoding="utf-8") for name in ("README.md", "README.bg.md")}
problems = []


def slug(heading):
    """The anchor a heading gets, as GitHub makes it: lower case, punctuation dropped, blanks
    made hyphens; Cyrillic letters stay."""
    text = re.sub(r"[`*_]", "", heading.strip().lower())
    return re.sub(r"[^\w\- ]", "", text).replace(" ", "-")


for name, text in readmes.items():
    other = "README.bg.md" if name == "README.md" else "README.md"
    if f"]({other})" not in "\n".join(text.splitlines()[:8]):
        problems.append(f"{name} does not link to {other} in its first lines")
    anchors = {slug(line.lstrip("#")) for line in text.splitlines() if line.startswith("#")}
    for target in re.findall(r"\]\(([^)\s]+)\)", text):
        if re.match(r"[a-z]+:", target):
            continue  # an address outside the project
        path, _, anchor = target.partition("#")
        if path and not (top / path).exists():
            problems.append(f"{name}: {target} points at nothing")
        elif not path and anchor not in anchors:
            problems.append(f"{name}: #{anchor} is no heading of it")
    for named in set(re.findall(r"vrenkodal[-_](\d+\.\d+\.\d+)", text)) - {version}:
        problems.append(f"{name} names version {named}, not {version}")

english = readmes["README.md"]
table = english.split("## Which file to pick", 1)[1].split("\n\n", 2)[1]
files = set(re.findall(r"`(vrenkodal[-_][^`\s]*" + re.escape(version) + r"[^`\s]*)`", table))
if not files:
    problems.append("the English 'Which file to pick' table names no release file")
for missing in sorted(f for f in files if f"`{f}`" not in readmes["README.bg.md"]):
    problems.append(f"README.bg.md does not name {missing}")

for problem in problems:
    print(f"readme: {problem}", file=sys.stderr)
print(f"readme: {len(files)} release files of version {version}, {len(problems)} problems")
sys.exit(1 if problems else 0)
