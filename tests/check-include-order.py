#!/usr/bin/env python3
"""Keeps the code's folders in their one direction:

    base, resources <- platform <- sync, schedule <- settings <- i18n
        <- framework <- app, launcher

A file may include headers of its own folder and of folders below its own,
never of a folder beside or above it. The portable core (base, sync,
schedule, settings, i18n, and platform apart from its *_win32.cpp files and
the Windows-only handles.h) includes no Windows header.

    python3 tests/check-include-order.py [SOURCE_ROOT]

Prints one line per include that points the wrong way and exits 1; exits 0
with a summary when there is none.
"""

import os
import re
import sys

RANKS = {
    "base": 0,
    "resources": 0,
    "platform": 1,
    "sync": 2,
    "schedule": 2,
    "settings": 3,
    "i18n": 4,
    "framework": 5,
    "app": 6,
    "launcher": 6,
}
PORTABLE = {"base", "sync", "schedule", "settings", "i18n", "platform"}
WINDOWS_ONLY_IN_PLATFORM = re.compile(r"(_win32\.cpp|^handles\.h)$")
WINDOWS_HEADERS = re.compile(
    r"^(windows|winbase|winuser|winreg|shellapi|shlobj|shobjidl|commctrl|objbase|"
    r"aclapi|sddl|winnt)\.h$", re.IGNORECASE)
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z0-9_]+)/[^"]+"')
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s+<([^>]+)>")


def check(root):
    problems = []
    checked = 0
    for folder, rank in RANKS.items():
        base = os.path.join(root, folder)
        for dirpath, _, names in os.walk(base):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                relative = os.path.relpath(path, root)
                checked += 1
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        included = PROJECT_INCLUDE.match(line)
                        if included:
                            target = included.group(1)
                            if target != folder and target in RANKS and RANKS[target] >= rank:
                                problems.append(
                                    f"{relative}:{number}: {folder}/ may not include {target}/ "
                                    f"(it is not below {folder}/)")
                        system = SYSTEM_INCLUDE.match(line)
                        if (system and folder in PORTABLE and WINDOWS_HEADERS.match(system.group(1))
                                and not (folder == "platform"
                                         and WINDOWS_ONLY_IN_PLATFORM.search(name))):
                            problems.append(
                                f"{relative}:{number}: the portable core includes no Windows "
                                f"header (<{system.group(1)}>)")
    return problems, checked


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    problems, checked = check(root)
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"include order: {checked} files, every #include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
