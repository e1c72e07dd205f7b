#!/usr/bin/env python3
"""Keeps every #include within what its library links.

A layer is a folder, or a file pair named in the table below that has a
library of its own (the PowerClass facade, settings/power_class.*). A file
may include headers of its own layer and of the layers its layer may reach:
the libraries its CMake target links, directly or through them (every link
is PUBLIC), as ALLOWED lists them. The portable core (base, sync, schedule,
settings, i18n, and platform apart from its *_win32.cpp files and the
Windows-only handles.h) includes no Windows header.

    python3 tests/check-include-order.py [SOURCE_ROOT]

Prints one line per include that reaches outside its layer's links and
exits 1; exits 0 with a summary when there is none.
"""

import os
import re
import sys

# Layer -> the layers it may include besides itself, read from the
# target_link_libraries of its CMakeLists.txt (varnholt_core spelled out).
ALLOWED = {
    # varnholt_base links no library of ours.
    "base": set(),
    # Resource ids and templates, compiled on their own; they include nothing.
    "resources": set(),
    # varnholt_platform: base.
    "platform": {"base"},
    # varnholt_sync: platform, base.
    "sync": {"platform", "base"},
    # varnholt_schedule: base.
    "schedule": {"base"},
    # varnholt_settings: platform, base (not sync: the facade is apart).
    "settings": {"platform", "base"},
    # varnholt_power, the facade: settings and sync, and what they link.
    "settings/power_class": {"settings", "sync", "platform", "base"},
    # varnholt_i18n: settings, platform, base.
    "i18n": {"settings", "platform", "base"},
    # varnholt_framework: platform, base.
    "framework": {"platform", "base"},
    # varnholt_app: framework, varnholt_power, varnholt_core; Varnholt.exe
    # links varnholt_resources, whose ids app's windows name.
    "app": {"framework", "settings/power_class", "i18n", "settings", "schedule", "sync",
            "platform", "base", "resources"},
    # Tovrinel: framework, varnholt_power, schedule, and what they link.
    "launcher": {"framework", "settings/power_class", "settings", "schedule", "sync",
                 "platform", "base"},
}
FOLDERS = sorted({layer.split("/")[0] for layer in ALLOWED})
PORTABLE = {"base", "sync", "schedule", "settings", "i18n", "platform"}
WINDOWS_ONLY_IN_PLATFORM = re.compile(r"(_win32\.cpp|^handles\.h)$")
WINDOWS_HEADERS = re.compile(
    r"^(windows|winbase|winuser|winreg|shellapi|shlobj|shobjidl|commctrl|objbase|"
    r"aclapi|sddl|winnt)\.h$", re.IGNORECASE)
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z0-9_]+/[^"]+)"')
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s+<([^>]+)>")


def layer_of(path):
    """The layer of a path below the source root ("settings/power_class.h")."""
    stem = os.path.splitext(path.replace(os.sep, "/"))[0]
    return stem if stem in ALLOWED else stem.split("/")[0]


def check(root):
    problems = []
    checked = 0
    for folder in FOLDERS:
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                relative = os.path.relpath(path, root)
                layer = layer_of(relative)
                checked += 1
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        included = PROJECT_INCLUDE.match(line)
                        if included:
                            target = layer_of(included.group(1))
                            if target != layer and target not in ALLOWED[layer]:
                                problems.append(
                                    f"{relative}:{number}: {layer} may not include {target} "
                                    f"(its library does not link it)")
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
    print(f"include order: {checked} files, every #include within its library's links")
    return 0


if __name__ == "__main__":
    sys.exit(main())
