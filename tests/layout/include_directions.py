#!/usr/bin/env python3
"""Fails when a source file includes a header of a folder above its own.

The folders depend one way only: the catalogue core on nothing of the project, the database and
the full-text index on the core, the windows on those, the program and the tool on top. Headers
are included by their bare names, so each name is looked up among the project's folders.

usage: include_directions.py SOURCE_DIR
"""
import os
import re
import sys

# What each folder may include besides itself. velora_version.h is generated for every folder;
# ui_*.h come from the window definitions in resources/.
ALLOWED = {
    "catalogue": set(),
    "catalogue_db": {"catalogue"},
    "fulltext": {"catalogue"},
    "browser": {"catalogue", "catalogue_db", "fulltext", "resources"},
    "search": {"catalogue", "catalogue_db", "fulltext", "browser", "resources"},
    "app": {"catalogue", "catalogue_db", "fulltext", "browser", "search", "resources"},
    "server": {"catalogue", "catalogue_db", "fulltext"},
    "tools": {"catalogue", "catalogue_db", "fulltext", "server"},
}
GENERATED = {"velora_version.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def headers_by_name(root):
    """Header name -> the top folders that hold a header of that name."""
    found = {}
    for folder in ALLOWED:
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if name.endswith(".h"):
                    found.setdefault(name, set()).add(folder)
    for name in os.listdir(os.path.join(root, "resources")):
        if name.endswith(".ui"):
            found.setdefault("ui_" + name[:-3] + ".h", set()).add("resources")
    return found


def main(root):
    headers = headers_by_name(root)
    problems = []
    for folder, allowed in ALLOWED.items():
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8") as source:
                    text = source.read()
                for header in INCLUDE.findall(text):
                    base = os.path.basename(header)
                    homes = headers.get(base, set())
                    if base in GENERATED or folder in homes or os.path.exists(os.path.join(directory, header)):
                        continue
                    if not homes:
                        problems.append(f"{os.path.relpath(path, root)}: {header} is no header of the project")
                    elif not homes & allowed:
                        problems.append(f"{os.path.relpath(path, root)}: includes {header} of "
                                        f"{'/'.join(sorted(homes))}/, above {folder}/")
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) against the folder order; see tests/layout/include_directions.py")
        return 1
    print("every include goes down the folder order")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")))
